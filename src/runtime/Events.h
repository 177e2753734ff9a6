#pragma once

#include <cstdint>

namespace rt {

// Lets every pending event run (timers, input, repaints), then returns.
void doEvents();

// The clock in whole seconds.
std::int64_t clockSeconds();

// Makes the clock's second last `milliseconds` (1000 unless changed), so that tests and
// benchmarks pass the program's waits quickly. 0 or less restores the real second.
void setSecondLength(int milliseconds);

// Waits until the clock in whole seconds shows a time later than now + seconds, letting events
// run meanwhile. The thread sleeps in the event loop between events: no busy spin.
void waitSeconds(int seconds);

// Waits until the clock in whole seconds shows a time later than `deadline`, as waitSeconds does
// for a deadline fixed earlier.
void waitPast(std::int64_t deadline);

// The time spent inside waitSeconds and waitPast since the program started, in milliseconds (for
// measuring what a procedure costs beyond its waits).
std::int64_t waitedMilliseconds();

} // namespace rt
