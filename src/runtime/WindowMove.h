#pragma once

#include <QWidget>

namespace rt {

// Hands a window to the window system, which moves it with the mouse until the left button is
// released, as if its title bar were held. One press of the left button alone on the window (or
// on any of its controls) allows one move: the window system keeps the release of the button to
// itself, so later mouse moves may still report the button held, and a second request would have
// the window follow a pointer whose button is up. A press of any other button allows none, as the
// window system would end such a move only at a left button's release. While the testing seam is
// active the request is only counted.
void startWindowMove(QWidget* window);

} // namespace rt
