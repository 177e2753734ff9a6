#include "runtime/Toolbar.h"

#include <QMouseEvent>
#include <QPainter>
#include <utility>

namespace rt {

namespace {
constexpr int ButtonWidth = 38;
constexpr int ButtonHeight = 36;
constexpr int GapWidth = 8; // separators and placeholders
constexpr int ButtonTop = 1;
} // namespace

ToolbarButton::ToolbarButton(QWidget* parent, Style style) : QToolButton(parent), style_(style) {
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    setIconSize(QSize(32, 32));
}

void ToolbarButton::paintEvent(QPaintEvent* event) {
    if (style_ == Default) {
        QToolButton::paintEvent(event);
        return;
    }
    if (style_ == Separator) {
        QPainter painter(this);
        const int x = width() / 2;
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawLine(x - 1, 4, x - 1, height() - 5);
        painter.setPen(palette().color(QPalette::Light));
        painter.drawLine(x, 4, x, height() - 5);
    }
}

Toolbar::Toolbar(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    setMouseTracking(true);
}

void Toolbar::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved(event->buttons(), int(event->position().x()), int(event->position().y()));
}

void Toolbar::mouseDoubleClickEvent(QMouseEvent*) {
    emit doubleClicked();
}

BrushHandle Toolbar::setClassBackground(BrushHandle brush) {
    return std::exchange(classBackground_, brush);
}

void Toolbar::paintEvent(QPaintEvent*) {
    if (const std::optional<QBrush> background = brushOf(classBackground_))
        QPainter(this).fillRect(rect(), *background);
}

void Toolbar::setImageList(const std::vector<QPixmap>& images) {
    images_ = images;
}

ToolbarButton& Toolbar::addButton(ToolbarButton::Style style, const QString& tag, int image,
                                  const QString& toolTip) {
    auto* added = new ToolbarButton(this, style);
    added->setTag(tag);
    added->setToolTip(toolTip);
    if (image >= 1 && image <= int(images_.size()))
        added->setIcon(QIcon(images_[image - 1]));
    const int width = style == ToolbarButton::Default ? ButtonWidth : GapWidth;
    added->setGeometry(nextLeft_, ButtonTop, width, ButtonHeight);
    nextLeft_ += width;
    connect(added, &QToolButton::clicked, this, [this, added] { emit buttonClick(added); });
    buttons_.push_back(added);
    return *added;
}

ToolbarButton& Toolbar::button(int n) {
    if (n >= 1 && n <= buttonCount())
        return *buttons_[n - 1];
    if (!missing_)
        missing_ = std::make_unique<ToolbarButton>();
    return *missing_;
}

} // namespace rt
