// The runtime's window procedures, brush table and the controls that consult them: sliders
// asking their window for a background brush, list headers offering their custom-draw stages,
// toolbars painting the class brush, and the slider's value tooltip.
#include "runtime/WindowProc.h"
#include "runtime/Brushes.h"
#include "runtime/Controls.h"
#include "runtime/ListHeader.h"
#include "runtime/ListView.h"
#include "runtime/Toolbar.h"

#include <QApplication>
#include <QToolTip>
#include <gtest/gtest.h>
#include <vector>

using namespace rt;

namespace {

struct Received {
    QWidget* window;
    unsigned message;
    LParam lParam;
    unsigned stage; // custom-draw stage of a WM_NOTIFY
};
std::vector<Received> received;
LResult answerWith = 0;             // what the recording procedure returns
std::optional<Colour> textForItems; // colours it sets at the item stage
std::optional<Colour> backForItems;

LResult recordingProc(QWidget* window, unsigned message, WParam, LParam lParam) {
    unsigned stage = 0;
    if (message == WM_NOTIFY) {
        const auto* draw = reinterpret_cast<const NmCustomDraw*>(lParam);
        stage = draw->dwDrawStage;
        if (stage == CDDS_ITEMPREPAINT) {
            draw->hdc->textColour = textForItems;
            draw->hdc->backColour = backForItems;
        }
        if (stage == CDDS_PREPAINT)
            return CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYPOSTPAINT;
    }
    received.push_back({window, message, lParam, stage});
    return answerWith;
}

LResult secondProc(QWidget* window, unsigned message, WParam wParam, LParam lParam) {
    return recordingProc(window, message, wParam, lParam) + 1;
}

QRgb pixel(QWidget& widget, int x, int y) {
    return widget.grab().toImage().pixel(x, y);
}

class WindowProcTest : public ::testing::Test {
  protected:
    void SetUp() override {
        received.clear();
        answerWith = 0;
        textForItems.reset();
        backForItems.reset();
    }
};

} // namespace

TEST_F(WindowProcTest, InstallingReturnsThePreviousProcedureAndDestructionIsReported) {
    auto* window = new QWidget;
    EXPECT_EQ(windowProc(window), &defWindowProc);
    EXPECT_EQ(setWindowProc(window, &recordingProc), &defWindowProc);
    EXPECT_EQ(setWindowProc(window, &secondProc), &recordingProc);
    answerWith = 7;
    EXPECT_EQ(sendMessage(window, WM_CTLCOLORSTATIC, 0, 5), 8);
    EXPECT_EQ(callWindowProc(&recordingProc, window, WM_CTLCOLORSTATIC, 0, 5), 7);
    EXPECT_EQ(callWindowProc(nullptr, window, WM_CTLCOLORSTATIC, 0, 5), 0);
    // A failed install changes nothing.
    EXPECT_EQ(setWindowProc(nullptr, &recordingProc), nullptr);
    EXPECT_EQ(setWindowProc(window, nullptr), nullptr);
    EXPECT_EQ(windowProc(window), &secondProc);
    EXPECT_EQ(sendMessage(nullptr, WM_CTLCOLORSTATIC, 0, 0), 0);

    received.clear();
    delete window;
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].message, WM_DESTROY);
    EXPECT_EQ(received[0].window, window);

    // Put back to the system's own, a window's destruction is no longer reported.
    auto* plain = new QWidget;
    setWindowProc(plain, &recordingProc);
    setWindowProc(plain, &defWindowProc);
    received.clear();
    delete plain;
    EXPECT_TRUE(received.empty());
}

TEST_F(WindowProcTest, BrushTableCountsEveryBrushAndNeverReusesAHandle) {
    const int before = brushCount();
    const BrushHandle grey = createSolidBrush(DarkGrey);
    QPixmap picture(4, 4);
    picture.fill(Qt::red);
    const BrushHandle pattern = createPatternBrush(picture);
    EXPECT_EQ(createPatternBrush(QPixmap()), 0);
    EXPECT_EQ(brushCount(), before + 2);
    EXPECT_NE(grey, pattern);
    EXPECT_EQ(brushOf(grey)->color(), toQColor(DarkGrey));
    EXPECT_EQ(brushOf(pattern)->textureImage().pixel(1, 1), QColor(Qt::red).rgb());

    EXPECT_TRUE(deleteBrush(grey));
    EXPECT_FALSE(deleteBrush(grey));
    EXPECT_FALSE(deleteBrush(0));
    EXPECT_FALSE(brushOf(grey).has_value());
    EXPECT_NE(createSolidBrush(DarkGrey), grey);
    EXPECT_EQ(brushCount(), before + 2);
}

TEST_F(WindowProcTest, SliderPaintsTheBrushItsWindowAnswersWith) {
    QWidget window;
    auto* holder = new QWidget(&window); // a slider inside a panel still asks its window
    auto* slider = new Slider(holder);
    slider->resize(120, 30);
    setWindowProc(&window, &recordingProc);

    const QRgb standard = pixel(*slider, 1, 1);
    ASSERT_FALSE(received.empty());
    EXPECT_EQ(received[0].window, &window);
    EXPECT_EQ(received[0].message, WM_CTLCOLORSTATIC);
    EXPECT_EQ(received[0].lParam, handleParam(slider));
    EXPECT_EQ(standard, QApplication::palette().color(QPalette::Window).rgb());

    const BrushHandle red = createSolidBrush(Red);
    answerWith = red;
    EXPECT_EQ(pixel(*slider, 1, 1), QColor(Qt::red).rgb());
    deleteBrush(red); // a stale answer falls back to the standard colour
    EXPECT_EQ(pixel(*slider, 1, 1), standard);
}

TEST_F(WindowProcTest, HeaderOffersItsStagesToTheListAndTakesItsColours) {
    ListView list;
    list.resize(300, 100);
    list.addColumn("One", 100);
    list.addColumn("Two", 100);
    ListHeader& header = *list.listHeader();
    const QPoint inFirstItem(3, 3);

    const QRgb ownLook = pixel(header, inFirstItem.x(), inFirstItem.y());
    setWindowProc(&list, &recordingProc);
    received.clear();
    header.grab();
    std::vector<unsigned> stages;
    for (const Received& r : received)
        stages.push_back(r.stage);
    // PREPAINT itself answered by the procedure without being recorded.
    EXPECT_EQ(stages,
              (std::vector<unsigned>{CDDS_ITEMPREPAINT, CDDS_ITEMPREPAINT, CDDS_POSTPAINT}));
    EXPECT_EQ(pixel(header, inFirstItem.x(), inFirstItem.y()), ownLook);

    backForItems = DarkGrey;
    textForItems = Orange;
    EXPECT_EQ(pixel(header, inFirstItem.x(), inFirstItem.y()), toQColor(DarkGrey).rgb());
    header.setButtonStyle(false);
    EXPECT_EQ(pixel(header, 0, 0), toQColor(DarkGrey).rgb()); // flat: no raised edge
    setWindowProc(&list, &defWindowProc);
}

TEST_F(WindowProcTest, ToolbarsPaintTheClassBrush) {
    Toolbar toolbar;
    toolbar.resize(60, 20);
    const BrushHandle red = createSolidBrush(Red);
    const BrushHandle before = Toolbar::setClassBackground(red);
    EXPECT_EQ(pixel(toolbar, 30, 10), QColor(Qt::red).rgb());
    EXPECT_EQ(Toolbar::setClassBackground(before), red);
    deleteBrush(red);
}

TEST_F(WindowProcTest, SliderShowsItsValueWhileDraggedOnlyWhenTheTipIsActive) {
    Slider slider;
    slider.setRange(0, 100);
    slider.resize(200, 30);
    slider.show();
    slider.setValueTipActive(false);
    slider.setSliderDown(true);
    slider.setSliderPosition(60);
    EXPECT_FALSE(QToolTip::isVisible());
    slider.setSliderDown(false);

    slider.setValueTipActive(true);
    slider.setSliderDown(true);
    slider.setSliderPosition(40);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), "40");
    slider.setSliderDown(false);
}
