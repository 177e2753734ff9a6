#include "runtime/Controls.h"

#include "runtime/Brushes.h"
#include "runtime/WindowProc.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionSlider>
#include <QToolTip>
#include <utility>

namespace rt {

void place(QWidget* control, int left, int top, int width, int height) {
    control->setGeometry(left, top, std::max(0, width), std::max(0, height));
}

void placeTwips(QWidget* control, int left, int top, int width, int height) {
    place(control, twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
          twipsToPixels(height));
}

void setForeColour(QWidget* control, Colour colour) {
    QPalette palette = control->palette();
    palette.setColor(QPalette::WindowText, toQColor(colour));
    palette.setColor(QPalette::Text, toQColor(colour));
    palette.setColor(QPalette::ButtonText, toQColor(colour));
    control->setPalette(palette);
}

void setBackColour(QWidget* control, Colour colour) {
    QPalette palette = control->palette();
    palette.setColor(QPalette::Window, toQColor(colour));
    palette.setColor(QPalette::Base, toQColor(colour));
    palette.setColor(QPalette::Button, toQColor(colour));
    control->setPalette(palette);
    control->setAutoFillBackground(true);
}

// ---- Label

Label::Label(QWidget* parent, const QString& caption) : QLabel(caption, parent) {
    // Captions show names and tool output: a "<b>" in a file name is text, not markup.
    setTextFormat(Qt::PlainText);
    setMouseTracking(true);
}

void Label::setCaption(const QString& caption) {
    setText(caption);
    emit changed();
}

void Label::setBackColour(Colour colour) {
    rt::setBackColour(this, colour);
}

void Label::setBackTransparent() {
    setAutoFillBackground(false);
}

void Label::setBorderStyle(int style) {
    borderStyle_ = style;
    update();
}

void Label::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (borderStyle_ == 1) {
        QPainter painter(this);
        painter.setPen(Qt::black);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void Label::mousePressEvent(QMouseEvent* event) {
    emit mouseDown(event->button(), int(event->position().x()), int(event->position().y()));
}

void Label::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    emit mouseUp(event->button(), at.x(), at.y());
    if (rect().contains(at))
        emit clicked();
}

void Label::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved(event->buttons(), int(event->position().x()), int(event->position().y()));
}

// The second press of a double-click still reports its button, as before.
void Label::mouseDoubleClickEvent(QMouseEvent* event) {
    emit doubleClicked();
    QLabel::mouseDoubleClickEvent(event);
}

// ---- TextBox

TextBox::TextBox(QWidget* parent) : QPlainTextEdit(parent) {
    setMouseTracking(true);
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        const QString now = toPlainText();
        if (now != text_) {
            text_ = now;
            emit changed();
        }
    });
}

void TextBox::setText(const QString& text) {
    if (text == text_)
        return;
    text_ = text;
    {
        const QSignalBlocker blocker(this);
        setPlainText(text);
    }
    emit changed();
}

void TextBox::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved(int(event->position().x()), int(event->position().y()));
    QPlainTextEdit::mouseMoveEvent(event);
}

// ---- PictureBox

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
}

void PictureBox::setBackColour(Colour colour) {
    back_ = colour;
    update();
}

void PictureBox::setPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void PictureBox::setAppearance(int appearance) {
    appearance_ = appearance;
    update();
}

void PictureBox::setBorderStyle(int style) {
    borderStyle_ = style;
    update();
}

int PictureBox::borderWidth() const {
    if (borderStyle_ != 1)
        return 0;
    return appearance_ == 1 ? 2 : 1;
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), toQColor(back_));
    const QRect outer = rect().adjusted(0, 0, -1, -1);
    if (borderWidth() == 1) {
        painter.setPen(Qt::black);
        painter.drawRect(outer);
    } else if (borderWidth() == 2) {
        // Sunken edge: dark above and left, light below and right.
        const QRect inner = outer.adjusted(1, 1, -1, -1);
        painter.setPen(QColor(128, 128, 128));
        painter.drawLine(outer.topLeft(), outer.topRight());
        painter.drawLine(outer.topLeft(), outer.bottomLeft());
        painter.setPen(Qt::white);
        painter.drawLine(outer.bottomLeft(), outer.bottomRight());
        painter.drawLine(outer.topRight(), outer.bottomRight());
        painter.setPen(Qt::black);
        painter.drawLine(inner.topLeft(), inner.topRight());
        painter.drawLine(inner.topLeft(), inner.bottomLeft());
        painter.setPen(QColor(192, 192, 192));
        painter.drawLine(inner.bottomLeft(), inner.bottomRight());
        painter.drawLine(inner.topRight(), inner.bottomRight());
    }
    if (!picture_.isNull()) {
        const int edge = borderWidth();
        painter.setClipRect(rect().adjusted(edge, edge, -edge, -edge));
        painter.drawPixmap(edge, edge, picture_);
    }
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    emit mouseDown(event->button(), int(event->position().x()), int(event->position().y()));
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    emit mouseUp(event->button(), int(event->position().x()), int(event->position().y()));
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved(event->buttons(), int(event->position().x()), int(event->position().y()));
}

// ---- Shape

Shape::Shape(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Shape::setBorderColour(Colour colour) {
    border_ = colour;
    update();
}

void Shape::setFillColour(std::optional<Colour> colour) {
    fill_ = colour;
    update();
}

void Shape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (fill_)
        painter.fillRect(rect(), toQColor(*fill_));
    painter.setPen(toQColor(border_));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

// ---- Line

Line::Line(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Line::setPoints(int x1, int y1, int x2, int y2) {
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    setGeometry(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1) + 1, std::abs(y2 - y1) + 1);
    update();
}

void Line::setBorderColour(Colour colour) {
    colour_ = colour;
    update();
}

void Line::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(toQColor(colour_));
    const QPoint origin = pos();
    painter.drawLine(QPoint(x1_, y1_) - origin, QPoint(x2_, y2_) - origin);
}

// ---- ListBox

ListBox::ListBox(QWidget* parent) : QListWidget(parent) {
    viewport()->setMouseTracking(true);
}

void ListBox::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved(event->buttons(), int(event->position().x()), int(event->position().y()));
    QListWidget::mouseMoveEvent(event);
}

void ListBox::mouseDoubleClickEvent(QMouseEvent* event) {
    QListWidget::mouseDoubleClickEvent(event);
    emit mouseDoubleClicked();
}

QString ListBox::itemText(int index) const {
    const QListWidgetItem* entry = item(index);
    return entry ? entry->text() : QString();
}

QStringList ListBox::items() const {
    QStringList all;
    for (int i = 0; i < count(); ++i)
        all << item(i)->text();
    return all;
}

// ---- Buttons

CheckBox::CheckBox(QWidget* parent, const QString& caption) : QCheckBox(caption, parent) {}

OptionButton::OptionButton(QWidget* parent, const QString& caption)
    : QRadioButton(caption, parent) {
    setMouseTracking(true);
}

void OptionButton::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved();
    QRadioButton::mouseMoveEvent(event);
}

CommandButton::CommandButton(QWidget* parent, const QString& caption)
    : QPushButton(caption, parent) {}

// ---- ProgressBar

ProgressBar::ProgressBar(QWidget* parent) : QWidget(parent) {}

bool ProgressBar::setValue(double value) {
    if (!(value >= min_ && value <= max_))
        return false;
    if (value != value_) {
        value_ = value;
        update();
    }
    return true;
}

void ProgressBar::setMin(double min) {
    if (!(min <= max_))
        return;
    min_ = min;
    value_ = std::max(value_, min_);
    update();
}

void ProgressBar::setMax(double max) {
    if (!(max >= min_))
        return;
    max_ = max;
    value_ = std::min(value_, max_);
    update();
}

void ProgressBar::setBarColour(Colour colour) {
    bar_ = colour;
    update();
}

void ProgressBar::setBackColour(Colour colour) {
    back_ = colour;
    update();
}

void ProgressBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), toQColor(back_));
    const double span = max_ - min_;
    if (span <= 0)
        return;
    const int filled = int(width() * (value_ - min_) / span);
    painter.fillRect(QRect(0, 0, filled, height()), toQColor(bar_));
}

// ---- Slider

Slider::Slider(QWidget* parent) : QSlider(Qt::Horizontal, parent), committed_(value()) {
    // An action moves the position first and the value right after it; a program's setValue
    // triggers no action.
    connect(this, &QAbstractSlider::actionTriggered, this,
            [this] { userMove_ = sliderPosition() != value(); });
    connect(this, &QAbstractSlider::valueChanged, this, &Slider::followValue);
    connect(this, &QAbstractSlider::sliderReleased, this, [this] {
        if (value() != committed_)
            commit();
    });
    connect(this, &QAbstractSlider::sliderPressed, this, &Slider::showValueTip);
    connect(this, &QAbstractSlider::sliderMoved, this, &Slider::showValueTip);
    connect(this, &QAbstractSlider::sliderReleased, this, [] { QToolTip::hideText(); });
}

void Slider::setValueTipActive(bool active) {
    valueTipActive_ = active;
    if (!active && isSliderDown())
        QToolTip::hideText();
}

// The position being dragged to, just above the thumb.
void Slider::showValueTip() {
    if (!valueTipActive_)
        return;
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect thumb =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    QToolTip::showText(mapToGlobal(QPoint(thumb.center().x(), thumb.top())),
                       QString::number(sliderPosition()), this);
}

void Slider::paintEvent(QPaintEvent* event) {
    DeviceContext dc;
    QWidget* owner = parentWidget() ? window() : nullptr;
    const LResult answer =
        sendMessage(owner, WM_CTLCOLORSTATIC, contextParam(&dc), handleParam(this));
    QPainter painter(this);
    painter.fillRect(
        rect(),
        brushOf(BrushHandle(answer)).value_or(QApplication::palette().color(QPalette::Window)));
    painter.end();
    QSlider::paintEvent(event);
}

void Slider::followValue() {
    if (std::exchange(userMove_, false))
        emit scrolled();
    if (!isSliderDown())
        commit();
}

void Slider::commit() {
    committed_ = value();
    emit changed();
}

// The slider owns its clicks, whatever the button: none reaches the window beneath.
void Slider::mousePressEvent(QMouseEvent* event) {
    emit mouseDown(event->button(), int(event->position().x()), int(event->position().y()));
    QSlider::mousePressEvent(event);
    event->accept();
}

void Slider::mouseReleaseEvent(QMouseEvent* event) {
    QSlider::mouseReleaseEvent(event);
    event->accept();
    emit mouseUp(event->button(), int(event->position().x()), int(event->position().y()));
}

} // namespace rt
