#include "TestSupport.h"

#include "core/Main.h"
#include "mainwindow/Form1.h"
#include "runtime/ExactGeometry.h"
#include "runtime/PictureCanvas.h"
#include "theme/SliderRulers.h"

#include <QImage>

namespace {

QRectF box(const QWidget& control) {
    return rt::exactGeometry(&control);
}

void expectBox(const QWidget& control, float left, float top, float width, float height) {
    const QRectF exact = box(control);
    EXPECT_FLOAT_EQ(float(exact.left()), left);
    EXPECT_FLOAT_EQ(float(exact.top()), top);
    EXPECT_FLOAT_EQ(float(exact.width()), width);
    EXPECT_FLOAT_EQ(float(exact.height()), height);
}

// The colour drawn at a pixel of the box's picture, if anything is.
std::optional<rt::Colour> drawnAt(const rt::PictureBox& drawing, int x, int y) {
    const QImage picture = drawing.picture().toImage();
    if (!picture.rect().contains(x, y) || picture.pixelColor(x, y).alpha() == 0)
        return std::nullopt;
    const QColor colour = picture.pixelColor(x, y);
    return rt::rgb(colour.red(), colour.green(), colour.blue());
}

// The x positions of one pixel row where something is drawn.
std::vector<int> drawnAlong(const rt::PictureBox& drawing, int y) {
    std::vector<int> xs;
    for (int x = 0; x < drawing.width(); ++x)
        if (drawnAt(drawing, x, y))
            xs.push_back(x);
    return xs;
}

std::vector<int> everyStep(int from, int to, int step) {
    std::vector<int> xs;
    for (int x = from; x <= to; x += step)
        xs.push_back(x);
    return xs;
}

TEST(PictureCanvas, LinesLeaveOutTheirEndStayOnRepaintAndFollowTheBoxSize) {
    rt::PictureBox drawing;
    drawing.setBackColour(rt::DarkGrey);
    rt::place(&drawing, 0, 0, 20, 10);
    {
        rt::PictureCanvas canvas(drawing);
        canvas.drawLine(QPointF(0, 5), QPointF(10, 5), rt::Red);
        canvas.drawLine(QPointF(15, 9.5), QPointF(15, 0), rt::Orange);
    }
    EXPECT_EQ(drawnAlong(drawing, 5), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 15}));
    EXPECT_EQ(drawnAt(drawing, 15, 0), std::nullopt);
    EXPECT_EQ(drawnAt(drawing, 15, 9), rt::Orange);
    EXPECT_EQ(drawing.grab().toImage().pixelColor(3, 5), rt::toQColor(rt::Red));

    rt::place(&drawing, 0, 0, 5, 10);
    rt::PictureCanvas(drawing).drawLine(QPointF(0, 1), QPointF(1, 1), rt::Red);
    rt::place(&drawing, 0, 0, 20, 10); // the part that was cut off comes back empty
    EXPECT_EQ(drawnAlong(drawing, 5), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(drawing.grab().toImage().pixelColor(8, 5), rt::toQColor(rt::DarkGrey));
}

TEST(SliderRuler, TicksEveryFivePixelsAndLongerOnesEveryTwentyFive) {
    rt::PictureBox ruler;
    rt::place(&ruler, 0, 0, 200, 10);
    DrawRulerTicks(ruler, 200);
    EXPECT_EQ(drawnAlong(ruler, 9), everyStep(0, 195, 5));
    EXPECT_EQ(drawnAlong(ruler, 7), everyStep(0, 195, 5));
    EXPECT_EQ(drawnAlong(ruler, 6), everyStep(0, 175, 25));
    EXPECT_EQ(drawnAlong(ruler, 4), everyStep(0, 175, 25));
    EXPECT_TRUE(drawnAlong(ruler, 3).empty());
    EXPECT_EQ(drawnAt(ruler, 25, 9), rt::Orange);
}

TEST(SettingsSliderRulers, EachRulerLiesOverTheTopOfItsSliderWithItsTicks) {
    QWidget dialog;
    rt::ControlArray<rt::Slider> sliders;
    sliders.add(0, new rt::Slider(&dialog));
    sliders.add(1, new rt::Slider(&dialog));
    rt::place(&sliders(0), 112, 288, 265, 33);
    rt::place(&sliders(1), 112, 328, 305, 33);
    rt::PictureBox picture2(&dialog), picture3(&dialog);
    CreateSliderIncrements({sliders, picture2, picture3});
    expectBox(picture2, 112, 288, 265, 10);
    expectBox(picture3, 112, 328, 305, 10);
    EXPECT_EQ(drawnAlong(picture2, 9), everyStep(0, 260, 5));
    EXPECT_EQ(drawnAlong(picture3, 5), everyStep(0, 300, 25));
}

class SliderDecorationsTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        Main();
    }
    Form1& form() { return Form1::instance(); }
    rt::PictureBox& strip(int i) { return form().Picture11(i); }
    float right(const QWidget& control) { return float(box(control).right()); }
};

TEST_F(SliderDecorationsTest, LoadPlacesRulersAndStripsAndDrawsTheirLines) {
    Form1& window = form();
    const QRect list = window.ListView1->geometry();
    expectBox(*window.Picture7, list.left(), list.top() + 16, list.width(), 3);
    expectBox(*window.Picture8, 24, 80, 242, 10);
    expectBox(*window.Picture9, 303, 80, 253, 10);
    EXPECT_EQ(drawnAlong(*window.Picture8, 9), everyStep(0, 240, 5));
    EXPECT_EQ(drawnAlong(*window.Picture9, 4), everyStep(0, 250, 25));

    // Design values 60 and 92; the right strip of the percent slider keeps its design width
    // from the slider's right edge.
    expectBox(strip(0), 24, 99, 127, 5);
    expectBox(strip(1), 163, 99, 107, 5);
    expectBox(strip(2), 301, 100, 136, 5);
    expectBox(strip(3), 449, 100, 104, 5);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(drawnAt(strip(i), 0, 2), rt::Orange) << i;
        EXPECT_EQ(drawnAt(strip(i), 0, 1), std::nullopt) << i;
    }
}

TEST_F(SliderDecorationsTest, PercentStripsFrameTheThumbAndEndAtTheSameRightEdge) {
    rt::Slider& percent = form().Slider1(0);
    percent.setValue(10);
    expectBox(strip(0), 24, 99, 1.1f, 5);
    EXPECT_FLOAT_EQ(float(box(strip(1)).left()), 16 + 17.5f);
    EXPECT_FLOAT_EQ(right(strip(1)), 268);

    percent.setValue(100);
    EXPECT_FLOAT_EQ(float(box(strip(0)).width()), 226.1f);
    EXPECT_FLOAT_EQ(float(box(strip(1)).left()), 16 + 251.5f);
    EXPECT_FLOAT_EQ(right(strip(1)), 268);

    // The right strip grows: its line covers the new part only from the next move on.
    percent.setValue(60);
    EXPECT_EQ(drawnAt(strip(1), 0, 2), rt::Orange);
    EXPECT_EQ(drawnAt(strip(1), 10, 2), std::nullopt);
    EXPECT_EQ(strip(1).grab().toImage().pixelColor(10, 2), rt::toQColor(rt::DarkGrey));
    percent.setValue(59);
    EXPECT_EQ(drawnAt(strip(1), 10, 2), rt::Orange);
}

TEST_F(SliderDecorationsTest, AudioStripsFollowTheValueAndANegativeWidthIsRefused) {
    rt::Slider& audio = form().Slider1(1);
    audio.setValue(100);
    audio.setValue(92);
    expectBox(strip(2), 304, 100, 133.6f, 5);
    expectBox(strip(3), 296 + 152.6f, 100, (265 - 92) * 1.55f - 160, 5);
    audio.setValue(5);
    EXPECT_FLOAT_EQ(float(box(strip(2)).width()), 133.6f);
    EXPECT_FLOAT_EQ(right(strip(3)), 296 + 10 + 1.55f * 265 - 160);
    EXPECT_EQ(form().StatusBar1->panelText(5), "AAC Audio Bitrate: 5Kb/s");
}

TEST_F(SliderDecorationsTest, ResizeMovesTheRulersWithTheListButNotTheStrips) {
    Form1& window = form();
    window.show();
    const QRectF stripBefore = box(strip(1));
    window.resize(window.width() + 150, window.height() + 40);
    const QRect list = window.ListView1->geometry();
    expectBox(*window.Picture7, list.left(), list.top() + 16, list.width(), 3);
    expectBox(*window.Picture8, 24, 80, 242, 10);
    EXPECT_EQ(box(strip(1)), stripBefore);
    EXPECT_EQ(drawnAlong(*window.Picture8, 9), everyStep(0, 240, 5));
}

} // namespace
