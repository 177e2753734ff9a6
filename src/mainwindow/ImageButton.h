#pragma once

#include "runtime/Controls.h"

// A button of the image-button bar: a picture box whose picture dims while it is disabled, and
// which then shows no tooltip either.
class ImageButton : public rt::PictureBox {
  public:
    using rt::PictureBox::PictureBox;

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};
