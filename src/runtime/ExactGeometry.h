#pragma once

#include <QRectF>

class QWidget;

namespace rt {

// A control may be given a position and size that fall between pixels. Its widget covers every
// pixel of that box, and the exact box is kept for whoever reads it back or draws inside it.
void setExactGeometry(QWidget* control, const QRectF& box);

// The exact box last given, while the widget still sits where that box put it; otherwise the
// widget's own pixel geometry.
QRectF exactGeometry(const QWidget* control);

// Move or size one side of the exact box and keep the rest.
void setExactLeft(QWidget* control, double left);
void setExactTop(QWidget* control, double top);
void setExactHeight(QWidget* control, double height);

} // namespace rt
