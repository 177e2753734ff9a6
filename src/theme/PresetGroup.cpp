#include "theme/PresetGroup.h"

#include "runtime/ExactGeometry.h"

#include <QPainter>

namespace {

// Fixed pixel sizes of the group; the ring width alone comes from the design.
constexpr int PanelHeight = 44;
constexpr float RingHeight = 15;
constexpr float DotHeight = 5;
constexpr float ColumnSpacing = 2.2f; // in ring widths
constexpr float SecondRowRingTop = 20;
constexpr float SecondRowDotTop = 25;
constexpr float HitAreaOffset = 8;
constexpr int PresetsPerRow = 3;

float left(const QWidget& control) {
    return float(rt::exactGeometry(&control).left());
}
float top(const QWidget& control) {
    return float(rt::exactGeometry(&control).top());
}
float width(const QWidget& control) {
    return float(rt::exactGeometry(&control).width());
}
float height(const QWidget& control) {
    return float(rt::exactGeometry(&control).height());
}

void setLook(CircleShape& shape, rt::Colour colour) {
    shape.setFillColour(colour);
    shape.setBackColour(colour);
    shape.setBorderColour(colour);
}

// Places ring i and its dot in their column; the first row centres the dot from the ring's
// height, the second row has fixed tops.
void placeRingAndDot(CircleShape& ring, CircleShape& dot, int i) {
    const float ringWidth = width(ring);
    const float ringHeight = height(ring);
    const int column = i % PresetsPerRow;
    rt::setExactLeft(&ring, ringWidth * float(column) * ColumnSpacing);
    if (i < PresetsPerRow) {
        rt::setExactLeft(&dot, ringWidth / 2 - width(dot) / 2 + left(ring));
        rt::setExactTop(&dot, ringHeight / 2 - height(dot) / 2 + top(ring) - 0.4f);
    } else {
        rt::setExactLeft(&dot, ringWidth / 2 + left(ring) - width(dot) / 2);
        rt::setExactTop(&dot, SecondRowDotTop);
        rt::setExactTop(&ring, SecondRowRingTop);
    }
}

} // namespace

CircleShape::CircleShape(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CircleShape::setBorderColour(rt::Colour colour) {
    if (colour == border_)
        return;
    border_ = colour;
    update();
}

void CircleShape::setFillColour(rt::Colour colour) {
    if (colour == fill_)
        return;
    fill_ = colour;
    update();
}

void CircleShape::setSolidFill(bool solid) {
    solidFill_ = solid;
    update();
}

void CircleShape::paintEvent(QPaintEvent*) {
    const QRectF box = rt::exactGeometry(this).translated(-QPointF(pos()));
    const double diameter = std::min(box.width(), box.height());
    QRectF circle(0, 0, diameter, diameter);
    circle.moveCenter(box.center());
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(rt::toQColor(border_));
    if (solidFill_)
        painter.setBrush(rt::toQColor(fill_));
    // The one-pixel outline stays inside the box.
    painter.drawEllipse(circle.adjusted(0.5, 0.5, -0.5, -0.5));
}

void LayoutPresetSelector(const PresetSelectorControls& group) {
    rt::place(&group.Picture13, group.Shape7.x() + 2, group.Shape8.y() + group.Shape8.height() + 1,
              group.Shape7.width() - 3, PanelHeight);
    const float hitAreaWidth = width(group.Shape11(0)) / 2;
    for (int i = 0; i <= group.Shape11.upperBound(); ++i) {
        CircleShape& ring = group.Shape11(i);
        CircleShape& dot = group.Shape12(i);
        rt::Label& hitArea = group.Label10(i);
        dot.raise();
        hitArea.setBorderStyle(0);
        rt::setExactHeight(&ring, RingHeight);
        ring.setSolidFill(true);
        ring.setFillColour(rt::Black);
        ring.setBackColour(rt::Black);
        ring.setBorderColour(rt::Silver);
        rt::setExactHeight(&dot, DotHeight);
        setLook(dot, rt::DarkGrey);
        placeRingAndDot(ring, dot, i);
        rt::setExactTop(&group.Label11(i), top(ring));
        rt::setExactLeft(&group.Label11(i), left(ring) + width(ring));
        hitArea.setBackTransparent();
        rt::setExactGeometry(&hitArea, QRectF(left(ring) + HitAreaOffset, top(ring), hitAreaWidth,
                                              height(group.Shape11(0))));
    }
    setLook(group.Shape12(0), rt::Orange);
}
