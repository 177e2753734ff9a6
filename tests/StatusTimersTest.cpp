#include "TestSupport.h"

#include "core/Main.h"
#include "core/Queue.h"
#include "core/Settings.h"
#include "mainwindow/Form1.h"
#include "runtime/Window.h"

namespace {

class StatusTimersTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        Main();
    }
    Form1& form() { return Form1::instance(); }

    void queue(const QStringList& targets) {
        rt::ListView& list = *form().ListView1;
        for (const QString& target : targets) {
            const int row = list.addRow(QString::number(list.rowCount() + 1));
            list.setCell(row, QueueColumn::TargetSize, target);
        }
    }
};

TEST_F(StatusTimersTest, TargetsBelowTenMegabytesTurnRed) {
    queue({"9.999", "10", "10.001", "0.5"});
    form().Timer2_Timer();
    const rt::ListView& list = *form().ListView1;
    EXPECT_EQ(list.cellColour(1, QueueColumn::TargetSize), rt::Red);
    EXPECT_EQ(list.cellColour(2, QueueColumn::TargetSize), rt::Orange);
    EXPECT_EQ(list.cellColour(3, QueueColumn::TargetSize), rt::Orange);
    EXPECT_EQ(list.cellColour(4, QueueColumn::TargetSize), rt::Red);
    EXPECT_EQ(list.cellColour(1, QueueColumn::PreCompressedSize), rt::Orange);

    form().ListView1->setCell(1, QueueColumn::TargetSize, "12");
    form().Timer2_Timer();
    EXPECT_EQ(list.cellColour(1, QueueColumn::TargetSize), rt::Orange);
}

TEST_F(StatusTimersTest, PanelsShowTheTotalTargetAndTheCount) {
    const rt::StatusBar& bar = *form().StatusBar1;
    form().Timer2_Timer();
    EXPECT_EQ(bar.panelText(3), "Total Compressed Size: 0,000 Mb");
    EXPECT_EQ(bar.panelText(1), "Video Count:  00");

    queue({"1.5", "2.25", "not a size"});
    SelectedVideoItem = 0;
    form().Timer2_Timer();
    EXPECT_EQ(bar.panelText(3), "Total Compressed Size: 0,004Mb");
    EXPECT_EQ(bar.panelText(1), "Video Count:  03");
    EXPECT_EQ(SelectedVideoItem, 3);

    queue({"1234.4"});
    form().Timer2_Timer();
    EXPECT_EQ(bar.panelText(3), "Total Compressed Size: 1,238Mb");
}

TEST_F(StatusTimersTest, LongQueueCountKeepsAllItsDigits) {
    QStringList targets;
    for (int i = 0; i < 120; ++i)
        targets << "20";
    queue(targets);
    form().Timer2_Timer();
    EXPECT_EQ(form().StatusBar1->panelText(1), "Video Count:  120");
    EXPECT_EQ(form().StatusBar1->panelText(3), "Total Compressed Size: 2,400Mb");
}

TEST_F(StatusTimersTest, CaptionStaysEmptyUnlessMinimised) {
    Form1& window = form();
    window.setWindowTitle("Video: [01] @ 10.00%");
    window.Timer4_Timer();
    EXPECT_TRUE(window.windowTitle().isEmpty());

    window.showMinimized();
    window.setWindowTitle("Video: [01] @ 10.00%");
    window.Timer4_Timer();
    EXPECT_EQ(window.windowTitle(), "Video: [01] @ 10.00%");
}

TEST_F(StatusTimersTest, MinimisedCaptionFollowsTheRunningVideo) {
    Form1& window = form();
    queue({"20", "20", "20"});
    window.ListView1->setCell(1, QueueColumn::CompressionPass, "Compression Complete");
    window.ListView1->setCell(2, QueueColumn::CompressionPass, "Pass 2: Compressing...");
    window.ListView1->setCell(3, QueueColumn::CompressionPass, "Pass: 1 of 2");
    window.Label1(6).setCaption("45.67%");
    window.showMinimized();
    window.Timer6->setEnabled(true);

    window.Timer6_Timer();
    EXPECT_EQ(window.windowTitle(), "Video: [02] @ 45.67%");
    EXPECT_TRUE(window.Timer6->enabled());

    // The end of the pass restores the window, and the timer stops in the same tick.
    window.Label1(6).setCaption("100.00%");
    window.Timer6_Timer();
    EXPECT_EQ(rt::windowState(&window), 0);
    EXPECT_FALSE(window.Timer6->enabled());
}

TEST_F(StatusTimersTest, MinimisedWithNothingRunningShowsVideoZero) {
    Form1& window = form();
    queue({"20"});
    window.ListView1->setCell(1, QueueColumn::CompressionPass, "pass 1: ANALYSING...");
    window.Label1(6).setCaption("00.00%");
    window.showMinimized();
    window.Timer6_Timer();
    EXPECT_EQ(window.windowTitle(), "Video: [01] @ 00.00%");
    window.ListView1->setCell(1, QueueColumn::CompressionPass, "Pass: 1 of 2");
    window.Timer6_Timer();
    EXPECT_EQ(window.windowTitle(), "Video: [00] @ 00.00%");
}

TEST_F(StatusTimersTest, EmptyQueueKeepsTheMinimisedTimerWaiting) {
    Form1& window = form();
    window.Label1(6).setCaption("100.00%");
    window.showMinimized();
    window.Timer6->setEnabled(true);
    window.Timer6_Timer();
    EXPECT_EQ(rt::windowState(&window), 1);
    EXPECT_TRUE(window.Timer6->enabled());
}

TEST_F(StatusTimersTest, ProgressLabelsGetTheirTooltipsOnMouseMove) {
    Form1& window = form();
    window.Label1_MouseMove(6);
    window.Label1_MouseMove(7);
    window.Label1_MouseMove(11);
    window.Label1_MouseMove(12);
    window.Label1_MouseMove(5);
    EXPECT_EQ(window.Label1(6).toolTip(), " Current process ");
    EXPECT_EQ(window.Label1(7).toolTip(), " Overall process ");
    EXPECT_EQ(window.Label1(11).toolTip(), " RAW: ffmpeg processing speed ");
    EXPECT_EQ(window.Label1(12).toolTip(),
              " The Progress-Bar may not indicate any-speed if the speed is excessive. ( ie: "
              "\"Solid State Drives [SSD]\" I/O Read and Write Extremely Fast ) ");
    EXPECT_TRUE(window.Label1(5).toolTip().isEmpty());
}

} // namespace
