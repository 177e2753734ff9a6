#pragma once

#include "runtime/Colour.h"
#include "runtime/ControlArray.h"
#include "runtime/Controls.h"

// A circle shape: the largest circle that fits its box, centred in it and drawn at the box's
// exact place, so boxes that fall between pixels still line up. The mouse passes through it to
// whatever lies beneath.
class CircleShape : public QWidget {
    Q_OBJECT
  public:
    explicit CircleShape(QWidget* parent = nullptr);
    rt::Colour borderColour() const { return border_; }
    void setBorderColour(rt::Colour colour);
    rt::Colour fillColour() const { return fill_; }
    void setFillColour(rt::Colour colour);
    // Kept with the other colours; the solid fill covers the inside.
    rt::Colour backColour() const { return back_; }
    void setBackColour(rt::Colour colour) { back_ = colour; }
    bool solidFill() const { return solidFill_; }
    void setSolidFill(bool solid);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    rt::Colour border_ = rt::Black;
    rt::Colour fill_ = rt::Black;
    rt::Colour back_ = rt::White;
    bool solidFill_ = false;
};

// The preset group's controls, as the main window holds them: the frame and its title bar, the
// panel, and per preset a ring, a dot, a caption and a hit area.
struct PresetSelectorControls {
    rt::Shape& Shape7;
    rt::Shape& Shape8;
    rt::PictureBox& Picture13;
    rt::ControlArray<CircleShape>& Shape11;
    rt::ControlArray<CircleShape>& Shape12;
    rt::ControlArray<rt::Label>& Label11;
    rt::ControlArray<rt::Label>& Label10;
};

// Fits the panel inside the frame below its title bar, lays the rings, dots, captions and hit
// areas out in two rows of three, and shows the first preset as the chosen one.
void LayoutPresetSelector(const PresetSelectorControls& group);
