#include "runtime/DrawingBox.h"

#include <QPainter>
#include <cmath>
#include <cstdlib>

namespace rt {

namespace {

QPoint toPixel(QPointF at) {
    return QPoint(int(std::floor(at.x())), int(std::floor(at.y())));
}

} // namespace

DrawingBox::DrawingBox(QWidget* parent) : PictureBox(parent) {}

void DrawingBox::drawLine(QPointF from, QPointF to) {
    drawLine(from, to, fore_);
}

// Steps from the first pixel towards the last one, which is left out.
void DrawingBox::drawLine(QPointF from, QPointF to, Colour colour) {
    fitDrawingToSize();
    QPoint at = toPixel(from);
    const QPoint end = toPixel(to);
    const int dx = std::abs(end.x() - at.x());
    const int dy = -std::abs(end.y() - at.y());
    const int stepX = at.x() < end.x() ? 1 : -1;
    const int stepY = at.y() < end.y() ? 1 : -1;
    int error = dx + dy;
    while (at != end) {
        plot(at, colour);
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
    update();
}

void DrawingBox::plot(QPoint at, Colour colour) {
    if (drawing_.rect().contains(at))
        drawing_.setPixelColor(at, toQColor(colour));
}

std::optional<Colour> DrawingBox::drawnAt(int x, int y) const {
    if (!drawing_.rect().contains(x, y))
        return std::nullopt;
    const QColor colour = drawing_.pixelColor(x, y);
    if (colour.alpha() == 0)
        return std::nullopt;
    return rgb(colour.red(), colour.green(), colour.blue());
}

// A hidden box learns its new size only when shown; drawing and painting check it themselves.
void DrawingBox::fitDrawingToSize() {
    if (drawing_.size() == size())
        return;
    QImage fitted(size(), QImage::Format_ARGB32);
    fitted.fill(Qt::transparent);
    if (!drawing_.isNull()) {
        QPainter painter(&fitted);
        painter.drawImage(0, 0, drawing_);
    }
    drawing_ = std::move(fitted);
}

void DrawingBox::paintEvent(QPaintEvent* event) {
    PictureBox::paintEvent(event);
    fitDrawingToSize();
    QPainter painter(this);
    painter.drawImage(0, 0, drawing_);
}

void DrawingBox::resizeEvent(QResizeEvent* event) {
    PictureBox::resizeEvent(event);
    fitDrawingToSize();
}

} // namespace rt
