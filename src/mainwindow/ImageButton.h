#pragma once

#include "runtime/Controls.h"

// A button of the image-button bar: a picture box whose picture dims while it is disabled.
class ImageButton : public rt::PictureBox {
  public:
    using rt::PictureBox::PictureBox;

  protected:
    void paintEvent(QPaintEvent* event) override;
};
