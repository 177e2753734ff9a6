#pragma once

#include "runtime/Controls.h"

#include <QImage>
#include <QPointF>

namespace rt {

// A picture box's inner size in pixels (ScaleWidth, ScaleHeight): inside its border.
QSize scaleSize(const PictureBox& box);

// Persistent drawing on a picture box: what is drawn goes into the box's picture, so it stays
// across repaints. The picture keeps to the box's inner size whenever it is drawn on: a box that
// shrank loses what fell outside, and one that grew shows its background in the new part until
// something is drawn there. The drawing shows when the canvas ends.
class PictureCanvas {
  public:
    explicit PictureCanvas(PictureBox& box);
    ~PictureCanvas();
    PictureCanvas(const PictureCanvas&) = delete;
    PictureCanvas& operator=(const PictureCanvas&) = delete;

    // The box's inner size in pixels.
    int scaleWidth() const { return image_.width(); }
    int scaleHeight() const { return image_.height(); }
    // A straight line in pixels of the box, without its end point.
    void drawLine(QPointF from, QPointF to, Colour colour);

  private:
    PictureBox& box_;
    QImage image_;
};

} // namespace rt
