#pragma once

#include <QWidget>

namespace rt {

// Hands a window to the window system, which moves it with the mouse until the button is
// released, as if its title bar were held. While the testing seam is active the request is only
// counted.
void startWindowMove(QWidget* window);

} // namespace rt
