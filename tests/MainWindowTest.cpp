#include "TestSupport.h"

#include "core/Main.h"
#include "core/Queue.h"
#include "core/Settings.h"
#include "mainwindow/Form1.h"
#include "runtime/Colour.h"
#include "runtime/Events.h"
#include "runtime/Window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFontInfo>
#include <QMenuBar>

namespace {

class MainWindowTest : public ProgramTest {
  protected:
    Form1& form() { return Form1::instance(); }

    // Lets timers and posted events run for a while.
    static void runEventsFor(int ms) {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < ms)
            rt::doEvents();
    }
};

TEST_F(MainWindowTest, LoadPlacesTheWindowFromTheScreenSize) {
    Form1& window = form();
    const double designWidth = 18615;
    const double expectedTop = rt::screenHeight() / 4;
    const double expectedLeft = rt::screenWidth() / 8 - designWidth / 16;
    EXPECT_EQ(rt::windowTop(&window), rt::pixelsToTwips(rt::twipsToPixels(expectedTop)));
    EXPECT_EQ(rt::windowLeft(&window), rt::pixelsToTwips(rt::twipsToPixels(expectedLeft)));
    EXPECT_EQ(window.width(), rt::twipsToPixels(18800));
    EXPECT_EQ(window.height(), rt::twipsToPixels(8250));
    EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(window.windowTitle().isEmpty());
    EXPECT_FALSE(window.windowIcon().isNull());
}

TEST_F(MainWindowTest, LoadLeavesTheStatusSurfacesAtTheirStartState) {
    CancelRequested = true;
    Form1& window = form();
    EXPECT_FALSE(CancelRequested);
    EXPECT_TRUE(window.Label15->isHidden());
    EXPECT_EQ(window.Label7->caption(),
              "Tovrane 1.4.3 [ FFmpeg (High Quality) H.265 2-Pass Video Compression ] ");
    for (int i = 0; i < 3; ++i) {
        EXPECT_DOUBLE_EQ(window.PBar1(i).value(), 0);
        EXPECT_EQ(window.PBar1(i).barColour(), rt::Orange);
    }
    EXPECT_DOUBLE_EQ(window.PBar1(2).max(), 100);
    EXPECT_EQ(window.StatusBar1->palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(window.Client->palette().color(QPalette::Window), QColor(64, 64, 64));
    EXPECT_EQ(window.Label1(5).alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(window.Label1(11).alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_FALSE(window.Picture6->picture().isNull());
    EXPECT_EQ(window.Picture6->picture().size(), QSize(1359, 107));
}

// CTest names the family its font configuration puts in Arial's place (tests/CMakeLists.txt).
TEST_F(MainWindowTest, PercentageLabelsShowAHundredPercentWhole) {
    Form1& window = form();
    const QString standIn = qEnvironmentVariable("TOVRANE_TEST_ARIAL");
    for (int index : {6, 7, 12}) {
        const rt::Label& label = window.Label1(index);
        if (!standIn.isEmpty()) {
            EXPECT_EQ(QFontInfo(label.font()).family(), standIn) << index;
        }
        if (standIn == "Liberation Sans") { // Arial's metrics: the design's size holds
            EXPECT_DOUBLE_EQ(label.font().pointSizeF(), 8.25) << index;
        }
        EXPECT_GE(label.width(), label.fontMetrics().horizontalAdvance("100.00%")) << index;
        EXPECT_EQ(label.x() + label.width(), 925) << index; // the design's right edge
        EXPECT_GE(label.x(), window.Label15->x() + window.Label15->width()) << index;
    }
}

TEST_F(MainWindowTest, TimersStartAsDesignedAndTheFirstTicksOnce) {
    Form1& window = form();
    EXPECT_EQ(window.Timer1->interval(), 20);
    EXPECT_EQ(window.Timer2->interval(), 200);
    EXPECT_EQ(window.Timer4->interval(), 25);
    EXPECT_EQ(window.Timer5->interval(), 5);
    EXPECT_EQ(window.Timer6->interval(), 500);
    EXPECT_TRUE(window.Timer2->enabled());
    EXPECT_TRUE(window.Timer4->enabled());
    EXPECT_FALSE(window.Timer5->enabled());
    ASSERT_TRUE(window.Timer1->enabled());
    window.PBar1(1).setValue(40);
    runEventsFor(60);
    EXPECT_FALSE(window.Timer1->enabled());
    EXPECT_DOUBLE_EQ(window.PBar1(1).value(), 0);
}

TEST_F(MainWindowTest, CoverStripAndStopFrameArePlacedAtLoad) {
    Form1& window = form();
    const QRect list = window.List1->geometry();
    EXPECT_EQ(window.Picture14->geometry(),
              QRect(list.left() + list.width() - 19, list.top(), 19, list.height()));
    const QRect stop = window.Picture16(4).geometry();
    EXPECT_EQ(window.Shape14->geometry(),
              QRect(stop.left() - 1, 1, stop.width() + 3, stop.height() + 3));
}

TEST_F(MainWindowTest, ShrinkingBelowTheMinimumSnapsBack) {
    Main();
    Form1& window = form();
    window.resize(600, 200);
    EXPECT_EQ(rt::windowWidth(&window), rt::pixelsToTwips(rt::twipsToPixels(18555)));
    EXPECT_EQ(rt::windowHeight(&window), rt::pixelsToTwips(rt::twipsToPixels(6330)));
    const int atMinimum = window.width();
    window.ArrangeMainWindow();
    EXPECT_EQ(window.width(), atMinimum);
}

TEST_F(MainWindowTest, LayoutFollowsTheClientAreaAfterAResize) {
    Main();
    Form1& window = form();
    window.resize(1500, 700);
    const int scaleWidth = window.Client->width();
    const int scaleHeight = window.Client->height();
    EXPECT_EQ(window.Toolbar1->geometry(), QRect(0, 0, scaleWidth, 38));
    const QRect status = window.StatusBar1->geometry();
    EXPECT_EQ(status.bottom(), scaleHeight - 1);
    EXPECT_EQ(status.width(), scaleWidth);
    const QRect list = window.ListView1->geometry();
    EXPECT_EQ(list.left(), 10);
    EXPECT_EQ(list.top(), 128);
    EXPECT_EQ(list.width(), scaleWidth - 20);
    EXPECT_EQ(list.bottom() + 1, status.top()); // the list ends exactly on the status bar
    EXPECT_EQ(window.Line1->x2(), scaleWidth - 20);
    EXPECT_EQ(window.Line1->y1(), 38 + 7);
    EXPECT_EQ(window.Line2->x2(), scaleWidth - 20);
    EXPECT_EQ(window.Line2->y1(), 124);
    EXPECT_EQ(window.Picture2(0).height(), 40);
    EXPECT_EQ(window.Picture2(1).height(), 45);
    EXPECT_EQ(window.List1->geometry(), QRect(-1, -1, window.Picture2(1).width() + 2, 51));

    // The title buttons stay at the right end of the toolbar, 510 twips from the edge.
    const int boxLeft = rt::twipsToPixels(rt::windowWidth(&window) - 1455 - 510);
    EXPECT_EQ(window.Picture10->x(), boxLeft);
    EXPECT_EQ(window.Picture10->height(), rt::twipsToPixels(400));
    EXPECT_EQ(window.Shape10->geometry(),
              QRect(2, 2, window.Picture10->width() - 4, window.Picture10->height() - 2));
    EXPECT_EQ(window.Label6(2).x(), window.Picture10->width() - 25 - 10);
    EXPECT_EQ(window.Label6(1).x(), window.Label6(2).x() - 26);
    EXPECT_EQ(window.Label6(0).x(), window.Label6(1).x() - 26);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(window.Label6(i).y(), 6);
}

TEST_F(MainWindowTest, MenusCarryTheirCaptionsShortcutsAndNames) {
    Form1& window = form();
    const QList<QAction*> bar = window.menuBar()->actions();
    QStringList titles;
    for (QAction* menu : bar)
        titles << menu->text();
    EXPECT_EQ(titles, QStringList({"File", "Help", "Debug", "About", "Donate"}));

    struct Item {
        QAction* action;
        const char* caption;
        const char* shortcut;
        const char* name;
    };
    const Item file[] = {
        {window.mnu_open, "Add Video", "Ctrl+A", "mnu_open"},
        {window.mnu_RemSelectedVideo, "Remove selected Videos", "Ctrl+D", "mnu_RemSelectedVideo"},
        {window.mnu_ClearAll, "Clear All Videos", "Ctrl+R", "mnu_ClearAll"},
        {window.mnu_PermittedTypes, "Edit permitted Types List", "Ctrl+E", "mnu_PermittedTypes"},
        {window.mnu_StartCompression, "Start Compression", "Ctrl+S", "mnu_StartCompression"},
        {window.mnu_Exit, "Exit", "Ctrl+Q", "mnu_Exit"},
    };
    for (const Item& item : file) {
        EXPECT_EQ(item.action->text(), item.caption);
        EXPECT_EQ(item.action->shortcut(), QKeySequence(item.shortcut));
        EXPECT_EQ(item.action->objectName(), item.name);
        EXPECT_TRUE(window.mnu_File->actions().contains(item.action));
    }
    QStringList contextItems;
    for (QAction* item : window.mnu_ContextMenu->actions())
        contextItems << (item->isSeparator() ? "-" : item->text());
    EXPECT_EQ(contextItems, QStringList({"Add Video", "Remove Video From List", "Clear all Videos",
                                         "-", "Set Individual Video Compression Details", "-",
                                         "Open Source Video", "Open Compressed Video",
                                         "Open Video Location", "-", "Start Compressing"}));
    EXPECT_FALSE(bar.contains(window.mnu_ContextMenu->menuAction()));
    EXPECT_TRUE(window.mnu_HideAll->isChecked());
    EXPECT_FALSE(window.mnu_ShowAll->isChecked());
    EXPECT_EQ(window.mnu_ColourTheme->title(), "Help");
    EXPECT_EQ(window.mnu_Info->title(), "Debug");
}

TEST_F(MainWindowTest, ToolbarHasNineButtonsWithTagsPicturesAndTips) {
    Form1& window = form();
    ASSERT_EQ(window.Toolbar1->buttonCount(), 9);
    const QStringList tags = {"", "add", "del", "", "compress", "", "commondir", "", "exitprocess"};
    for (int n = 1; n <= 9; ++n) {
        rt::ToolbarButton& button = window.Toolbar1->button(n);
        EXPECT_EQ(button.tag(), tags[n - 1]) << n;
        EXPECT_EQ(button.icon().isNull(), tags[n - 1].isEmpty()) << n;
        EXPECT_TRUE(button.isEnabled());
    }
    EXPECT_EQ(window.Toolbar1->button(1).style(), rt::ToolbarButton::Separator);
    EXPECT_EQ(window.Toolbar1->button(8).style(), rt::ToolbarButton::Placeholder);
    EXPECT_EQ(window.Toolbar1->button(7).toolTip(),
              "Set Common Compressed Video Output Directory ");
    EXPECT_EQ(window.Toolbar1->button(9).toolTip(), "Exit All Compression Processes Immediately");
    // The image-button bar covers the toolbar's own buttons.
    EXPECT_LE(window.Toolbar1->button(9).geometry().right(), 225);
}

// The window has no frame, so its edges show the resize cursor themselves.
TEST_F(MainWindowTest, EdgesOfTheFramelessWindowShowTheResizeCursor) {
    Main();
    Form1& window = form();
    const auto moveTo = [&](QWidget* over, QPoint local) {
        sendMouse(over, QEvent::MouseMove, Qt::NoButton, Qt::NoButton, QPointF(local));
    };
    const int middle = window.Client->height() / 2;
    moveTo(window.Client, QPoint(window.Client->width() - 2, middle));
    EXPECT_EQ(window.cursor().shape(), Qt::SizeHorCursor);
    moveTo(window.Client, QPoint(window.Client->width() - 2, window.Client->height() - 1));
    EXPECT_EQ(window.cursor().shape(), Qt::SizeFDiagCursor);
    moveTo(window.Client, QPoint(1, window.Client->height() - 1));
    EXPECT_EQ(window.cursor().shape(), Qt::SizeBDiagCursor);
    // The top corners lie on the menu bar.
    moveTo(window.menuBar(), QPoint(1, 1));
    EXPECT_EQ(window.cursor().shape(), Qt::SizeFDiagCursor);
    moveTo(window.menuBar(), QPoint(window.menuBar()->width() - 2, 1));
    EXPECT_EQ(window.cursor().shape(), Qt::SizeBDiagCursor);
    moveTo(window.Client, QPoint(window.Client->width() / 2, middle));
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);
}

} // namespace
