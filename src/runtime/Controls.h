#pragma once

#include "runtime/Colour.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QWidget>
#include <optional>

namespace rt {

// Places a control in its parent's pixel coordinates.
void place(QWidget* control, int left, int top, int width, int height);
// The same with a design given in twips.
void placeTwips(QWidget* control, int left, int top, int width, int height);

void setForeColour(QWidget* control, Colour colour);
void setBackColour(QWidget* control, Colour colour);

// A caption. Every assignment of the caption raises changed(), as the program relies on it.
class Label : public QLabel {
    Q_OBJECT
  public:
    explicit Label(QWidget* parent = nullptr, const QString& caption = QString());
    QString caption() const { return text(); }
    void setCaption(const QString& caption);
    void setForeColour(Colour colour) { rt::setForeColour(this, colour); }
    void setBackColour(Colour colour);
    void setBackTransparent();
    // 0 none, 1 a single black line around the label.
    int borderStyle() const { return borderStyle_; }
    void setBorderStyle(int style);

  signals:
    void changed();
    void clicked();
    void doubleClicked();
    void mouseDown(Qt::MouseButton button, int x, int y);
    void mouseUp(Qt::MouseButton button, int x, int y);
    void mouseMoved(Qt::MouseButtons buttons, int x, int y);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    int borderStyle_ = 0;
};

// A multi-line text box. changed() follows every change of its text, by the program or the user.
class TextBox : public QPlainTextEdit {
    Q_OBJECT
  public:
    explicit TextBox(QWidget* parent = nullptr);
    QString text() const { return text_; }
    void setText(const QString& text);

  signals:
    void changed();
    void mouseMoved(int x, int y);

  protected:
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    QString text_;
};

// A plain surface that holds other controls and reports the mouse. With a border (style 1) it
// draws a single line (appearance 0, flat) or a sunken 3-D edge (appearance 1), and its picture
// moves inside the border.
class PictureBox : public QWidget {
    Q_OBJECT
  public:
    explicit PictureBox(QWidget* parent = nullptr);
    void setBackColour(Colour colour);
    Colour backColour() const { return back_; }
    void setPicture(const QPixmap& picture);
    QPixmap picture() const { return picture_; }
    int appearance() const { return appearance_; }
    void setAppearance(int appearance);
    int borderStyle() const { return borderStyle_; }
    void setBorderStyle(int style);

  signals:
    void mouseDown(Qt::MouseButton button, int x, int y);
    void mouseUp(Qt::MouseButton button, int x, int y);
    void mouseMoved(Qt::MouseButtons buttons, int x, int y);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    int borderWidth() const;

    Colour back_ = 0xFFFFFF;
    QPixmap picture_;
    int appearance_ = 0;
    int borderStyle_ = 0;
};

// A rectangle frame, optionally filled.
class Shape : public QWidget {
    Q_OBJECT
  public:
    explicit Shape(QWidget* parent = nullptr);
    void setBorderColour(Colour colour);
    Colour borderColour() const { return border_; }
    void setFillColour(std::optional<Colour> colour);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Colour border_ = 0x808080;
    std::optional<Colour> fill_;
};

// A straight line between two points of its parent.
class Line : public QWidget {
    Q_OBJECT
  public:
    explicit Line(QWidget* parent = nullptr);
    void setPoints(int x1, int y1, int x2, int y2);
    void setBorderColour(Colour colour);
    int x1() const { return x1_; }
    int y1() const { return y1_; }
    int x2() const { return x2_; }
    int y2() const { return y2_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
    Colour colour_ = 0;
};

class ListBox : public QListWidget {
    Q_OBJECT
  public:
    explicit ListBox(QWidget* parent = nullptr);
    void addItemText(const QString& text) { addItem(text); }
    QString itemText(int index) const; // 0-based; empty beyond the end
    QStringList items() const;

  signals:
    void mouseMoved(Qt::MouseButtons buttons, int x, int y);
    // A double click anywhere on the list, on an entry or not.
    void mouseDoubleClicked();

  protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

class CheckBox : public QCheckBox {
    Q_OBJECT
  public:
    explicit CheckBox(QWidget* parent = nullptr, const QString& caption = QString());
    bool ticked() const { return isChecked(); }
};

class OptionButton : public QRadioButton {
    Q_OBJECT
  public:
    explicit OptionButton(QWidget* parent = nullptr, const QString& caption = QString());

  signals:
    void mouseMoved();

  protected:
    void mouseMoveEvent(QMouseEvent* event) override;
};

class CommandButton : public QPushButton {
    Q_OBJECT
  public:
    explicit CommandButton(QWidget* parent = nullptr, const QString& caption = QString());
};

// A progress bar with fractional values. A value outside min..max is refused: the bar keeps
// its value. A maximum below the value pulls the value down to it.
class ProgressBar : public QWidget {
    Q_OBJECT
  public:
    explicit ProgressBar(QWidget* parent = nullptr);
    double min() const { return min_; }
    double max() const { return max_; }
    double value() const { return value_; }
    bool setValue(double value);
    void setMin(double min);
    void setMax(double max);
    void setBarColour(Colour colour);
    void setBackColour(Colour colour);
    Colour barColour() const { return bar_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    double min_ = 0, max_ = 100, value_ = 0;
    Colour bar_ = 0x80FF, back_ = 0x404040;
};

// A trackbar. scrolled() follows each move the user makes (dragging the thumb, keys, the wheel,
// clicks on the track); changed() follows each committed change of the value: at once for a
// change not made by dragging (keys, clicks, the program), at the release for a drag. Both come
// after value() holds the new value. The mouse is reported for any button.
class Slider : public QSlider {
    Q_OBJECT
  public:
    explicit Slider(QWidget* parent = nullptr);
    // Whether the slider shows its value in a tooltip while dragged.
    void setValueTipActive(bool active);
    bool valueTipActive() const { return valueTipActive_; }

  signals:
    void scrolled();
    void changed();
    void mouseDown(Qt::MouseButton button, int x, int y);
    void mouseUp(Qt::MouseButton button, int x, int y);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // The background comes from the slider's window, asked for its brush at every paint.
    void paintEvent(QPaintEvent* event) override;

  private:
    void followValue();
    void commit();
    void showValueTip();

    bool valueTipActive_ = true;
    bool userMove_ = false; // the pending value change comes from the user
    int committed_ = 0;
};

} // namespace rt
