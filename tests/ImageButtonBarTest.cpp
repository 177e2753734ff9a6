#include "TestSupport.h"

#include "core/Main.h"
#include "core/Settings.h"
#include "mainwindow/Form1.h"
#include "runtime/Dialogs.h"

#include <QApplication>
#include <QHelpEvent>
#include <QToolTip>

namespace {

// The tooltip a control shows when the mouse rests on it; empty when it shows none (a tip already
// showing is then left as it is).
QString tipShownOver(QWidget& control) {
    const QPoint at(10, 10);
    const QString noTip = "(no tip)";
    QToolTip::showText(control.mapToGlobal(at), noTip);
    QHelpEvent rest(QEvent::ToolTip, at, control.mapToGlobal(at));
    QApplication::sendEvent(&control, &rest);
    return QToolTip::text() == noTip ? QString() : QToolTip::text();
}

class ImageButtonBarTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        Main();
    }
    Form1& form() { return Form1::instance(); }

    // Sends a mouse event as the window system would, so disabled buttons pass it on.
    static void mouse(QWidget& target, QEvent::Type type, Qt::MouseButton button) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? button : Qt::NoButton;
        sendMouse(&target, type, button, held, QPointF(10, 10));
    }
    static void press(QWidget& target, Qt::MouseButton button = Qt::LeftButton) {
        mouse(target, QEvent::MouseButtonPress, button);
    }
    static void release(QWidget& target, Qt::MouseButton button = Qt::LeftButton) {
        mouse(target, QEvent::MouseButtonRelease, button);
    }

    bool barButtonsEnabled(int first, int last) {
        for (int i = first; i <= last; ++i)
            if (!form().Picture16(i).isEnabled())
                return false;
        return true;
    }
};

TEST_F(ImageButtonBarTest, HoverFramesTheButtonAndSetsItsTip) {
    Form1& window = form();
    const char* tips[] = {
        " Add Videos to the compression list ", " Remove Videos from the compression list ",
        " Start compressing the videos ", " Create a new folder for the compressed videos ",
        " Stop compressing all videos and exit all compressing processes "};
    for (int i = 0; i <= 4; ++i) {
        window.Picture16_MouseMove(i);
        const QRect button = window.Picture16(i).geometry();
        EXPECT_EQ(window.Shape13->geometry(), button.adjusted(-1, -1, 1, 1));
        EXPECT_FALSE(window.Shape13->isHidden());
        EXPECT_EQ(window.Picture16(i).toolTip(), tips[i]);
    }
    window.show();
    EXPECT_EQ(tipShownOver(window.Picture16(0)), tips[0]);
    // A disabled button takes no mouse events: its tip stays hidden.
    window.ToolButtonUp(2);
    EXPECT_EQ(tipShownOver(window.Picture16(0)), "");
    EXPECT_EQ(tipShownOver(window.Picture16(4)), tips[4]);
}

// A release that no hover preceded shows the frame where it starts: around the first button.
TEST_F(ImageButtonBarTest, FrameShownBeforeAnyHoverSurroundsTheFirstButton) {
    Form1& window = form();
    ASSERT_TRUE(window.Shape13->isHidden());
    window.ToolButtonUp(5);
    EXPECT_FALSE(window.Shape13->isHidden());
    EXPECT_EQ(window.Shape13->geometry(), window.Picture16(0).geometry().adjusted(-1, -1, 1, 1));
}

TEST_F(ImageButtonBarTest, PressShowsThePressedLookAndReleaseRestoresIt) {
    Form1& window = form();
    rt::PictureBox& add = window.Picture16(0);
    window.Picture16_MouseMove(0);
    press(add);
    EXPECT_TRUE(window.Shape13->isHidden());
    EXPECT_EQ(add.appearance(), 1);
    EXPECT_EQ(add.borderStyle(), 1);
    EXPECT_EQ(add.backColour(), rt::Orange);
    release(add);
    EXPECT_FALSE(window.Shape13->isHidden());
    EXPECT_EQ(add.appearance(), 0);
    EXPECT_EQ(add.borderStyle(), 0);
    EXPECT_EQ(add.backColour(), rt::NearBlack);
}

TEST_F(ImageButtonBarTest, AnyPressOnStartHidesTheStopFrameButOnlyLeftPresses) {
    Form1& window = form();
    ASSERT_FALSE(window.Shape14->isHidden());
    press(window.Picture16(2), Qt::RightButton);
    EXPECT_TRUE(window.Shape14->isHidden());
    EXPECT_EQ(window.Picture16(2).appearance(), 0);
    press(window.Picture16(1), Qt::RightButton);
    EXPECT_EQ(window.Picture16(1).backColour(), rt::NearBlack);
}

TEST_F(ImageButtonBarTest, RightButtonReleaseRunsTheCommand) {
    Form1& window = form();
    release(window.Picture16(2), Qt::RightButton);
    EXPECT_FALSE(barButtonsEnabled(0, 0));
    EXPECT_TRUE(window.Picture16(4).isEnabled());
}

TEST_F(ImageButtonBarTest, StartLocksTheBarNotTheToolbarOrMenus) {
    Form1& window = form();
    window.Option1(4).setChecked(true);
    window.ToolButtonUp(2);
    for (int i = 0; i <= 3; ++i)
        EXPECT_FALSE(window.Picture16(i).isEnabled()) << i;
    EXPECT_TRUE(window.Picture16(4).isEnabled());
    window.Label10.forEach(
        [](int i, rt::Label& hitArea) { EXPECT_FALSE(hitArea.isEnabled()) << i; });
    window.Label11.forEach(
        [](int i, rt::Label& caption) { EXPECT_TRUE(caption.isEnabled()) << i; });
    EXPECT_FALSE(window.Slider1(0).isEnabled());
    EXPECT_FALSE(window.Slider1(1).isEnabled());
    for (int button = 1; button <= 9; ++button)
        EXPECT_TRUE(window.Toolbar1->button(button).isEnabled()) << button;
    window.Option1.forEach(
        [](int i, rt::OptionButton& option) { EXPECT_TRUE(option.isEnabled()) << i; });
    EXPECT_TRUE(window.mnu_File->isEnabled());
    EXPECT_TRUE(window.mnu_ContextMenu->isEnabled());
}

TEST_F(ImageButtonBarTest, EndOfRunLeavesTheBarLockedUntilItsStop) {
    Form1& window = form();
    window.ToolButtonUp(2);
    // The run ends on its own: value and maximum of the overall bar meet.
    window.PBar1(2).setValue(100);
    window.Label1(7).setCaption("100.00%");
    EXPECT_TRUE(window.Slider1(0).isEnabled());
    EXPECT_FALSE(barButtonsEnabled(0, 3));

    // A disabled button takes no clicks.
    release(window.Picture16(0));
    EXPECT_TRUE(rt::uiScript().openDialogTitles.empty());

    release(window.Picture16(4));
    EXPECT_TRUE(barButtonsEnabled(0, 4));
    EXPECT_TRUE(CancelRequested);
}

// The stop ends the run lock as the toolbar's stop does: the next run's target size and preset
// can be chosen at once.
TEST_F(ImageButtonBarTest, StopReenablesTheBarAndEndsTheRunLock) {
    Form1& window = form();
    window.ToolButtonUp(2);
    window.ToolButtonUp(4);
    EXPECT_TRUE(barButtonsEnabled(0, 4));
    EXPECT_TRUE(window.Slider1(0).isEnabled());
    EXPECT_TRUE(window.Slider1(1).isEnabled());
    window.Label10.forEach(
        [](int i, rt::Label& hitArea) { EXPECT_TRUE(hitArea.isEnabled()) << i; });
    EXPECT_TRUE(CancelRequested);
}

TEST_F(ImageButtonBarTest, RunStartedFromAMenuCanBeStoppedFromTheBar) {
    Form1& window = form();
    for (QAction* start : {window.mnu_StartCompression, window.mnu_StartCompr}) {
        window.Picture16(4).setEnabled(false);
        CancelRequested = false;
        start->trigger();
        release(window.Picture16(4));
        EXPECT_TRUE(CancelRequested) << start->text().toStdString();
    }
}

} // namespace
