#include "runtime/PictureCanvas.h"

#include <QPainter>
#include <cmath>
#include <cstdlib>

namespace rt {

namespace {

QPoint toPixel(QPointF at) {
    return QPoint(int(std::floor(at.x())), int(std::floor(at.y())));
}

} // namespace

QSize scaleSize(const PictureBox& box) {
    const int border = box.borderStyle() != 1 ? 0 : box.appearance() == 1 ? 2 : 1;
    return QSize(std::max(0, box.width() - 2 * border), std::max(0, box.height() - 2 * border));
}

PictureCanvas::PictureCanvas(PictureBox& box)
    : box_(box), image_(scaleSize(box), QImage::Format_ARGB32) {
    image_.fill(Qt::transparent);
    const QPixmap kept = box.picture();
    if (!kept.isNull() && !image_.isNull()) {
        QPainter painter(&image_);
        painter.drawPixmap(0, 0, kept);
    }
}

PictureCanvas::~PictureCanvas() {
    box_.setPicture(QPixmap::fromImage(image_));
}

// Steps from the first pixel towards the last one, which is left out.
void PictureCanvas::drawLine(QPointF from, QPointF to, Colour colour) {
    QPoint at = toPixel(from);
    const QPoint end = toPixel(to);
    const int dx = std::abs(end.x() - at.x());
    const int dy = -std::abs(end.y() - at.y());
    const int stepX = at.x() < end.x() ? 1 : -1;
    const int stepY = at.y() < end.y() ? 1 : -1;
    const QColor pen = toQColor(colour);
    int error = dx + dy;
    while (at != end) {
        if (image_.rect().contains(at))
            image_.setPixelColor(at, pen);
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            at.rx() += stepX;
        }
        if (twice <= dx) {
            error += dx;
            at.ry() += stepY;
        }
    }
}

} // namespace rt
