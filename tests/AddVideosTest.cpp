#include "TestSupport.h"

#include "core/AddVideos.h"
#include "core/Form2.h"
#include "core/Main.h"
#include "core/PermittedTypes.h"
#include "core/Queue.h"
#include "core/RemoveVideos.h"
#include "core/RunStart.h"
#include "core/Settings.h"
#include "mainwindow/Form1.h"
#include "runtime/Dialogs.h"

#include <QDir>
#include <cmath>

namespace {

constexpr qint64 BytesPerMb = 1024 * 1024;

class AddVideosTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        installTools();
        Main();
        CreateDefaultPermittedTypes();
        LoadPermittedTypes();
    }
    // The start-up's tool check finds both tools and says nothing.
    void installTools() {
        writeTool("ffmpeg", "#!/bin/sh\n");
        writeTool("ffprobe", "#!/bin/sh\n");
    }
    void choose(const QStringList& paths) { rt::uiScript().openAnswers.push_back(paths); }
    rt::ListView& queue() const { return *Form1::instance().ListView1; }
    QString cell(int row, int column) const { return queue().cell(row, column); }
    QString uncompressedPanel() const { return Form1::instance().StatusBar1->panelText(2); }
    QString fileOfMb(const QString& name, double mb) {
        return writeFile(name, std::llround(mb * BytesPerMb));
    }
    // Only the number and the three status texts: a type that is not permitted.
    void expectBareRow(int row) const {
        EXPECT_EQ(cell(row, QueueColumn::Index), QString::number(row));
        for (int column : {1, 2, 3, 4, 5, 9})
            EXPECT_EQ(cell(row, column), "") << column;
        EXPECT_EQ(cell(row, QueueColumn::CompressionPass), "Pass: 1 of 2");
        EXPECT_EQ(cell(row, QueueColumn::ProcessStatus), "Video Queued");
        EXPECT_EQ(cell(row, QueueColumn::ActualSize), "000");
    }
};

TEST_F(AddVideosTest, OneChosenClipFillsTheWholeRow) {
    const QString path = writeFile("My Films/Clip.MP4", 1572864);
    choose({path});
    AddVideosFromDialog();
    ASSERT_EQ(rt::uiScript().openDialogTitles,
              std::vector<QString>{"Select Videos for Compressing"});
    ASSERT_EQ(queue().rowCount(), 1);
    EXPECT_EQ(cell(1, QueueColumn::Index), "1");
    EXPECT_EQ(cell(1, QueueColumn::VideoPath),
              path); // case kept: the file system is case-sensitive
    EXPECT_EQ(cell(1, QueueColumn::VideoName), "clip");
    EXPECT_FALSE(cell(1, QueueColumn::VideoType).isEmpty());
    EXPECT_EQ(cell(1, QueueColumn::PreCompressedSize), "1.5");
    EXPECT_EQ(cell(1, QueueColumn::TargetSize), "0.9");
    EXPECT_EQ(cell(1, QueueColumn::CompressionPass), "Pass: 1 of 2");
    EXPECT_EQ(cell(1, QueueColumn::ProcessStatus), "Video Queued");
    EXPECT_EQ(cell(1, QueueColumn::ActualSize), "000");
    EXPECT_EQ(cell(1, QueueColumn::OutputPath),
              folder_.filePath("My Films/Compressed_01_Clip.mp4"));
    EXPECT_EQ(uncompressedPanel(), "Total UnCompressed Size: 0,002Mb");
}

TEST_F(AddVideosTest, NewRowsTakeTheCompressionSlidersPercentage) {
    Form1::instance().Slider1(0).setValue(42);
    choose({writeFile("Clip.mp4", 1572864)});
    AddVideosFromDialog();
    EXPECT_EQ(cell(1, QueueColumn::TargetSize), "0.63"); // 42 % of 1.5 Mb
}

TEST_F(AddVideosTest, CancelOrOnePictureAddsNothing) {
    AddVideosFromDialog(); // no scripted answer: cancel
    choose({writeFile("Photo.PNG", 10)});
    AddVideosFromDialog();
    EXPECT_EQ(queue().rowCount(), 0);
    EXPECT_TRUE(rt::uiScript().msgBoxes.empty());
}

TEST_F(AddVideosTest, OneFileOfATypeNotPermittedGivesABareRow) {
    choose({writeFile("notes.txt", 100)});
    AddVideosFromDialog();
    ASSERT_EQ(queue().rowCount(), 1);
    expectBareRow(1);
    EXPECT_EQ(uncompressedPanel(), "Total UnCompressed Size: 0,000 Mb"); // not rewritten
}

TEST_F(AddVideosTest, SeveralFilesAreAddedInDialogOrderSkippingTypesNotPermitted) {
    const QString last = writeFile("z.avi", 10);
    const QString first = writeFile("a.webm", 10);
    choose({last, writeFile("notes.txt", 10), first});
    AddVideosFromDialog();
    ASSERT_EQ(queue().rowCount(), 2);
    EXPECT_EQ(cell(1, QueueColumn::VideoPath), last);
    EXPECT_EQ(cell(2, QueueColumn::VideoPath), first);
    EXPECT_EQ(cell(2, QueueColumn::OutputPath), folder_.filePath("Compressed_02_a.mp4"));
}

TEST_F(AddVideosTest, FilesFromDifferentFoldersKeepTheirOwnFolders) {
    const QString one = writeFile("one/x.mp4", 10);
    const QString two = writeFile("two/ Holiday Trip .mov", 10);
    choose({one, two});
    AddVideosFromDialog();
    ASSERT_EQ(queue().rowCount(), 2);
    EXPECT_EQ(cell(1, QueueColumn::VideoPath), one);
    EXPECT_EQ(cell(2, QueueColumn::VideoPath), two);
    EXPECT_EQ(cell(2, QueueColumn::VideoName), " holiday trip ");
    EXPECT_EQ(cell(2, QueueColumn::OutputPath),
              folder_.filePath("two/Compressed_02_Holiday Trip.mp4"));
}

TEST_F(AddVideosTest, TheTotalIsRoundedAtEveryStep) {
    AddVideoToQueue(fileOfMb("a.mp4", 100.4));
    AddVideoToQueue(fileOfMb("b.mp4", 200.4));
    AddVideoToQueue(fileOfMb("c.mp4", 300.4));
    EXPECT_EQ(uncompressedPanel(), "Total UnCompressed Size: 0,600Mb");
    // After a removal the next add sums the rows left: 100, then 400, then 401.
    queue().setChecked(2, true);
    rt::uiScript().msgBoxAnswers = {rt::AnswerYes};
    RemoveCheckedVideos();
    AddVideoToQueue(fileOfMb("d.mp4", 1));
    EXPECT_EQ(uncompressedPanel(), "Total UnCompressed Size: 0,401Mb");
}

TEST_F(AddVideosTest, TheTotalHoldsQueuesBeyond32767Mb) {
    AddVideoToQueue(fileOfMb("a.mp4", 20000)); // sparse files
    AddVideoToQueue(fileOfMb("b.mp4", 20000));
    EXPECT_EQ(cell(2, QueueColumn::PreCompressedSize), "20000");
    EXPECT_EQ(cell(2, QueueColumn::TargetSize), "12000");
    EXPECT_EQ(uncompressedPanel(), "Total UnCompressed Size: 40,000Mb");
}

TEST_F(AddVideosTest, TheHundredthRowKeepsAllThreeDigits) {
    for (int i = 1; i <= 99; ++i)
        AddVideoToQueue(folder_.filePath("notes.txt"));
    AddVideoToQueue(writeFile("clip.mp4", 10));
    EXPECT_EQ(cell(100, QueueColumn::Index), "100");
    EXPECT_EQ(cell(100, QueueColumn::OutputPath), folder_.filePath("Compressed_100_clip.mp4"));
}

TEST_F(AddVideosTest, AFolderNamedLikeAVideoGetsNoVideoCellsButTheTotalIsRewritten) {
    QDir(folder_.path()).mkdir("Clips.mp4");
    AddVideoToQueue(folder_.filePath("Clips.mp4"));
    ASSERT_EQ(queue().rowCount(), 1);
    expectBareRow(1);
    EXPECT_EQ(uncompressedPanel(), "Total UnCompressed Size: 0,000Mb");
}

TEST_F(AddVideosTest, AnOutputNameThatAnotherRowHasTakesTheNextFreeNumber) {
    const QString mp4 = writeFile("v/a.mp4", 1000);
    const QString mov = writeFile("v/a.mov", 1000);
    ASSERT_TRUE(QFile::link(folder_.filePath("v"), folder_.filePath("link")));
    // Added again by its own path or through a link to its folder: the same file either way.
    for (const QString& again : {mp4, folder_.filePath("link/a.mp4")}) {
        queue().clearRows();
        AddVideoToQueue(mp4);
        AddVideoToQueue(mov);
        queue().setChecked(1, true);
        rt::uiScript().msgBoxAnswers = {rt::AnswerYes};
        RemoveCheckedVideos();
        AddVideoToQueue(again); // two rows again: number 02 is the first row's already
        ASSERT_EQ(queue().rowCount(), 2);
        EXPECT_EQ(cell(1, QueueColumn::OutputPath),
                  QFileInfo(mp4).absolutePath() + "/Compressed_02_a.mp4");
        EXPECT_EQ(cell(2, QueueColumn::OutputPath),
                  QFileInfo(again).absolutePath() + "/Compressed_03_a.mp4");
    }
    // A name leaves with its row: the video added once more takes the number it had.
    queue().setChecked(2, true);
    rt::uiScript().msgBoxAnswers = {rt::AnswerYes};
    RemoveCheckedVideos();
    AddVideoToQueue(mp4);
    EXPECT_EQ(cell(2, QueueColumn::OutputPath),
              QFileInfo(mp4).absolutePath() + "/Compressed_03_a.mp4");
}

TEST_F(AddVideosTest, AVideoAddedAfterARunInAChosenFolderTakesANumberNoOutputThereHas) {
    AddVideoToQueue(writeFile("v/a.mp4", 1000));
    AddVideoToQueue(writeFile("v/b.mp4", 1000));
    OutputLocation = folder_.filePath("out");
    StartCompression(); // the outputs are renamed into the chosen folder
    Form2::UnloadUnfinished();
    queue().setChecked(1, true);
    rt::uiScript().msgBoxAnswers = {rt::AnswerYes};
    RemoveCheckedVideos();
    AddVideoToQueue(writeFile("out/b.mp4", 1000));
    ASSERT_EQ(queue().rowCount(), 2);
    EXPECT_EQ(cell(1, QueueColumn::OutputPath), folder_.filePath("out/Compressed_02_b.mp4"));
    EXPECT_EQ(cell(2, QueueColumn::OutputPath), folder_.filePath("out/Compressed_03_b.mp4"));
}

} // namespace
