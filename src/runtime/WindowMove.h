#pragma once

#include <QWidget>

namespace rt {

// Hands a window to the window system, which moves it with the mouse until the button is
// released, as if its title bar were held. One mouse press on the window (or on any of its
// controls) allows one move: the window system keeps the release of the button to itself, so
// later mouse moves may still report the button held, and a second request would have the window
// follow a pointer whose button is up. While the testing seam is active the request is only
// counted.
void startWindowMove(QWidget* window);

} // namespace rt
