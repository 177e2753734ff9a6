#pragma once

#include "runtime/Controls.h"

#include <QImage>
#include <QPointF>

namespace rt {

// A picture box that keeps what is drawn on it across repaints, under its children. The drawing
// follows the box's size: a box that shrinks loses what falls outside, a box that grows shows its
// background in the new part until something is drawn there.
class DrawingBox : public PictureBox {
    Q_OBJECT
  public:
    explicit DrawingBox(QWidget* parent = nullptr);
    Colour foreColour() const { return fore_; }
    void setForeColour(Colour colour) { fore_ = colour; }
    // Inner size in pixels.
    int scaleWidth() const { return width(); }
    int scaleHeight() const { return height(); }
    // A straight line in pixels of the box, without its end point; in the fore colour unless
    // given one.
    void drawLine(QPointF from, QPointF to);
    void drawLine(QPointF from, QPointF to, Colour colour);
    // The colour drawn at a pixel, if anything is.
    std::optional<Colour> drawnAt(int x, int y) const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void fitDrawingToSize();
    void plot(QPoint at, Colour colour);

    Colour fore_ = Black;
    QImage drawing_;
};

} // namespace rt
