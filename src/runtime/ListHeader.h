#pragma once

#include "runtime/WindowProc.h"

#include <QHeaderView>

namespace rt {

// The column header of a list. It offers each paint to the list's window procedure through
// custom-draw notifications: the list may set an item's text and background colours, or draw
// the item itself. Items are raised buttons or, without the button style, flat.
class ListHeader : public QHeaderView {
    Q_OBJECT
  public:
    // The list is the window its notifications go to.
    explicit ListHeader(QWidget* list);
    bool buttonStyle() const { return buttonStyle_; }
    void setButtonStyle(bool buttons);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;

  private:
    LResult notifyList(unsigned stage, int item, DeviceContext* dc) const;
    void paintItem(QPainter* painter, const QRect& rect, int logicalIndex,
                   const DeviceContext& dc) const;

    QWidget* list_;
    bool buttonStyle_ = true;
    bool notifyItems_ = false; // the current paint asked for each item's stages
};

} // namespace rt
