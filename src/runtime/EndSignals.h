#pragma once

#include <functional>

namespace rt {

// Turns the signals by which a session or a user asks a program to end (SIGTERM, SIGHUP,
// SIGINT) into a call of `endRequested` from the event loop, nested loops included, instead of
// the process dying where it stands with its temporary files left behind. The handler only
// writes into a pipe of our own; reading it runs `endRequested`. A signal that the program was
// started with ignored stays ignored. Call once, at start, with an application.
void onEndSignals(std::function<void()> endRequested);

} // namespace rt
