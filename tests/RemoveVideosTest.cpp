#include "TestSupport.h"

#include "core/Main.h"
#include "core/Queue.h"
#include "core/RemoveVideos.h"
#include "mainwindow/Form1.h"
#include "runtime/Dialogs.h"

namespace {

class RemoveVideosTest : public ProgramTest {
  protected:
    // Rows named video1, video2, ... with output names numbered as when they were added.
    void fillQueue(int rows) {
        // With both tools in place the start-up's tool check says nothing.
        writeTool("ffmpeg", "#!/bin/sh\n");
        writeTool("ffprobe", "#!/bin/sh\n");
        Main();
        for (int n = 1; n <= rows; ++n) {
            queue().addRow(QString::number(n));
            queue().setCell(n, QueueColumn::VideoName, "video" + QString::number(n));
            queue().setCell(n, QueueColumn::OutputPath, QString("/v/Compressed_%1_v.mp4").arg(n));
        }
    }
    void tick(std::initializer_list<int> rows) {
        for (int row : rows)
            queue().setChecked(row, true);
    }
    rt::ListView& queue() const { return *Form1::instance().ListView1; }
    QStringList column(int column) const {
        QStringList cells;
        for (int row = 1; row <= queue().rowCount(); ++row)
            cells << queue().cell(row, column);
        return cells;
    }
    QString videoCountPanel() const { return Form1::instance().StatusBar1->panelText(1); }
};

TEST_F(RemoveVideosTest, NothingTickedAsksNothing) {
    fillQueue(3);
    RemoveCheckedVideos();
    EXPECT_TRUE(rt::uiScript().msgBoxes.empty());
    EXPECT_EQ(queue().rowCount(), 3);
}

TEST_F(RemoveVideosTest, YesRemovesTheTickedRowsAndRenumbersTheRest) {
    fillQueue(5);
    tick({2, 4});
    rt::uiScript().msgBoxAnswers.push_back(rt::AnswerYes);
    RemoveCheckedVideos();
    ASSERT_EQ(rt::uiScript().msgBoxes.size(), 1u);
    const rt::MsgBoxRecord& box = rt::uiScript().msgBoxes.front();
    EXPECT_EQ(box.prompt, "Are you sure you want to remove all  2  Videos ?\r\n"
                          "\r\nid:  02\tvideo2..."
                          "\r\nid:  04\tvideo4...");
    EXPECT_EQ(box.style, 51);
    EXPECT_EQ(box.title, "Confirm Remove");
    EXPECT_EQ(column(QueueColumn::Index), QStringList({"1", "2", "3"}));
    EXPECT_EQ(column(QueueColumn::VideoName), QStringList({"video1", "video3", "video5"}));
    EXPECT_EQ(queue().cell(3, QueueColumn::OutputPath), "/v/Compressed_5_v.mp4");
    EXPECT_EQ(videoCountPanel(), "Video Count: 3");
}

// A job that ticks its finished row while the question is open adds nothing to the removal.
TEST_F(RemoveVideosTest, YesRemovesOnlyTheRowsTheQuestionListed) {
    fillQueue(4);
    tick({2});
    rt::uiScript().whileBoxShown = [this] { tick({3}); };
    rt::uiScript().msgBoxAnswers.push_back(rt::AnswerYes);
    RemoveCheckedVideos();
    EXPECT_EQ(column(QueueColumn::VideoName), QStringList({"video1", "video3", "video4"}));
    EXPECT_TRUE(queue().checked(2));
}

TEST_F(RemoveVideosTest, LongNamesAreCutTo35Characters) {
    fillQueue(2);
    const QString longName = QString("abcdefghij").repeated(5);
    queue().setCell(1, QueueColumn::VideoName, longName);
    queue().setCell(2, QueueColumn::VideoName, "short");
    tick({1, 2});
    rt::uiScript().msgBoxAnswers.push_back(rt::AnswerNo);
    RemoveCheckedVideos();
    ASSERT_EQ(rt::uiScript().msgBoxes.size(), 1u);
    EXPECT_TRUE(rt::uiScript().msgBoxes.front().prompt.endsWith(
        "\r\nid:  01\t" + longName.left(35) + "...\r\nid:  02\tshort..."));
}

TEST_F(RemoveVideosTest, TheCutCountsCharactersAndSplitsNone) {
    fillQueue(1);
    const QString smile = QString::fromUtf8("\xF0\x9F\x98\x80"); // two UTF-16 units
    queue().setCell(1, QueueColumn::VideoName, QString(34, 'a') + smile + "bcd");
    tick({1});
    rt::uiScript().msgBoxAnswers.push_back(rt::AnswerNo);
    RemoveCheckedVideos();
    ASSERT_EQ(rt::uiScript().msgBoxes.size(), 1u);
    EXPECT_TRUE(rt::uiScript().msgBoxes.front().prompt.endsWith("\r\nid:  01\t" + QString(34, 'a') +
                                                                smile + "..."));
}

TEST_F(RemoveVideosTest, AllTickedThenYesEmptiesTheQueue) {
    fillQueue(3);
    tick({1, 2, 3});
    rt::uiScript().msgBoxAnswers.push_back(rt::AnswerYes);
    RemoveCheckedVideos();
    EXPECT_EQ(queue().rowCount(), 0);
    EXPECT_EQ(videoCountPanel(), "Video Count: 0");
}

TEST_F(RemoveVideosTest, NoOrCancelChangesNothing) {
    fillQueue(3);
    tick({2});
    for (int answer : {rt::AnswerNo, rt::AnswerCancel}) {
        rt::uiScript().msgBoxAnswers.push_back(answer);
        RemoveCheckedVideos();
        EXPECT_EQ(column(QueueColumn::VideoName), QStringList({"video1", "video2", "video3"}));
        EXPECT_TRUE(queue().checked(2));
        EXPECT_EQ(videoCountPanel(), "Video Count: 00");
    }
}

} // namespace
