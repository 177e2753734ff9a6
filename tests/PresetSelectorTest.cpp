#include "TestSupport.h"

#include "core/Main.h"
#include "core/Settings.h"
#include "mainwindow/Form1.h"
#include "runtime/ExactGeometry.h"

#include <QApplication>

namespace {

class PresetSelectorTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        Main();
    }
    Form1& form() { return Form1::instance(); }

    static void mouse(QWidget& target, QEvent::Type type, Qt::MouseButton button) {
        sendMouse(&target, type, button, Qt::NoButton, QPointF(2, 2));
    }
    static void release(QWidget& target, Qt::MouseButton button = Qt::LeftButton) {
        mouse(target, QEvent::MouseButtonRelease, button);
    }
    static void moveOver(QWidget& target) { mouse(target, QEvent::MouseMove, Qt::NoButton); }

    std::vector<rt::Colour> ringBorders() {
        std::vector<rt::Colour> borders;
        form().Shape11.forEach(
            [&](int, CircleShape& ring) { borders.push_back(ring.borderColour()); });
        return borders;
    }
    std::vector<rt::Colour> dotFills() {
        std::vector<rt::Colour> fills;
        form().Shape12.forEach([&](int, CircleShape& dot) { fills.push_back(dot.fillColour()); });
        return fills;
    }
    std::vector<int> italicCaptions() {
        std::vector<int> italic;
        form().Label11.forEach([&](int i, rt::Label& caption) {
            if (caption.font().italic())
                italic.push_back(i);
        });
        return italic;
    }
    // Whether the control is drawn in front of every other control of its panel.
    static bool inFront(QWidget& control) {
        return control.parentWidget()->children().last() == &control;
    }
};

void expectBox(const QWidget& control, float left, float top, float width, float height) {
    const QRectF box = rt::exactGeometry(&control);
    EXPECT_FLOAT_EQ(float(box.left()), left);
    EXPECT_FLOAT_EQ(float(box.top()), top);
    EXPECT_FLOAT_EQ(float(box.width()), width);
    EXPECT_FLOAT_EQ(float(box.height()), height);
}

TEST_F(PresetSelectorTest, LoadLaysTheGroupOutInTwoRowsOfThree) {
    Form1& window = form();
    const QRect frame = window.Shape7->geometry();
    const QRect titleBar = window.Shape8->geometry();
    EXPECT_EQ(window.Picture13->geometry(),
              QRect(frame.left() + 2, titleBar.bottom() + 2, frame.width() - 3, 44));
    EXPECT_GE(window.Picture4->y(), window.Picture13->height()); // the options stay out of sight

    const float ringLefts[] = {0, 72.6f, 145.2f};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        const float left = ringLefts[i % 3];
        const bool firstRow = i < 3;
        expectBox(window.Shape11(i), left, firstRow ? 0 : 20, 33, 15);
        expectBox(window.Shape12(i), left + 8, firstRow ? 4.6f : 25, 17, 5);
        EXPECT_FLOAT_EQ(float(rt::exactGeometry(&window.Label11(i)).left()), left + 33);
        EXPECT_FLOAT_EQ(float(rt::exactGeometry(&window.Label11(i)).top()), firstRow ? 0 : 20);
        expectBox(window.Label10(i), left + 8, firstRow ? 0 : 20, 16.5f, 15);
        EXPECT_TRUE(window.Shape11(i).solidFill());
        EXPECT_EQ(window.Shape11(i).fillColour(), rt::Black);
        EXPECT_EQ(window.Label10(i).borderStyle(), 0);
        EXPECT_FALSE(window.Label10(i).autoFillBackground());
    }
    EXPECT_EQ(ringBorders(), std::vector<rt::Colour>(6, rt::Silver));
    const rt::Colour G = rt::DarkGrey;
    EXPECT_EQ(dotFills(), (std::vector<rt::Colour>{rt::Orange, G, G, G, G, G}));
    EXPECT_EQ(window.Shape12(0).borderColour(), rt::Orange);
    EXPECT_EQ(italicCaptions(), std::vector<int>{0});
    EXPECT_EQ(window.Label11(4).caption(), "slower");
}

TEST_F(PresetSelectorTest, LayoutFollowsTheFrameAndTheRingWidth) {
    Form1& window = form();
    rt::place(window.Shape7, 600, 40, 300, 70);
    rt::place(window.Shape8, 600, 40, 300, 30);
    window.Shape11.forEach([](int, CircleShape& ring) { rt::place(&ring, 0, 0, 40, 40); });
    LayoutPresetSelector(window.presetSelector());

    EXPECT_EQ(window.Picture13->geometry(), QRect(602, 71, 297, 44));
    expectBox(window.Shape11(4), 88, 20, 40, 15);
    expectBox(window.Shape12(4), 99.5f, 25, 17, 5);
    expectBox(window.Shape12(2), 187.5f, 4.6f, 17, 5);
    EXPECT_FLOAT_EQ(float(rt::exactGeometry(&window.Label11(4)).left()), 128);
    expectBox(window.Label10(5), 184, 20, 20, 15);
}

TEST_F(PresetSelectorTest, ClickOnCaptionOrHitAreaChoosesThePreset) {
    Form1& window = form();
    release(window.Label11(4), Qt::RightButton);
    EXPECT_EQ(X265Preset, "slower");
    EXPECT_EQ(window.StatusBar1->panelText(6), "Preset: slower");
    EXPECT_EQ(window.Label1(10).caption(), "Preset: slower");
    EXPECT_TRUE(window.Option1(4).isChecked());
    EXPECT_TRUE(window.Option1(4).font().italic());
    EXPECT_FALSE(window.Option1(0).font().italic());
    EXPECT_EQ(italicCaptions(), std::vector<int>{4});
    const rt::Colour B = rt::Black;
    EXPECT_EQ(dotFills(), (std::vector<rt::Colour>{B, B, B, B, rt::Orange, B}));
    EXPECT_EQ(window.Shape12(0).borderColour(), rt::Black);
    EXPECT_TRUE(inFront(window.Shape12(4)));

    release(window.Label10(1));
    EXPECT_EQ(X265Preset, "veryfast");
    EXPECT_EQ(window.Label1(10).caption(), "Preset: veryfast");
    EXPECT_EQ(italicCaptions(), std::vector<int>{1});
    EXPECT_EQ(dotFills(), (std::vector<rt::Colour>{B, rt::Orange, B, B, B, B}));
    window.Option1_Click(6);
    EXPECT_EQ(X265Preset, "veryfast");

    // The preset the job command lines read follows the choice, also while a run is locked:
    // the captions stay usable even though the other options are disabled.
    window.Toolbar1_ButtonClick(&window.Toolbar1->button(5));
    ASSERT_FALSE(window.Option1(3).isEnabled());
    release(window.Label11(3));
    EXPECT_EQ(X265Preset, "medium");
    EXPECT_EQ(window.StatusBar1->panelText(6), "Preset: medium");
}

TEST_F(PresetSelectorTest, RingsLightUpUnderTheMouse) {
    Form1& window = form();
    const rt::Colour S = rt::Silver, W = rt::White;
    moveOver(window.Label10(2));
    EXPECT_EQ(ringBorders(), (std::vector<rt::Colour>{S, S, W, S, S, S}));
    moveOver(window.Label10(5));
    EXPECT_EQ(ringBorders(), (std::vector<rt::Colour>{S, S, S, S, S, W}));
    moveOver(window.Label11(5)); // captions have no hover look
    EXPECT_EQ(ringBorders(), (std::vector<rt::Colour>{S, S, S, S, S, W}));
    moveOver(*window.Picture13);
    EXPECT_EQ(ringBorders(), std::vector<rt::Colour>(6, S));

    moveOver(window.Option1(2));
    EXPECT_EQ(window.Option1(2).toolTip(), " Slower presets, have slightly higher quality ");
}

} // namespace
