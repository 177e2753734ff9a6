#include "runtime/Controls.h"
#include "runtime/ControlArray.h"
#include "runtime/Dialogs.h"
#include "runtime/Events.h"
#include "runtime/ListView.h"
#include "runtime/StatusBar.h"
#include "runtime/Timer.h"

#include <QElapsedTimer>
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
