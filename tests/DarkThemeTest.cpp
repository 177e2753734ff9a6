// The dark theme's window procedures and looks: the sliders' background brushes of both
// windows, the queue header's colours and flat items, the toolbar's class brush and the
// sliders' value tips, alone and as the main window's load and shut-down use them.
#include "TestSupport.h"

#include "core/Main.h"
#include "dialogs/Form3.h"
#include "mainwindow/Form1.h"
#include "runtime/Controls.h"
#include "runtime/ListHeader.h"
#include "runtime/ProgramEnd.h"
#include "theme/ControlLooks.h"
#include "theme/SliderBrushes.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

std::vector<unsigned> passedOn; // messages the replaced procedure received
constexpr rt::LResult PassedOnAnswer = 99;

rt::LResult previousProc(QWidget*, unsigned message, rt::WParam, rt::LParam) {
    passedOn.push_back(message);
    return PassedOnAnswer;
}

QRgb pixel(QWidget& widget, int x, int y) {
    return widget.grab().toImage().pixel(x, y);
}

// A window with two sliders and another control, standing in for either window.
struct SliderWindow {
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    rt::Slider* slider0 = new rt::Slider(window.get());
    rt::Slider* slider1 = new rt::Slider(window.get());
    rt::Label* label = new rt::Label(window.get());

    SliderWindow() { rt::setWindowProc(window.get(), &previousProc); }
    rt::LResult askBackground(QWidget* control) {
        return rt::sendMessage(window.get(), rt::WM_CTLCOLORSTATIC, 0, rt::handleParam(control));
    }
};

rt::LResult notify(QWidget* list, int code, unsigned stage, rt::DeviceContext* dc = nullptr) {
    rt::NmCustomDraw draw;
    draw.hdr.code = code;
    draw.dwDrawStage = stage;
    draw.hdc = dc;
    return rt::sendMessage(list, rt::WM_NOTIFY, 0, rt::recordParam(&draw));
}

class DarkThemeTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        passedOn.clear();
    }
};

} // namespace

TEST_F(DarkThemeTest, MainWindowProcAnswersOnlyItsSlidersWhileItHasABrush) {
    const int brushes = rt::brushCount();
    SliderWindow main;
    MainSliderHwnd0 = main.slider0;
    MainSliderHwnd1 = main.slider1;
    HookMainWindow(main.window.get());
    EXPECT_EQ(MainOldWndProc, &previousProc);

    // No brush yet: the request goes on.
    EXPECT_EQ(main.askBackground(main.slider0), PassedOnAnswer);
    CreateSliderBrushes(rt::DarkGrey, false);
    EXPECT_EQ(main.askBackground(main.slider0), SliderBrush1);
    EXPECT_EQ(main.askBackground(main.slider1), SliderBrush1);
    EXPECT_EQ(main.askBackground(main.label), PassedOnAnswer);
    EXPECT_EQ(pixel(*main.slider1, 1, 1), rt::toQColor(rt::DarkGrey).rgb());

    // Either flag frees the old brush and makes a new one of the given colour.
    const rt::BrushHandle first = SliderBrush1;
    CreateSliderBrushes(rt::Red, false);
    EXPECT_NE(SliderBrush1, first);
    CreateSliderBrushes(rt::DarkGrey, true);
    EXPECT_EQ(rt::brushOf(SliderBrush1)->color(), rt::toQColor(rt::DarkGrey));
    EXPECT_EQ(rt::brushCount(), brushes + 1);

    // Destroyed while hooked, the window frees the brush and unhooks itself.
    passedOn.clear();
    main.window.reset();
    EXPECT_TRUE(passedOn.empty());
    EXPECT_EQ(SliderBrush1, 0);
    EXPECT_EQ(MainOldWndProc, nullptr);
    EXPECT_EQ(rt::brushCount(), brushes);
    UnhookMainWindow(nullptr);
    DeleteSliderBrush();
    EXPECT_EQ(rt::brushCount(), brushes);
}

TEST_F(DarkThemeTest, SettingsDialogCyclesLeaveOneBrushWhileOpenAndTheMainOneAlone) {
    Form1& form = Form1::instance();
    Form3::unload(); // the dialog the load left hidden frees the settings set for the stand-in
    const rt::BrushHandle mainBrush = SliderBrush1;
    const int brushes = rt::brushCount();
    for (int cycle = 0; cycle < 3; ++cycle) {
        SliderWindow settings;
        CreateSettingsSliderBrushes(rt::rgb(64, 64, 64), false);
        SettingsSliderHwnd0 = settings.slider0;
        SettingsSliderHwnd1 = settings.slider1;
        HookSettingsWindow(settings.window.get());
        HookSettingsWindow(settings.window.get()); // a second hook keeps the first
        EXPECT_EQ(settings.askBackground(settings.slider1), SettingsSliderBrush1);
        EXPECT_EQ(rt::sendMessage(settings.window.get(), rt::WM_NOTIFY, 0, 0), PassedOnAnswer);
        // The main window's procedure does not answer for the dialog's sliders.
        EXPECT_EQ(
            rt::sendMessage(&form, rt::WM_CTLCOLORSTATIC, 0, rt::handleParam(settings.slider0)), 0);
        EXPECT_EQ(rt::brushCount(), brushes + 1);

        if (SettingsOldWndProc)
            UnhookSettingsWindow(settings.window.get());
        DeleteSettingsSliderBrush();
        EXPECT_EQ(rt::windowProc(settings.window.get()), &previousProc);
        EXPECT_EQ(rt::brushCount(), brushes);
    }
    EXPECT_EQ(SliderBrush1, mainBrush);
    EXPECT_EQ(rt::sendMessage(&form, rt::WM_CTLCOLORSTATIC, 0, rt::handleParam(&form.Slider1(0))),
              mainBrush);
}

TEST_F(DarkThemeTest, HeaderProcColoursItemsAndPassesEverythingElseOn) {
    rt::ListView list;
    list.resize(300, 100);
    list.addColumn("Index", 100);
    rt::setWindowProc(&list, &previousProc);
    SetListViewHeaderColour(&list);
    EXPECT_EQ(OldHeaderProc, &previousProc);
    EXPECT_EQ(HeaderBackColour, 0xFFFFu);
    EXPECT_EQ(HeaderTextColour, 0xFFu);

    EXPECT_EQ(notify(&list, rt::NM_CUSTOMDRAW, rt::CDDS_PREPAINT), rt::CDRF_NOTIFYITEMDRAW);
    EXPECT_EQ(notify(&list, rt::NM_CUSTOMDRAW, rt::CDDS_ITEMPOSTPAINT), 0);
    EXPECT_TRUE(passedOn.empty());
    EXPECT_EQ(notify(&list, rt::NM_CUSTOMDRAW, rt::CDDS_POSTPAINT), PassedOnAnswer);
    EXPECT_EQ(notify(&list, -2, rt::CDDS_ITEMPREPAINT), PassedOnAnswer);
    EXPECT_EQ(rt::sendMessage(&list, rt::WM_CTLCOLORSTATIC, 0, 0), PassedOnAnswer);
    EXPECT_EQ(passedOn,
              (std::vector<unsigned>{rt::WM_NOTIFY, rt::WM_NOTIFY, rt::WM_CTLCOLORSTATIC}));

    // Colours changed after the hook show at the next paint.
    rt::DeviceContext dc;
    HeaderBackColour = rt::DarkGrey;
    HeaderTextColour = rt::Orange;
    EXPECT_EQ(notify(&list, rt::NM_CUSTOMDRAW, rt::CDDS_ITEMPREPAINT, &dc), rt::CDRF_DODEFAULT);
    EXPECT_EQ(dc.textColour, rt::Orange);
    EXPECT_EQ(dc.backColour, rt::DarkGrey);
    EXPECT_EQ(pixel(*list.listHeader(), 3, 3), rt::toQColor(rt::DarkGrey).rgb());
    HeaderBackColour = rt::Red;
    EXPECT_EQ(pixel(*list.listHeader(), 3, 3), QColor(Qt::red).rgb());
}

TEST_F(DarkThemeTest, FlatHeadersToolbarBrushAndSliderTips) {
    rt::ListView list;
    SetFlatListViewHeaders(list);
    EXPECT_FALSE(list.listHeader()->buttonStyle());
    SetFlatListViewHeaders(list); // the style is flipped, so a second call raises them again
    EXPECT_TRUE(list.listHeader()->buttonStyle());

    rt::Toolbar toolbar;
    const rt::BrushHandle first = rt::createSolidBrush(rt::Red);
    SetToolbarClassBrush(toolbar, first, 1);
    SetToolbarClassBrush(toolbar, rt::createSolidBrush(rt::Green), 1);
    EXPECT_FALSE(rt::brushOf(first).has_value()); // the replaced brush is freed
    SetToolbarClassBrush(toolbar, first, 0);      // only mode 1 acts
    toolbar.resize(20, 20);
    EXPECT_EQ(pixel(toolbar, 5, 5), QColor(Qt::green).rgb());

    rt::Slider slider;
    SetSliderTipActive(&slider, false);
    EXPECT_FALSE(slider.valueTipActive());
    SetSliderTipActive(&slider, true);
    EXPECT_TRUE(slider.valueTipActive());
    SetSliderTipActive(&toolbar, false); // not a slider: left alone
    SetSliderTipActive(nullptr, false);
}

TEST_F(DarkThemeTest, MainWindowStartsDarkAndShutDownReleasesItsHookAndBrushes) {
    Main();
    Form1& form = Form1::instance();
    EXPECT_NE(MainOldWndProc, nullptr);
    EXPECT_EQ(pixel(form.Slider1(0), 1, 1), rt::toQColor(rt::DarkGrey).rgb());
    EXPECT_EQ(HeaderTextColour, rt::Orange);
    EXPECT_EQ(HeaderBackColour, rt::DarkGrey);
    EXPECT_FALSE(form.ListView1->listHeader()->buttonStyle());
    EXPECT_FALSE(form.Slider1(0).valueTipActive());
    EXPECT_FALSE(form.Slider1(1).valueTipActive());
    // The pattern shows wherever nothing on the toolbar covers it.
    int bare = -1;
    for (int x = 0; x < form.Toolbar1->width() && bare < 0; ++x)
        if (!form.Toolbar1->childAt(x, 5))
            bare = x;
    ASSERT_GE(bare, 0);
    const QImage bar = form.Toolbar1->grab().toImage();
    EXPECT_EQ(bar.pixel(bare, 5), form.Picture6->picture().toImage().pixel(bare, 5));

    const int brushes = rt::brushCount();
    form.mnu_Exit_Click();
    EXPECT_EQ(MainOldWndProc, nullptr);
    EXPECT_EQ(SliderBrush1, 0);
    EXPECT_EQ(rt::windowProc(&form), &rt::defWindowProc);
    EXPECT_EQ(SettingsOldWndProc, nullptr);
    EXPECT_EQ(rt::brushCount(), brushes - 2); // the main window's and the settings dialog's
}
