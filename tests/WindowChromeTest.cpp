// The main window's own chrome: moving it from its surfaces, the title buttons with their hover
// looks, and the maximise toggle. Mouse input is sent as events, so the connections count too.
#include "TestSupport.h"

#include "core/Form2.h"
#include "core/Main.h"
#include "core/RunStart.h"
#include "core/Settings.h"
#include "dialogs/Form3.h"
#include "dialogs/Form4.h"
#include "mainwindow/Form1.h"
#include "runtime/Dialogs.h"
#include "runtime/Events.h"
#include "runtime/Window.h"

#include <QApplication>
#include <QTimer>
#include <QWindow>
#include <functional>

namespace {

void moveOver(QWidget* target, Qt::MouseButtons held = Qt::NoButton) {
    sendMouse(target, QEvent::MouseMove, Qt::NoButton, held);
}

void pressOver(QWidget* target) {
    sendMouse(target, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton);
}

void releaseOver(QWidget* target, Qt::MouseButton button = Qt::LeftButton) {
    sendMouse(target, QEvent::MouseButtonRelease, button, Qt::NoButton);
}

void doubleClick(QWidget* target) {
    sendMouse(target, QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton);
}

rt::Colour colourOf(const QWidget& control, QPalette::ColorRole role) {
    const QColor c = control.palette().color(role);
    return rt::rgb(c.red(), c.green(), c.blue());
}

bool isFlat(const rt::Label& button) {
    return button.borderStyle() == 1 && !button.autoFillBackground() &&
           colourOf(button, QPalette::WindowText) == rt::White;
}

bool isHovered(const rt::Label& button, rt::Colour back) {
    return button.borderStyle() == 0 && button.autoFillBackground() &&
           colourOf(button, QPalette::Window) == back &&
           colourOf(button, QPalette::WindowText) == rt::Black;
}

// What the window looks like at some moment inside a wait.
struct Sighting {
    bool visible = false;
    int state = -1;
};

// Runs an action and notes, a quarter second into it, whether the window shows and its state.
Sighting sightDuring(Form1& window, const std::function<void()>& action) {
    Sighting seen;
    QTimer::singleShot(250, &window, [&] {
        seen.visible = window.isVisible();
        seen.state = rt::windowState(&window);
    });
    action();
    return seen;
}

class WindowChromeTest : public ProgramTest {
  protected:
    Form1& form() { return Form1::instance(); }
    QWidget* queueSurface() { return form().ListView1->viewport(); }
    static int moves() { return rt::uiScript().windowMoves; }
};

TEST_F(WindowChromeTest, HoveringATitleButtonLightsItAndTheFrame) {
    Form1& window = form();
    moveOver(&window.Label6(2));
    EXPECT_EQ(window.Shape10->borderColour(), rt::Orange);
    EXPECT_TRUE(isHovered(window.Label6(2), rt::Red));
    EXPECT_TRUE(isFlat(window.Label6(0)));
    EXPECT_TRUE(isFlat(window.Label6(1)));

    moveOver(&window.Label6(1));
    EXPECT_TRUE(isFlat(window.Label6(2)));
    EXPECT_TRUE(isHovered(window.Label6(1), rt::White));

    // Leaving through the button box flattens the buttons but leaves the frame orange, and so
    // does the title text.
    moveOver(window.Picture10);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(isFlat(window.Label6(i))) << i;
    moveOver(window.Label7);
    EXPECT_EQ(window.Shape10->borderColour(), rt::Orange);

    for (QWidget* surface :
         {window.Client, queueSurface(), static_cast<QWidget*>(window.Toolbar1)}) {
        moveOver(&window.Label6(0));
        ASSERT_TRUE(isHovered(window.Label6(0), rt::White));
        moveOver(surface);
        EXPECT_EQ(window.Shape10->borderColour(), rt::Silver) << surface->metaObject()->className();
        EXPECT_TRUE(isFlat(window.Label6(0)));
    }
}

TEST_F(WindowChromeTest, FormAndQueueMovesClearTheTypesSelectionAndTheToolFrame) {
    Form1& window = form();
    window.List1->addItems({".mp4", ".mkv"});
    for (QWidget* surface : {window.Client, queueSurface()}) {
        window.List1->setCurrentRow(1);
        window.Shape13->show();
        moveOver(window.Toolbar1);
        EXPECT_EQ(window.List1->currentRow(), 1);
        EXPECT_FALSE(window.Shape13->isHidden());
        moveOver(surface);
        EXPECT_EQ(window.List1->currentRow(), -1);
        EXPECT_TRUE(window.List1->selectedItems().isEmpty());
        EXPECT_TRUE(window.Shape13->isHidden());
    }
}

// The window system keeps the release that ends a move to itself, so the moves after it still
// report the left button held: only a new press may move the window again.
TEST_F(WindowChromeTest, TheLeftButtonAloneMovesTheWindowOncePerPress) {
    Form1& window = form();
    // A locked slider passes its press on to the window's own surface under it.
    window.Slider1(1).setEnabled(false);
    const std::vector<QWidget*> dragSurfaces = {window.Client, queueSurface(), window.Toolbar1,
                                                window.Label7, &window.Slider1(1)};
    for (QWidget* surface : dragSurfaces) {
        const char* name = surface->metaObject()->className();
        const int before = moves();
        pressOver(surface);
        moveOver(surface, Qt::RightButton);
        moveOver(surface, Qt::LeftButton | Qt::RightButton);
        moveOver(surface, Qt::NoButton);
        EXPECT_EQ(moves(), before) << name;
        moveOver(surface, Qt::LeftButton);
        moveOver(surface, Qt::LeftButton);
        EXPECT_EQ(moves(), before + 1) << name;
        pressOver(surface);
        moveOver(surface, Qt::LeftButton);
        EXPECT_EQ(moves(), before + 2) << name;
        // A release that arrives ends the press unused.
        pressOver(surface);
        releaseOver(surface);
        moveOver(surface, Qt::LeftButton);
        EXPECT_EQ(moves(), before + 2) << name;
    }
    const int before = moves();
    for (QWidget* surface :
         {static_cast<QWidget*>(window.Picture12), static_cast<QWidget*>(window.Picture10),
          static_cast<QWidget*>(&window.Label6(0)), static_cast<QWidget*>(&window.Label6(2))}) {
        pressOver(surface);
        moveOver(surface, Qt::LeftButton);
    }
    EXPECT_EQ(moves(), before);
}

TEST_F(WindowChromeTest, TitleButtonsMinimiseAndToggleMaximisedThenFlattenAfterAWait) {
    Form1& window = form();
    window.show();
    window.Timer6->setEnabled(false);

    moveOver(&window.Label6(1));
    const std::int64_t waitedBefore = rt::waitedMilliseconds();
    const Sighting duringMaximise = sightDuring(window, [&] { releaseOver(&window.Label6(1)); });
    EXPECT_TRUE(duringMaximise.visible);
    EXPECT_EQ(duringMaximise.state, 2);
    EXPECT_GE(rt::waitedMilliseconds() - waitedBefore, 900);
    EXPECT_EQ(window.Shape10->borderColour(), rt::Silver);
    EXPECT_TRUE(isFlat(window.Label6(1)));
    EXPECT_TRUE(window.windowTitle().isEmpty());

    // Any button restores.
    releaseOver(&window.Label6(1), Qt::RightButton);
    EXPECT_EQ(rt::windowState(&window), 0);
    EXPECT_TRUE(window.isVisible());

    releaseOver(&window.Label6(0));
    EXPECT_EQ(rt::windowState(&window), 1);
    EXPECT_TRUE(window.Timer6->enabled());

    // Already minimised: the caption timer is not switched on again.
    window.Timer6->setEnabled(false);
    releaseOver(&window.Label6(0));
    EXPECT_EQ(rt::windowState(&window), 1);
    EXPECT_FALSE(window.Timer6->enabled());
    EXPECT_EQ(rt::uiScript().programEnds, 0);
}

TEST_F(WindowChromeTest, DoubleClickTogglesMaximisedOutOfSight) {
    Form1& window = form();
    window.show();

    const Sighting first = sightDuring(window, [&] { doubleClick(window.Label7); });
    EXPECT_FALSE(first.visible);
    EXPECT_EQ(first.state, 2);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(rt::windowState(&window), 2);

    const Sighting second = sightDuring(window, [&] { doubleClick(window.Toolbar1); });
    EXPECT_FALSE(second.visible);
    EXPECT_EQ(second.state, 0);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(rt::windowState(&window), 0);

    doubleClick(window.Client);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(rt::windowState(&window), 2);

    // The title strip's box and the button box are not part of the toggle.
    const std::int64_t waitedBefore = rt::waitedMilliseconds();
    doubleClick(window.Picture12);
    doubleClick(window.Picture10);
    EXPECT_EQ(rt::windowState(&window), 2);
    EXPECT_EQ(rt::waitedMilliseconds(), waitedBefore);
}

// An owned window: a frameless dialog whose window the window system keeps above its owner's.
::testing::AssertionResult ownedByMainWindow(QWidget& window) {
    const QWindow* handle = window.windowHandle();
    if (window.windowType() != Qt::Dialog ||
        !window.windowFlags().testFlag(Qt::FramelessWindowHint))
        return ::testing::AssertionFailure() << "not a frameless dialog";
    if (!handle || handle->transientParent() != Form1::instance().windowHandle())
        return ::testing::AssertionFailure() << "not held above the main window";
    return ::testing::AssertionSuccess();
}

TEST_F(WindowChromeTest, DialogsAndShownJobWindowsStayAboveTheMainWindow) {
    Main();
    form().ListView1->addRow("1");
    SelectedVideoIndex = 1;
    form().mnu_Individual->trigger();
    EXPECT_TRUE(ownedByMainWindow(Form3::instance()));
    Form4::instance().showModeless();
    EXPECT_TRUE(ownedByMainWindow(Form4::instance()));

    ShowThreadWindows = true;
    StartCompression();
    const QList<Form2*> jobs = form().findChildren<Form2*>();
    ASSERT_EQ(jobs.size(), 1);
    jobs[0]->Timer2_Timer();
    ASSERT_TRUE(jobs[0]->isVisible());
    EXPECT_TRUE(ownedByMainWindow(*jobs[0]));
    ShowThreadWindows = false;
}

// The window system ends a move only when the left button is released: any other button starts
// none on the surfaces that move the dialogs and the job windows.
TEST_F(WindowChromeTest, OwnedWindowsMoveWithTheLeftButtonAloneFromTheirSurfaces) {
    Main();
    SelectedVideoIndex = 0;
    form().mnu_Individual->trigger();
    Form3& settings = Form3::instance();
    Form4& folder = Form4::instance();
    folder.showModeless();
    form().ListView1->addRow("1");
    StartCompression();
    Form2& job = *form().findChild<Form2*>();
    job.buildControls();
    const std::vector<QWidget*> dragSurfaces = {settings.Picture4, &settings, folder.Picture2,
                                                job.Picture2.get(), &job};
    for (QWidget* surface : dragSurfaces) {
        const char* name = surface->metaObject()->className();
        const int before = moves();
        for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
            sendMouse(surface, QEvent::MouseButtonPress, button, button);
            releaseOver(surface, button);
        }
        sendMouse(surface, QEvent::MouseButtonPress, Qt::LeftButton,
                  Qt::LeftButton | Qt::RightButton);
        EXPECT_EQ(moves(), before) << name;
        releaseOver(surface);
        pressOver(surface);
        EXPECT_EQ(moves(), before + 1) << name;
        releaseOver(surface);
    }
}

} // namespace
