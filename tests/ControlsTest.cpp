#include "runtime/Controls.h"
#include "runtime/ControlArray.h"
#include "runtime/Dialogs.h"
#include "runtime/Events.h"
#include "runtime/ListView.h"
#include "runtime/StatusBar.h"
#include "runtime/Timer.h"

#include <QDropEvent>
#include <QElapsedTimer>
#include <QMimeData>
#include <QUrl>
#include <gtest/gtest.h>

using namespace rt;

TEST(ControlsTest, ProgressBarRefusesValuesOutsideItsRange) {
    ProgressBar bar;
    bar.setMax(12);
    EXPECT_TRUE(bar.setValue(2.27));
    EXPECT_FALSE(bar.setValue(12.3));
    EXPECT_DOUBLE_EQ(bar.value(), 2.27);
    EXPECT_FALSE(bar.setValue(-1));
    EXPECT_TRUE(bar.setValue(12));
    // A maximum below the value pulls the value down, so a smaller run can still complete.
    bar.setMax(2);
    EXPECT_DOUBLE_EQ(bar.value(), 2);
    bar.setMax(-5);
    EXPECT_DOUBLE_EQ(bar.max(), 2);
}

TEST(ControlsTest, LabelRaisesChangeOnEveryCaptionWrite) {
    Label label;
    int changes = 0;
    QObject::connect(&label, &Label::changed, [&] { ++changes; });
    label.setCaption("00.00%");
    label.setCaption("00.00%");
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(label.caption(), "00.00%");
}

TEST(ControlsTest, CaptionsAndPanelsShowTextNeverMarkup) {
    Label label;
    label.setCaption("<b>Holiday</b>.mp4");
    EXPECT_EQ(label.textFormat(), Qt::PlainText);
    StatusBar bar;
    bar.addPanel();
    bar.setPanelText(1, "Custom Save Location: /films/<i>new</i>");
    EXPECT_EQ(bar.panel(1).textFormat(), Qt::PlainText);
}

TEST(ControlsTest, TextBoxRaisesChangeOnlyWhenItsTextChanges) {
    TextBox box;
    int changes = 0;
    QObject::connect(&box, &TextBox::changed, [&] { ++changes; });
    box.setText("");
    box.setText("chunk\r\n");
    box.setText("chunk\r\n");
    box.setText("");
    EXPECT_EQ(changes, 2);
}

TEST(ControlsTest, MissingGroupElementIsHarmless) {
    QWidget parent;
    ControlArray<Label> group;
    group.add(8, new Label(&parent, "eight"));
    group.add(10, new Label(&parent, "ten"));
    group(9).setCaption("nobody sees this");
    EXPECT_EQ(group(8).caption(), "eight");
    EXPECT_EQ(group(10).caption(), "ten");
    EXPECT_FALSE(group.contains(9));
    EXPECT_EQ(group.indices(), (std::vector<int>{8, 10}));
}

TEST(ControlsTest, ListViewRowsAreOneBasedAndForgiving) {
    ListView list;
    list.addColumn("Index", 50);
    list.addColumn("Hidden", 0);
    EXPECT_EQ(list.columnWidthPixels(0), 50);
    EXPECT_EQ(list.columnWidthPixels(1), 0);
    EXPECT_TRUE(list.isColumnHidden(1));
    EXPECT_EQ(list.addRow("1"), 1);
    EXPECT_EQ(list.addRow("2"), 2);
    list.setCell(2, 1, "b");
    EXPECT_EQ(list.cell(2, 1), "b");
    EXPECT_EQ(list.cell(3, 1), "");
    EXPECT_EQ(list.cell(1, 7), "");
    list.setCell(3, 1, "x"); // beyond the last row: nothing happens
    list.setChecked(7, true);
    EXPECT_FALSE(list.checked(7));
    list.setRowColour(1, 0xFF00);
    list.setCellColour(1, 1, Red);
    EXPECT_EQ(list.rowColour(1), Colour(0xFF00));
    EXPECT_EQ(list.cellColour(1, 1), Red);
    list.setRowBold(2, true);
    EXPECT_TRUE(list.rowBold(2));
    list.setChecked(2, true);
    EXPECT_TRUE(list.checked(2));
    list.selectRow(2);
    EXPECT_EQ(list.selectedRow(), 2);
    list.removeRow(1);
    EXPECT_EQ(list.rowCount(), 1);
    EXPECT_EQ(list.cell(1, 0), "2");
    list.removeRow(5);
    EXPECT_EQ(list.rowCount(), 1);
}

TEST(ControlsTest, RowsDraggedOutOfAListViewAreCopiesNeverMoved) {
    ListView list;
    list.addColumn("Index", 50);
    list.addRow("1");
    list.setDragEnabled(true);
    list.setAcceptFileDrops(true);
    // A drop that took the row as a move would delete it from the list.
    EXPECT_EQ(list.model()->supportedDragActions(), Qt::CopyAction);
}

// The list's drag-and-drop handlers, called as the window system would.
struct DropTarget : ListView {
    using ListView::dragEnterEvent;
    using ListView::dropEvent;
};

TEST(ControlsTest, FilesDroppedOnAListViewAreTakenAsCopies) {
    DropTarget list;
    list.setAcceptFileDrops(true);
    QStringList dropped;
    QObject::connect(&list, &ListView::filesDropped,
                     [&](const QStringList& paths) { dropped = paths; });
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile("/films/a b.mp4"), QUrl("https://example.org/c.mp4")});
    // A shift-drag proposes a move, and a source deletes what its target says it moved.
    const Qt::DropActions both = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(QPoint(5, 5), both, &files, Qt::NoButton, Qt::ShiftModifier);
    enter.setDropAction(Qt::MoveAction);
    list.dragEnterEvent(&enter);
    EXPECT_TRUE(enter.isAccepted());
    EXPECT_EQ(enter.dropAction(), Qt::CopyAction);
    QDropEvent move(QPointF(5, 5), both, &files, Qt::NoButton, Qt::ShiftModifier);
    move.setDropAction(Qt::MoveAction);
    list.dropEvent(&move);
    EXPECT_TRUE(move.isAccepted());
    EXPECT_EQ(move.dropAction(), Qt::CopyAction);
    EXPECT_EQ(dropped, QStringList{"/films/a b.mp4"});

    dropped.clear();
    QDropEvent moveOnly(QPointF(5, 5), Qt::MoveAction, &files, Qt::NoButton, Qt::NoModifier);
    list.dropEvent(&moveOnly);
    EXPECT_FALSE(moveOnly.isAccepted());
    EXPECT_TRUE(dropped.isEmpty());
}

TEST(ControlsTest, StatusBarPanelsAreOneBased) {
    StatusBar bar;
    bar.addPanel();
    bar.setPanelText(1, "one");
    bar.setPanelText(8, "missing");
    EXPECT_EQ(bar.panelText(1), "one");
    EXPECT_EQ(bar.panelText(8), "");
    EXPECT_EQ(bar.panelCount(), 1);
}

TEST(ControlsTest, TimerWithZeroIntervalNeverFiresAndIsNotReentered) {
    Timer idle(nullptr, 0, true);
    int idleTicks = 0;
    QObject::connect(&idle, &Timer::tick, [&] { ++idleTicks; });

    Timer busy(nullptr, 5, true);
    int depth = 0, maxDepth = 0, ticks = 0;
    QObject::connect(&busy, &Timer::tick, [&] {
        ++ticks;
        maxDepth = std::max(maxDepth, ++depth);
        QElapsedTimer spent;
        spent.start();
        while (spent.elapsed() < 30)
            doEvents(); // the same timer falls due meanwhile but must not re-enter
        --depth;
    });
    QElapsedTimer total;
    total.start();
    while (ticks < 3 && total.elapsed() < 5000)
        doEvents();
    busy.setEnabled(false);
    EXPECT_GE(ticks, 3);
    EXPECT_EQ(maxDepth, 1);
    EXPECT_EQ(idleTicks, 0);
}

TEST(ControlsTest, TimersShareOneScheduleAndKeepTheirRatesInsideOtherHandlers) {
    // A slow handler runs events for 300 ms; the other timers keep their own rates meanwhile.
    Timer slow(nullptr, 10, true), fast(nullptr, 20, true), rare(nullptr, 150, true);
    int fastTicks = 0, rareTicks = 0, fastDuringSlow = 0;
    bool inSlow = false;
    QObject::connect(&fast, &Timer::tick, [&] { ++fastTicks, fastDuringSlow += inSlow; });
    QObject::connect(&rare, &Timer::tick, [&] { ++rareTicks; });
    QObject::connect(&slow, &Timer::tick, [&] {
        slow.setEnabled(false);
        inSlow = true;
        QElapsedTimer spent;
        spent.start();
        while (spent.elapsed() < 300)
            doEvents();
        inSlow = false;
    });
    QElapsedTimer total;
    total.start();
    while (total.elapsed() < 400)
        doEvents();
    EXPECT_GE(fastDuringSlow, 5);
    EXPECT_GE(rareTicks, 1);
    EXPECT_LT(rareTicks, fastTicks);

    // A handler may delete its own timer, and the schedule goes on without it.
    auto* once = new Timer(nullptr, 5, true);
    int onceTicks = 0;
    QObject::connect(once, &Timer::tick, [&] {
        ++onceTicks;
        delete once;
    });
    const int fastBefore = fastTicks;
    total.restart();
    while (total.elapsed() < 100)
        doEvents();
    EXPECT_EQ(onceTicks, 1);
    EXPECT_GT(fastTicks, fastBefore);
}

TEST(ControlsTest, WaitLetsTimersRunAndEndsAfterTheClockTurns) {
    Timer timer(nullptr, 20, true);
    int ticks = 0;
    QObject::connect(&timer, &Timer::tick, [&] { ++ticks; });
    const auto start = clockSeconds();
    QElapsedTimer elapsed;
    elapsed.start();
    waitSeconds(1);
    EXPECT_GE(clockSeconds(), start + 2);
    EXPECT_LE(elapsed.elapsed(), 2200);
    EXPECT_GT(ticks, 5);
}

TEST(ControlsTest, ScriptedMessageBoxesRecordAndAnswer) {
    UiScript& script = uiScript();
    script.reset();
    script.active = true;
    script.msgBoxAnswers = {AnswerNo};
    EXPECT_EQ(msgBox("Sure?", YesNoCancelExclamation, "Confirm"), AnswerNo);
    EXPECT_EQ(msgBox("Done", OkExclamation, "Info"), AnswerOk); // unscripted: first button
    ASSERT_EQ(script.msgBoxes.size(), 2u);
    EXPECT_EQ(script.msgBoxes[0].prompt, "Sure?");
    EXPECT_EQ(script.msgBoxes[0].style, 51);
    EXPECT_EQ(script.msgBoxes[1].title, "Info");
    shellOpen("https://example.org/");
    EXPECT_EQ(script.launched, std::vector<QString>{"https://example.org/"});
    script.reset();
}
