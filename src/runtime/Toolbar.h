#pragma once

#include "runtime/Brushes.h"

#include <QPixmap>
#include <QToolButton>
#include <QWidget>
#include <memory>
#include <vector>

namespace rt {

// One button of a toolbar. Its Tag carries the command it stands for; separators and
// placeholders are buttons too, only drawn differently and with an empty Tag.
class ToolbarButton : public QToolButton {
    Q_OBJECT
  public:
    enum Style { Default = 0, Separator = 3, Placeholder = 4 };

    explicit ToolbarButton(QWidget* parent = nullptr, Style style = Default);
    Style style() const { return style_; }
    QString tag() const { return tag_; }
    void setTag(const QString& tag) { tag_ = tag; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Style style_;
    QString tag_;
};

// A toolbar with buttons numbered from 1, laid out left to right, and an image list the
// buttons take their pictures from (images numbered from 1). Other controls may be placed
// on it freely. Every click of a button raises buttonClick with that button; the mouse over the
// bar's own surface (and over buttons that let it through) raises mouseMoved and doubleClicked.
class Toolbar : public QWidget {
    Q_OBJECT
  public:
    explicit Toolbar(QWidget* parent = nullptr);

    void setImageList(const std::vector<QPixmap>& images);
    ToolbarButton& addButton(ToolbarButton::Style style, const QString& tag = QString(),
                             int image = 0, const QString& toolTip = QString());
    int buttonCount() const { return int(buttons_.size()); }
    // Button n (1-based); a button that does not exist yields a detached stand-in.
    ToolbarButton& button(int n);

    // The background brush of every toolbar (none at first: the palette's colour). Returns the
    // brush it replaces, which the toolbars no longer use.
    static BrushHandle setClassBackground(BrushHandle brush);

  signals:
    void buttonClick(rt::ToolbarButton* button);
    void mouseMoved(Qt::MouseButtons buttons, int x, int y);
    void doubleClicked();

  protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    static inline BrushHandle classBackground_ = 0;
    std::vector<QPixmap> images_;
    std::vector<ToolbarButton*> buttons_;
    std::unique_ptr<ToolbarButton> missing_;
    int nextLeft_ = 2;
};

} // namespace rt
