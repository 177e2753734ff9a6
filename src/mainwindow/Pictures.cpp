#include "mainwindow/Pictures.h"

#include <QPainter>
#include <QPainterPath>

namespace {

const QColor Orange(255, 128, 0);
const QColor DeepOrange(200, 90, 0);
const QColor Ink(32, 32, 32);
const QColor StopRed(220, 40, 30);

QPixmap blankPicture(int size = 32) {
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    return picture;
}

void prepare(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
}

// A strip of film: a rounded frame with sprocket holes along its top and bottom.
void drawFilm(QPainter& painter, const QRectF& frame) {
    painter.setPen(QPen(Orange, 2));
    painter.drawRoundedRect(frame, 2.5, 2.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Orange);
    for (qreal x = frame.left() + 3; x < frame.right() - 2; x += 4.5) {
        painter.drawRect(QRectF(x, frame.top() + 2.5, 2, 2));
        painter.drawRect(QRectF(x, frame.bottom() - 4.5, 2, 2));
    }
    painter.setBrush(Qt::NoBrush);
}

// A round badge at the lower right holding a plus or a minus.
void drawBadge(QPainter& painter, bool plus) {
    const QRectF disc(17, 17, 14, 14);
    painter.setPen(QPen(Ink, 1.5));
    painter.setBrush(Orange);
    painter.drawEllipse(disc);
    painter.setPen(QPen(Ink, 2.4, Qt::SolidLine, Qt::FlatCap));
    const QPointF centre = disc.center();
    painter.drawLine(centre - QPointF(4, 0), centre + QPointF(4, 0));
    if (plus)
        painter.drawLine(centre - QPointF(0, 4), centre + QPointF(0, 4));
    painter.setBrush(Qt::NoBrush);
}

void drawAdd(QPainter& painter) {
    drawFilm(painter, QRectF(2, 5, 24, 18));
    drawBadge(painter, true);
}

void drawRemove(QPainter& painter) {
    drawFilm(painter, QRectF(2, 5, 24, 18));
    drawBadge(painter, false);
}

// A play triangle pressed between two inward arrows, centred on y = 16; `inset` moves the
// arrows in from the edges, `halfHeight` sizes the triangle.
void drawPlayBetweenArrows(QPainter& painter, qreal halfHeight, qreal inset, qreal arrowPen) {
    QPainterPath play;
    play.moveTo(11, 16 - halfHeight);
    play.lineTo(24, 16);
    play.lineTo(11, 16 + halfHeight);
    play.closeSubpath();
    painter.setPen(QPen(DeepOrange, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Orange);
    painter.drawPath(play);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Orange, arrowPen, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const qreal left = 2 + inset, right = 30 - inset;
    painter.drawPolyline(QPolygonF({{left, 11}, {left + 4, 16}, {left, 21}}));
    painter.drawPolyline(QPolygonF({{right, 11}, {right - 4, 16}, {right, 21}}));
}

// Start: compressing, with the play sign.
void drawCompress(QPainter& painter) {
    drawPlayBetweenArrows(painter, 9, 0, 2);
}

// Output folder: a folder with a plus, for a new folder of results.
void drawFolder(QPainter& painter) {
    QPainterPath folder;
    folder.moveTo(2, 8);
    folder.lineTo(11, 8);
    folder.lineTo(14, 11);
    folder.lineTo(28, 11);
    folder.lineTo(28, 26);
    folder.lineTo(2, 26);
    folder.closeSubpath();
    painter.setPen(QPen(Orange, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(folder);
    painter.drawLine(QPointF(2, 14), QPointF(28, 14));
    painter.setPen(QPen(Orange, 2.4, Qt::SolidLine, Qt::FlatCap));
    painter.drawLine(QPointF(10, 20), QPointF(20, 20));
    painter.drawLine(QPointF(15, 15.5), QPointF(15, 24.5));
}

// Stop: a red octagon with a white bar.
void drawStop(QPainter& painter) {
    QPolygonF octagon;
    const qreal c = 16, r = 13.5, cut = r * 0.414;
    octagon << QPointF(c - cut, c - r) << QPointF(c + cut, c - r) << QPointF(c + r, c - cut)
            << QPointF(c + r, c + cut) << QPointF(c + cut, c + r) << QPointF(c - cut, c + r)
            << QPointF(c - r, c + cut) << QPointF(c - r, c - cut);
    painter.setPen(QPen(QColor(255, 200, 190), 1.2));
    painter.setBrush(StopRed);
    painter.drawPolygon(octagon);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(8.5, 13.5, 15, 5), 1, 1);
}

// The picture over a one-pixel dark halo of its own shape, so that it stays readable on the
// orange of a pressed button as well as on the near-black bar.
QPixmap withHalo(const QPixmap& picture) {
    QPixmap shadow = picture;
    {
        QPainter tint(&shadow);
        tint.setCompositionMode(QPainter::CompositionMode_SourceIn);
        tint.fillRect(shadow.rect(), Ink);
    }
    QPixmap result = blankPicture(picture.width());
    QPainter painter(&result);
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            painter.drawPixmap(dx, dy, shadow);
    painter.drawPixmap(0, 0, picture);
    return result;
}

void drawCommand(QPainter& painter, int position) {
    switch (position) {
    case 0:
        drawAdd(painter);
        break;
    case 1:
        drawRemove(painter);
        break;
    case 2:
        drawCompress(painter);
        break;
    case 3:
        drawFolder(painter);
        break;
    case 4:
        drawStop(painter);
        break;
    default:
        break;
    }
}

} // namespace

QPixmap CommandPicture(int position) {
    QPixmap picture = blankPicture();
    {
        QPainter painter(&picture);
        prepare(painter);
        drawCommand(painter, position);
    }
    return withHalo(picture);
}

QIcon WindowIcon() {
    QPixmap picture = blankPicture();
    QPainter painter(&picture);
    prepare(painter);
    painter.setPen(QPen(Orange, 2));
    painter.setBrush(QColor(40, 40, 40));
    painter.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    drawPlayBetweenArrows(painter, 8, 1.5, 1.8);
    return QIcon(picture);
}

QPixmap ToolbarPattern() {
    QPixmap pattern(1359, 107);
    QPainter painter(&pattern);
    QLinearGradient shade(0, 0, 0, 40);
    shade.setColorAt(0, QColor(58, 58, 58));
    shade.setColorAt(1, QColor(36, 36, 36));
    painter.fillRect(pattern.rect(), shade);
    // Fine diagonal hatching, faint enough to stay behind the title and buttons.
    painter.setPen(QColor(255, 255, 255, 10));
    for (int x = -pattern.height(); x < pattern.width(); x += 6)
        painter.drawLine(x, pattern.height(), x + pattern.height(), 0);
    return pattern;
}
