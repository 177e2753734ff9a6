#pragma once

#include <QWidget>

namespace rt {

// Lets the window system resize a window that has no frame from a band of `band` pixels along
// its outer edges: the cursor shows the direction there, and a left press starts the resize.
void makeEdgesSizable(QWidget* window, int band = 4);

} // namespace rt
