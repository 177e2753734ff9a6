#include "theme/SliderRulers.h"

#include "runtime/ExactGeometry.h"
#include "runtime/PictureCanvas.h"

#include <cmath>

namespace {

constexpr int RulerHeight = 10;
constexpr int AccentHeight = 3;
constexpr int AccentBelowListTop = 16; // the bottom of the column header
constexpr int StripHeight = 5;
constexpr int MinorTickSpacing = 5;
constexpr int MajorTickSpacing = 25;
constexpr int MinorTickLength = 3;
constexpr int MajorTickLength = 6;
constexpr rt::Colour RulerColour = rt::Orange;
constexpr rt::Colour StripLineColour = rt::rgb(255, 128, 0);

// Positions and sizes are kept in single precision, whatever the sum that gave them.
QRectF box(const QWidget& control) {
    return rt::exactGeometry(&control);
}
void setLeft(QWidget& control, double left) {
    rt::setExactLeft(&control, float(left));
}
void setTop(QWidget& control, double top) {
    rt::setExactTop(&control, float(top));
}
void setHeight(QWidget& control, double height) {
    rt::setExactHeight(&control, float(height));
}
// A picture box refuses a negative width and keeps the one it has.
void setWidth(QWidget& control, double width) {
    if (width < 0)
        return;
    QRectF exact = box(control);
    exact.setWidth(float(width));
    rt::setExactGeometry(&control, exact);
}

void placeOver(QWidget& ruler, const QWidget& slider, double leftInset, double narrower) {
    const QRectF s = box(slider);
    setLeft(ruler, s.left() + leftInset);
    setTop(ruler, s.top());
    setWidth(ruler, s.width() - narrower);
    setHeight(ruler, RulerHeight);
}

// The strips' first places: each offset is from the slider's left edge, except the right strip
// of the percent slider, which keeps its design width from the slider's right edge.
struct TrackDesign {
    int slider;
    double left;
    bool fromRightEdge;
    double lower;  // below the slider's middle, after half the strip's height
    int widthLess; // the width is the slider's width less its value and this
};
constexpr TrackDesign Tracks[] = {
    {0, 8, false, 0, 70},
    {0, -5, true, 0, 90},
    {1, 5, false, -1, 37},
    {1, 153, false, -1, 69},
};

void layoutTrack(rt::PictureBox& strip, const rt::Slider& slider, const TrackDesign& design) {
    const QRectF s = box(slider);
    const int value = slider.value();
    setHeight(strip, StripHeight);
    const double h = box(strip).height();
    const double from = design.fromRightEdge ? s.width() - box(strip).width() : 0;
    setLeft(strip, s.left() + from + design.left);
    setTop(strip, s.top() + s.height() / 2 + h / 2 + design.lower);
    setWidth(strip, s.width() - value - design.widthLess);
    DrawTrackMiddleLine(strip);
}

} // namespace

void DrawRulerTicks(rt::PictureBox& ruler, int count) {
    rt::PictureCanvas canvas(ruler);
    for (int i = 0; i <= count; ++i) {
        const double minor = MinorTickSpacing * i;
        double bottom = canvas.scaleHeight();
        canvas.drawLine(QPointF(minor, bottom - MinorTickLength), QPointF(minor, bottom),
                        RulerColour);
        const double major = MajorTickSpacing * i;
        bottom = canvas.scaleHeight();
        canvas.drawLine(QPointF(major, bottom - MajorTickLength), QPointF(major, bottom),
                        RulerColour);
    }
}

void DrawTrackMiddleLine(rt::PictureBox& strip) {
    rt::PictureCanvas canvas(strip);
    const double middle = canvas.scaleHeight() / 2.0;
    canvas.drawLine(QPointF(0, middle), QPointF(canvas.scaleWidth(), middle), StripLineColour);
}

void LayoutSliderRulers(const MainSliderDecorations& window) {
    const QRectF list = box(window.ListView1);
    setLeft(window.Picture7, list.left());
    setWidth(window.Picture7, list.width());
    setHeight(window.Picture7, AccentHeight);
    setTop(window.Picture7, list.top() + AccentBelowListTop);
    placeOver(window.Picture8, window.Slider1(0), 8, 15);
    placeOver(window.Picture9, window.Slider1(1), 7, 12);
}

void CreateMainSliderIncrements(const MainSliderDecorations& window) {
    DrawRulerTicks(window.Picture8, rt::scaleSize(window.Picture8).width());
    DrawRulerTicks(window.Picture9, rt::scaleSize(window.Picture9).width());
}

void LayoutSliderTracks(const MainSliderDecorations& window) {
    for (int i = 0; i < 4; ++i)
        layoutTrack(window.Picture11(i), window.Slider1(Tracks[i].slider), Tracks[i]);
}

// Each strip's line is drawn before it is resized: a strip that grows shows its line over the
// new part only from the next move on.
void UpdatePercentSliderTrack(const MainSliderDecorations& window) {
    const rt::Slider& slider = window.Slider1(0);
    const QRectF s = box(slider);
    const int value = slider.value();
    rt::PictureBox& left = window.Picture11(0);
    rt::PictureBox& right = window.Picture11(1);
    DrawTrackMiddleLine(left);
    setLeft(left, s.left() + 8);
    setWidth(left, value * 2.5 - 23.9);
    setLeft(right, s.left() + value * 2.6 - 8.5);
    DrawTrackMiddleLine(right);
    setWidth(right, s.width() + 11 - box(right).left());
}

void UpdateAudioSliderTrack(const MainSliderDecorations& window) {
    const rt::Slider& slider = window.Slider1(1);
    const QRectF s = box(slider);
    const int value = slider.value();
    rt::PictureBox& left = window.Picture11(2);
    rt::PictureBox& right = window.Picture11(3);
    DrawTrackMiddleLine(left);
    setLeft(left, s.left() + 8);
    setWidth(left, value * 1.55 - 9);
    DrawTrackMiddleLine(right);
    setLeft(right, s.left() + 10 + value * 1.55);
    setWidth(right, (s.width() - value) * 1.55 - 160);
}

void CreateSliderIncrements(const SettingsSliderRulers& dialog) {
    for (auto [ruler, slider] : {std::pair{&dialog.Picture2, &dialog.Slider1(0)},
                                 std::pair{&dialog.Picture3, &dialog.Slider1(1)}}) {
        placeOver(*ruler, *slider, 0, 0);
        DrawRulerTicks(*ruler, int(std::lround(box(*ruler).width())));
    }
}
