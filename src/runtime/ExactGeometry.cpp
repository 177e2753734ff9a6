#include "runtime/ExactGeometry.h"

#include <QVariant>
#include <QWidget>
#include <algorithm>

namespace rt {

namespace {
constexpr const char* ExactGeometryProperty = "rtExactGeometry";
}

void setExactGeometry(QWidget* control, const QRectF& box) {
    const QRectF sized(box.topLeft(),
                       QSizeF(std::max(0.0, box.width()), std::max(0.0, box.height())));
    control->setGeometry(sized.toAlignedRect());
    control->setProperty(ExactGeometryProperty, sized);
}

QRectF exactGeometry(const QWidget* control) {
    const QVariant kept = control->property(ExactGeometryProperty);
    if (kept.isValid() && kept.toRectF().toAlignedRect() == control->geometry())
        return kept.toRectF();
    return QRectF(control->geometry());
}

void setExactLeft(QWidget* control, double left) {
    QRectF box = exactGeometry(control);
    box.moveLeft(left);
    setExactGeometry(control, box);
}

void setExactTop(QWidget* control, double top) {
    QRectF box = exactGeometry(control);
    box.moveTop(top);
    setExactGeometry(control, box);
}

void setExactHeight(QWidget* control, double height) {
    QRectF box = exactGeometry(control);
    box.setHeight(height);
    setExactGeometry(control, box);
}

} // namespace rt
