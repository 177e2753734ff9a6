// Whole jobs run against fake tools: scripts that print recorded output in chunks, keep a call
// log, and behave according to words in the source's name.
#include "JobTestSupport.h"

#include "core/AddVideos.h"
#include "core/EarlierOutput.h"
#include "core/FFmpegTools.h"
#include "core/RemoveVideos.h"
#include "dialogs/Form4.h"
#include "runtime/Dialogs.h"
#include "runtime/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <map>

namespace {

// The probe prints its duration line in two chunks; "nodur" and "badprobe" sources fail, an
// "audioonly" one has a cover picture for its only video, an "undated" one lasts 1.5 s, a
// "twohours" one two hours and an "ages" one claims 700,000 hours. The outputs of "broken",
// "undated", "short" and "twohours" sources are unreadable, without a duration or too short, a
// "nearly" one a little short; the check of a "hangcheck" one never answers, a "killcheck" one is
// killed, a "heldcheck" one fails while a child of it holds its output open for three seconds, and
// a "settling" one grows a second after its check.
const QByteArray FakeProbe = R"SH(#!/bin/sh
lasts() { # a duration and a video
  printf '  Duration: %s, start: 0.000000\r\n' "$1"
  printf '  Stream #0:0: Video: hevc, yuv420p, 160x120\r\n'; exit 0
}
echo "ffprobe $*" >> "$(dirname "$0")/calls.log"
case "$*" in
  *Compressed_*hangcheck*) exec sleep 60 ;;
  *Compressed_*killcheck*) kill -9 $$ ;;
  *Compressed_*heldcheck*) sleep 3 & printf 'moov atom not found'; exit 1 ;;
  *Compressed_*settling*) for output; do :; done
    (sleep 1; head -c 4000000 /dev/zero >> "$output") > /dev/null 2>&1 & ;;
esac
case "$*" in
  *nodur*) printf 'Input #0, mov, from x:\r\n  Duration: N/A, start'; exit 0 ;;
  *badprobe*) printf 'Invalid data found when processing input'; exit 1 ;;
  *slowprobe*) printf 'Input #0, mov, from x:\r\n'; exec sleep 20 ;;
  *audioonly*) printf '  Duration: 00:04:32.52, start: 0.000000\r\n  Stream #0:0: Audio: aac\r\n'
               printf '  Stream #0:1: Video: mjpeg, 300x300, 90k tbn (attached pic)\r\n'; exit 0 ;;
  *Compressed_*broken*) printf 'moov atom not found'; exit 1 ;;
  *Compressed_*undated*) lasts N/A ;;
  *Compressed_*short*) lasts 00:01:00.00 ;;
  *Compressed_*nearly*) lasts 00:02:14.20 ;;
  *Compressed_*twohours*) lasts 01:57:40.00 ;;
  *undated*) lasts 00:00:01.50 ;;
  *twohours*) lasts 02:00:00.00 ;;
  *ages*) lasts 700000:00:00.00 ;;
esac
printf 'Input #0, mov, from x:\r\n  Metadata:\r\n    creation_time   : 2023-01-01\r\n  Dura'
sleep 0.05
printf 'tion: 00:04:32.52, start: 0.000000, bitrate: 1402 kb/s\r\n'
printf '  Stream #0:0: Video: h264, yuv420p, 160x120, 25 fps\r\n'
)SH";

// Pass 1 keeps its statistics in the working folder and pass 2 checks that they are its own.
// PASS1_STEPS and PASS2_STEPS progress lines, a tenth of a second apart; pass 2 of a "quiet"
// source prints none, and of a "twohours" one reports two hours.
const QByteArray FakeFFmpeg = R"SH(#!/bin/sh
echo "ffmpeg $* @ $(pwd)" >> "$(dirname "$0")/calls.log"
case "$*" in
*pass=1*)
  case "$*" in *p1fail*) printf 'Error while opening encoder'; exit 1 ;; esac
  echo "$3" > x265_2pass.log
  i=0
  while [ $i -lt PASS1_STEPS ]; do
    printf 'frame= 10 fps= 54 size= 1kB time=00:01:08.00 bitrate= 1kbits/s speed=2.27x    \r'
    sleep 0.1; i=$((i+1))
  done
  echo "$3" >> "$(dirname "$0")/ran-to-the-end.log" ;;
*pass=2*)
  [ "$(cat x265_2pass.log)" = "$2" ] || { printf 'statistics of another video'; exit 1; }
  case "$*" in *p2early*) exit 1 ;; *nofile*) exit 0 ;; esac
  for output; do :; done
  printf 'a start' > "$output"
  case "$*" in *p2fail*) exit 1 ;; esac
  i=0; steps=PASS2_STEPS; time=00:02:16.00
  case "$*" in *quiet*) steps=0 ;; *twohours*) time=02:00:00.00 ;; esac
  while [ $i -lt $steps ]; do
    printf 'frame= 10 fps= 54 size= 1kB time=%s bitrate= 1kbits/s speed=3x    \r' $time
    sleep 0.1; i=$((i+1))
  done
  head -c 2500000 /dev/zero > "$output" ;;
esac
)SH";

class JobRunTest : public JobTest {
  protected:
    void writeTools(int pass1Steps, int pass2Steps) {
        writeTool("ffprobe", FakeProbe);
        QByteArray ffmpeg = FakeFFmpeg;
        ffmpeg.replace("PASS1_STEPS", QByteArray::number(pass1Steps));
        ffmpeg.replace("PASS2_STEPS", QByteArray::number(pass2Steps));
        writeTool("ffmpeg", ffmpeg);
    }

    QStringList calls() {
        return QString::fromUtf8(contentOf(folder_.path() + "/calls.log"))
            .split('\n', Qt::SkipEmptyParts);
    }

    QStringList callsWith(const QString& word) { return calls().filter(word); }

    QString source(const QString& name) { return writeFile("videos/" + name, 1000); }

    // An earlier run's output at `path`, with content of its own.
    static QByteArray writeEarlierOutput(const QString& path) {
        const QByteArray content = "the earlier encode of " + QFile::encodeName(path);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
            ADD_FAILURE() << "cannot write " << path.toStdString();
        return content;
    }
    static QByteArray contentOf(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QStringList videosFolder() {
        QStringList entries =
            QDir(folder_.path() + "/videos")
                .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        entries.sort();
        return entries;
    }
    // The earlier output of `output` in the one folder that holds an earlier output set aside.
    QByteArray contentSetAside(const QString& output) {
        const QStringList aside = videosFolder().filter(EarlierOutput::FolderPrefix);
        if (aside.size() != 1)
            ADD_FAILURE() << aside.size() << " folders of earlier outputs";
        return aside.size() == 1 ? contentOf(folder_.path() + "/videos/" + aside[0] + "/" +
                                             QFileInfo(output).fileName())
                                 : QByteArray();
    }

    // Runs `action` once, inside the running job, when the row first shows `passText`.
    static void onceTheRowShows(const QString& passText, const std::function<void()>& action,
                                int row = 1) {
        once([=] { return cell(row, QueueColumn::CompressionPass) == passText; }, action);
    }

    // Starts one clip's run and stops it, as the stop command does, once its row shows the
    // pass.
    void runAndStopDuring(const QString& passText) {
        addRow(source("clip.mp4"), "45.5");
        startQuickRun();
        onceTheRowShows(passText, [] {
            CancelRequested = true;
            StopFFmpeg();
        });
        ASSERT_TRUE(runUntil(runEnded, 15000));
    }

    static QString workFolderOf(const QString& call) { return call.section(" @ ", 1); }

    void expectEveryRowCancelled() {
        for (int row = 1; row <= queue().rowCount(); ++row) {
            EXPECT_EQ(cell(row, QueueColumn::ProcessStatus), "Cancelled") << row;
            EXPECT_FALSE(queue().checked(row)) << row;
        }
        EXPECT_EQ(Form1::instance().PBar1(2).value(), 0);
        for (const QString& call : calls())
            EXPECT_FALSE(QFileInfo::exists(workFolderOf(call))) << call.toStdString();
        EXPECT_TRUE(rt::uiScript().msgBoxes.empty());
    }
};

TEST_F(JobRunTest, TwoJobsNestAndCompleteWithTheirOwnStatistics) {
    writeTools(10, 3);
    const QString first = source("first.mp4");
    const QString second = source("second.mp4");
    addRow(first, "45.5");
    addRow(second, "45.5");
    QStringList overall;
    QObject::connect(&Form1::instance().Label1(7), &rt::Label::changed,
                     [&] { overall << Form1::instance().Label1(7).caption(); });
    StartCompression();
    const QList<Form2*> windows = jobs();
    QStringList firstJobsBox0;
    QObject::connect(&windows[0]->Text1(0), &rt::TextBox::changed, [&] {
        if (!windows[0]->Text1(0).text().isEmpty())
            firstJobsBox0 << windows[0]->Text1(0).text();
    });
    windows[0]->Timer1->setInterval(10);
    windows[1]->Timer1->setInterval(150); // falls due while the first job's pass 1 runs
    ASSERT_TRUE(runUntil(runEnded, 40000));

    for (int row : {1, 2}) {
        EXPECT_EQ(cell(row, QueueColumn::CompressionPass), "Compression Complete") << row;
        EXPECT_EQ(cell(row, QueueColumn::ProcessStatus), "100%");
        EXPECT_EQ(cell(row, QueueColumn::ActualSize), "002");
        EXPECT_TRUE(queue().checked(row));
        Form2& window = *windows[row - 1];
        EXPECT_EQ(window.Label2(7).caption(), "002");
        EXPECT_TRUE(window.Finished);
        EXPECT_TRUE(window.isHidden());
        EXPECT_FALSE(window.Timer2->enabled());
    }
    EXPECT_EQ(Form1::instance().PBar1(2).max(), 4);
    EXPECT_EQ(Form1::instance().PBar1(2).value(), 4);
    EXPECT_EQ(overall, (QStringList{"00.00%", "25.00%", "50.00%", "75.00%", "100.00%"}));

    // The second job started inside the first one's pass 1 and finished first.
    const QStringList passes2 = callsWith("pass=2");
    ASSERT_EQ(passes2.size(), 2);
    EXPECT_TRUE(passes2[0].contains(second));
    EXPECT_TRUE(passes2[1].contains(first));
    const QStringList passes1 = callsWith("pass=1");
    ASSERT_EQ(passes1.size(), 2);
    EXPECT_TRUE(passes1[0].contains(first));

    // Each job ran its tools in a folder of its own, gone with the job.
    QSet<QString> folders;
    for (const QString& call : callsWith(" @ "))
        folders << workFolderOf(call);
    EXPECT_EQ(folders.size(), 2);
    for (const QString& folder : folders)
        EXPECT_FALSE(QFileInfo::exists(folder)) << folder.toStdString();
    EXPECT_FALSE(QFileInfo::exists(folder_.path() + "/x265_2pass.log"));

    const QString program = folder_.path();
    Form2& window = *windows[0];
    const QString output = program + "/videos/Compressed_01_first.mp4";
    // The probe, pass 1 and the check of the output share the first box.
    EXPECT_EQ(firstJobsBox0,
              (QStringList{program + "/ffprobe -hide_banner -stats -i \"" + first + '"',
                           program + "/ffmpeg -y -i \"" + first +
                               "\" -c:v libx265 -preset ultrafast -b:v 1278.353k "
                               "-x265-params pass=1 -c:a aac -b:a 92k -f mp4 /dev/null",
                           program + "/ffprobe -hide_banner -stats -i \"" + output + '"'}));
    EXPECT_EQ(window.Text1(1).text(), program + "/ffmpeg -i \"" + first +
                                          "\" -c:v libx265 -preset ultrafast -b:v 1278.353k "
                                          "-x265-params pass=2 -c:a aac -b:a 92k -y \"" +
                                          output + '"');
    EXPECT_TRUE(callsWith("ffprobe")[0].endsWith("ffprobe -hide_banner -stats -i " + first));
    EXPECT_EQ(QFileInfo(output).size(), 2500000);
}

TEST_F(JobRunTest, StopDuringPassOneCancelsBeforePassTwo) {
    writeTools(100, 3);
    runAndStopDuring("Pass 1: Analysing...");
    EXPECT_EQ(cell(1, QueueColumn::ProcessStatus), "Cancelled");
    EXPECT_EQ(cell(1, QueueColumn::CompressionPass), "Pass 1: Analysing...");
    EXPECT_TRUE(callsWith("pass=2").isEmpty());
    EXPECT_EQ(Form1::instance().PBar1(2).value(), 0);
    EXPECT_FALSE(queue().checked(1));
    // The stop unloaded the window at once; it went once the job had returned.
    EXPECT_TRUE(Form1::instance().findChildren<Form2*>().isEmpty());
}

TEST_F(JobRunTest, OneStopEndsEveryToolOfNestedJobsAndStartsNoOther) {
    writeTools(100, 3);
    for (const char* name : {"first.mp4", "second.mp4", "third.mp4"})
        addRow(source(name), "45.5");
    StartCompression();
    const QList<Form2*> windows = jobs();
    // Each job starts while the one before it runs its pass 1.
    for (int i = 0; i < 3; ++i)
        windows[i]->Timer1->setInterval(10 + 150 * i);
    qsizetype callsAtStop = -1;
    onceTheRowShows(
        "Pass 1: Analysing...",
        [&] {
            callsAtStop = calls().size();
            stop();
        },
        3);
    ASSERT_TRUE(runUntil(runEnded, 15000));

    EXPECT_EQ(callsAtStop, 6); // three probes, three first passes
    EXPECT_EQ(calls().size(), callsAtStop);
    // The outer jobs' passes were ended too, not left to run their course.
    EXPECT_FALSE(QFileInfo::exists(folder_.path() + "/ran-to-the-end.log"));
    expectEveryRowCancelled();
}

TEST_F(JobRunTest, StopDuringTheProbeRunsNoPassAndAsksNothing) {
    writeTools(1, 1);
    addRow(source("slowprobe.mp4"), "45.5");
    startQuickRun();
    once([this] { return !callsWith("ffprobe").isEmpty(); }, stop);
    ASSERT_TRUE(runUntil(runEnded, 15000));
    EXPECT_TRUE(callsWith("ffmpeg").isEmpty());
    expectEveryRowCancelled();
}

// A stop after a good pass 2 removes only what the check proved bad. Once the check has
// answered, the job ends as the check finds; before, the stop ends the check, whose probe may
// never answer, and both the new encode and the earlier output stay.
TEST_F(JobRunTest, StopAfterAGoodPassTwoRemovesOnlyWhatTheCheckProvedBad) {
    writeTools(1, 1);
    const std::function<bool()> checkBegun = [this] {
        return !callsWith("-i " + cell(1, QueueColumn::OutputPath)).isEmpty();
    };
    struct Moment {
        QString source;
        std::function<bool()> reached;
        bool complete;
        bool provenBad;
    };
    const std::function<bool()> checkAnswered = [&] {
        return checkBegun() && rt::ProcessTable::find(rt::programFolder() + "/ffprobe") == 0;
    };
    const std::vector<Moment> moments = {
        {"clip.mp4", checkAnswered, true, false},      // the job waits for the output to settle
        {"heldcheck.mp4", checkAnswered, false, true}, // the job has not read the answer yet
        {"hangcheck.mp4", checkBegun, false, false},   // last: its earlier output stays aside
    };
    for (const Moment& moment : moments) {
        SCOPED_TRACE(moment.source.toStdString());
        queue().clearRows();
        addRow(source(moment.source), "45.5");
        const QString output = cell(1, QueueColumn::OutputPath);
        const QByteArray earlier = writeEarlierOutput(output);
        startQuickRun();
        // A check that the stop leaves hanging is ended here, after a while, and tells.
        bool checkLeftHanging = false;
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [&checkLeftHanging] {
            const pid_t probe = rt::ProcessTable::find(rt::programFolder() + "/ffprobe");
            checkLeftHanging = probe != 0;
            rt::ProcessTable::terminate(probe, 0);
        });
        watchdog.start(15000);
        // The job still runs after the stop: no other run may start beside it until it ends.
        bool startedAfterStop = true;
        once(moment.reached, [&startedAfterStop] {
            stop();
            const auto windows = [] { return Form1::instance().findChildren<Form2*>().size(); };
            const auto before = windows();
            Form1::instance().mnu_StartCompression->trigger();
            startedAfterStop = windows() != before;
        });
        ASSERT_TRUE(runUntil(runEnded, 15000));
        EXPECT_FALSE(checkLeftHanging);
        EXPECT_FALSE(startedAfterStop);
        EXPECT_FALSE(Form2::runUnderWay());
        EXPECT_TRUE(Form1::instance().mnu_StartCompression->isEnabled());
        EXPECT_EQ(cell(1, QueueColumn::CompressionPass) == "Compression Complete", moment.complete)
            << cell(1, QueueColumn::ProcessStatus).toStdString();
        EXPECT_EQ(cell(1, QueueColumn::ProcessStatus), moment.complete ? "100%" : "Cancelled");
        EXPECT_EQ(queue().checked(1), moment.complete);
        // The earlier output goes only with a complete row, and takes its name again only from
        // an encode proven bad.
        if (moment.provenBad)
            EXPECT_EQ(contentOf(output), earlier);
        else
            EXPECT_EQ(QFileInfo(output).size(), 2500000);
        if (moment.complete || moment.provenBad)
            EXPECT_TRUE(videosFolder().filter(EarlierOutput::FolderPrefix).isEmpty());
        else
            EXPECT_EQ(contentSetAside(output), earlier);
    }
}

// The output settles for two seconds after pass 2: its check runs at once, within them, and its
// size is read once they are over.
TEST_F(JobRunTest, TheOutputIsCheckedAtOnceAndMeasuredOnceItHasSettled) {
    writeTools(1, 1);
    addRow(source("settling.mp4"), "45.5");
    startQuickRun();
    ASSERT_TRUE(runUntil(runEnded, 15000));
    EXPECT_EQ(cell(1, QueueColumn::CompressionPass), "Compression Complete");
    EXPECT_EQ(cell(1, QueueColumn::ActualSize), "006"); // 2,500,000 bytes and 4,000,000 more
}

// An earlier output stays the user's until a new encode is kept: a stopped pass 2 brings it
// back, byte for byte, and a kept encode takes its place with nothing left beside it.
TEST_F(JobRunTest, StopDuringPassTwoCancelsAndAKeptEncodeReplacesTheEarlierOutput) {
    const QString output = folder_.path() + "/videos/Compressed_01_clip.mp4";
    QDir().mkpath(folder_.path() + "/videos");
    const QByteArray earlier = writeEarlierOutput(output);
    writeTools(1, 100);
    runAndStopDuring("Pass 2: Compressing...");
    EXPECT_EQ(cell(1, QueueColumn::ProcessStatus), "Cancelled");
    EXPECT_NE(cell(1, QueueColumn::CompressionPass), "Compression Complete");
    EXPECT_FALSE(queue().checked(1));
    EXPECT_EQ(Form1::instance().PBar1(2).value(), 1);
    EXPECT_EQ(contentOf(output), earlier);
    EXPECT_EQ(videosFolder(), QStringList({"Compressed_01_clip.mp4", "clip.mp4"}));

    writeTools(1, 1);
    startQuickRun();
    ASSERT_TRUE(runUntil(runEnded, 15000));
    EXPECT_EQ(cell(1, QueueColumn::CompressionPass), "Compression Complete");
    EXPECT_EQ(QFileInfo(output).size(), 2500000);
    EXPECT_EQ(videosFolder(), QStringList({"Compressed_01_clip.mp4", "clip.mp4"}));
}

TEST_F(JobRunTest, ARunStartedAgainNeverHasTwoToolsWriteOneOutput) {
    writeTools(1, 5);
    const QString output = folder_.path() + "/videos/Compressed_01_clip.mp4";
    addRow(source("clip.mp4"), "45.5");
    startQuickRun();
    // The second run's job starts inside the first one's pass 2 and reaches its own pass 2.
    onceTheRowShows("Pass 2: Compressing...", [] { startQuickRun(); });
    ASSERT_TRUE(runUntil(runEnded, 20000));

    const QStringList passes2 = callsWith("pass=2");
    ASSERT_EQ(passes2.size(), 1);
    EXPECT_TRUE(passes2[0].contains(output));
    // The first run's job wrote the file whole and ended last.
    EXPECT_EQ(cell(1, QueueColumn::CompressionPass), "Compression Complete");
    EXPECT_EQ(QFileInfo(output).size(), 2500000);
    const QList<Form2*> windows = Form1::instance().findChildren<Form2*>();
    ASSERT_EQ(windows.size(), 2);
    EXPECT_EQ(windows[1]->Text1(1).text(), "FFmpeg PASS 2 string\r\n");
}

// The rows of a run into a chosen folder name their files there from the run's start, so that
// a video added during the run never takes the name of a file that a waiting job will write.
TEST_F(JobRunTest, AVideoAddedDuringARunNeverNamesTheFileOfAWaitingJob) {
    writeTools(1, 1);
    Form1::instance().List1->addItem("mp4"); // the permitted types
    // Sources large enough for a target above the audio's share.
    for (const char* name : {"videos/a.mp4", "videos/b.mp4"})
        AddVideoToQueue(writeFile(name, 8 * 1024 * 1024));
    Form4& dialog = Form4::instance();
    dialog.BrowsePath = folder_.path() + "/";
    dialog.Text1->setText("out");
    dialog.Command1_Click(1);
    Form1::instance().mnu_StartCompression->trigger();
    // Before any job begins, the row above b's goes and a video named b from the chosen folder
    // comes in its place.
    queue().setChecked(1, true);
    rt::uiScript().msgBoxAnswers = {rt::AnswerYes};
    RemoveCheckedVideos();
    AddVideoToQueue(writeFile("out/b.mp4", 8 * 1024 * 1024));
    for (Form2* job : jobs())
        job->Timer1->setInterval(10);
    ASSERT_TRUE(runUntil(runEnded, 20000));

    const QString written = folder_.path() + "/out/Compressed_02_b.mp4";
    ASSERT_EQ(queue().rowCount(), 2);
    EXPECT_EQ(cell(1, QueueColumn::CompressionPass), "Compression Complete")
        << cell(1, QueueColumn::ProcessStatus).toStdString();
    EXPECT_EQ(cell(1, QueueColumn::OutputPath).toStdString(), written.toStdString());
    EXPECT_EQ(QFileInfo(written).size(), 2500000);
    EXPECT_NE(cell(2, QueueColumn::OutputPath).toStdString(), written.toStdString());
}

TEST_F(JobRunTest, JobsKeepToTheirOwnVideosWhenRowsAboveAreRemoved) {
    writeTools(1, 1);
    const QString first = source("first.mp4");
    addRow(first, "45.5");
    addRow(source("second.mp4"), "45.5");
    startQuickRun();
    // The first video leaves the queue, and the disk, before its job begins: its job fails,
    // and that failure must not land on the second video's row, now row 1.
    queue().setChecked(1, true);
    rt::uiScript().msgBoxAnswers = {rt::AnswerYes};
    RemoveCheckedVideos();
    QFile::remove(first);
    ASSERT_TRUE(runUntil(runEnded, 20000));

    ASSERT_EQ(queue().rowCount(), 1);
    EXPECT_EQ(cell(1, QueueColumn::VideoName), "second");
    EXPECT_EQ(cell(1, QueueColumn::CompressionPass), "Compression Complete");
    EXPECT_TRUE(queue().checked(1));
}

TEST_F(JobRunTest, AJobWritesWhereTheRunStartedItAndTheRowNamesThatFile) {
    writeTools(1, 1);
    const QString clip = source("clip.mp4");
    const QString chosen = folder_.path() + "/out";
    // An earlier run's file where the second run writes: the row gets the new file's size.
    writeFile("out/Compressed_01_clip.mp4", 5 * 1024 * 1024);
    const auto chooseInTheDialog = [this] {
        Form4& dialog = Form4::instance();
        dialog.BrowsePath = folder_.path() + "/";
        dialog.Text1->setText("later");
        dialog.Command1_Click(1);
    };
    struct Case {
        QString atStart;
        std::function<void()> duringPass1;
        QString written;
    };
    for (const Case& run : {Case{SourceDirectoryLocation, chooseInTheDialog,
                                 folder_.path() + "/videos/Compressed_01_clip.mp4"},
                            Case{chosen, [] { OutputLocation = SourceDirectoryLocation; },
                                 chosen + "/Compressed_01_clip.mp4"}}) {
        queue().clearRows();
        addRow(clip, "45.5");
        OutputLocation = run.atStart;
        startQuickRun();
        onceTheRowShows("Pass 1: Analysing...", run.duringPass1);
        ASSERT_TRUE(runUntil(runEnded, 15000));

        EXPECT_EQ(cell(1, QueueColumn::CompressionPass), "Compression Complete");
        EXPECT_EQ(cell(1, QueueColumn::OutputPath), run.written);
        EXPECT_EQ(QFileInfo(run.written).size(), 2500000);
        EXPECT_EQ(cell(1, QueueColumn::ActualSize), "002");
    }
    EXPECT_TRUE(QDir(folder_.path() + "/later").isEmpty());
}

TEST_F(JobRunTest, ProgramEndingInTheMiddleOfAJobLeavesNoWorkingFolder) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // The process that ends is a fresh run of this test; it inherits the folder looked into.
    QString shared = qEnvironmentVariable("TOVRANE_TEST_TMPDIR");
    if (shared.isEmpty())
        shared = folder_.path() + "/tmp";
    QDir().mkpath(shared);
    const ScopedEnvironment sharedFolder("TOVRANE_TEST_TMPDIR", QFile::encodeName(shared));
    const ScopedEnvironment temp("TMPDIR", QFile::encodeName(shared));
    // Ending mid-job leaves everything allocated; a leak check would change the exit code.
    const ScopedEnvironment noLeakCheck("ASAN_OPTIONS", "detect_leaks=0");

    EXPECT_EXIT(
        {
            writeTools(100, 1);
            addRow(source("clip.mp4"), "45.5");
            startQuickRun();
            onceTheRowShows("Pass 1: Analysing...", [] { std::exit(0); });
            runUntil(runEnded, 15000);
            std::exit(1);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(QDir(shared).entryList({"tovrane-job-*"}, QDir::Dirs | QDir::Hidden), QStringList());
}

TEST_F(JobRunTest, FailuresEndTheRowAndStillCountTheirPasses) {
    writeTools(1, 1);
    struct Case {
        QString name;
        QString target;
        QString reason;
    };
    const std::vector<Case> cases = {
        {"nodur.mp4", "45.5", "No duration found by ffprobe"},
        {"badprobe.mp4", "45.5", "ffprobe could not read the video (exit code 1)"},
        {"gone.mp4", "45.5", "Source video not found"},
        {"small.mp4", "0.01", "Target size too small for the audio bitrate"},
        {"p1fail.mp4", "45.5", "ffmpeg pass 1 failed (exit code 1)"},
        {"p2fail.mp4", "45.5", "ffmpeg pass 2 failed (exit code 1)"},
        {"p2early.mp4", "45.5", "ffmpeg pass 2 failed (exit code 1)"},
        {"nofile.mp4", "45.5", "No output file was written"},
        {"unwritable.mp4", "45.5", "Output folder cannot be written"},
        {"audioonly.mp4", "45.5", "The source holds no video stream"},
        {"broken.mp4", "45.5", "ffprobe could not read the output (exit code 1)"},
        {"short.mp4", "45.5", "The output lasts 60 s, pass 2 encoded 136 s"},
        // 255 bytes: the file system's longest name, too long for the output's.
        {QString(251, 'n') + ".mp4", "45.5", "Output file name is too long for the file system"},
        {"undated.mp4", "45.5", "The output has no duration"},
        {"twohours.mp4", "4500", "The output lasts 7060 s, pass 2 encoded 7200 s"},
        {"quietshort.mp4", "45.5", "The output lasts 60 s, the source 272 s"},
        {"killcheck.mp4", "45.5", "The output could not be checked: ffprobe was ended (signal 9)"},
        {"ages.mp4", "45.5", "Target size too small for the audio bitrate"},
    };
    for (const Case& c : cases)
        addRow(c.name == "gone.mp4" ? folder_.path() + "/videos/gone.mp4" : source(c.name),
               c.target);
    queue().setCell(9, QueueColumn::OutputPath, "/proc/Compressed_09_unwritable.mp4");
    // Short of pass 2's time by less than the margin: complete.
    const int nearly = addRow(source("nearly.mp4"), "45.5");
    // Earlier runs' outputs where pass 2 fails, before or after writing, where the check finds
    // a fault and where it cannot run.
    std::map<int, QByteArray> earlier;
    for (int row : {6, 7, 11, 17})
        earlier[row] = writeEarlierOutput(cell(row, QueueColumn::OutputPath));
    startQuickRun();
    ASSERT_TRUE(runUntil(runEnded, 30000));

    for (int row = 1; row <= int(cases.size()); ++row) {
        EXPECT_EQ(cell(row, QueueColumn::CompressionPass), "Compression Failed") << row;
        EXPECT_EQ(cell(row, QueueColumn::ProcessStatus), cases[row - 1].reason) << row;
        EXPECT_FALSE(queue().checked(row)) << row;
    }
    // Only what a failed pass 2 wrote itself is removed, and what it wrote that the check proves
    // bad; an earlier output takes its name again.
    for (int row : {12, 14, 15, 16})
        EXPECT_FALSE(QFileInfo::exists(cell(row, QueueColumn::OutputPath))) << row;
    for (int row : {6, 7, 11})
        EXPECT_EQ(contentOf(cell(row, QueueColumn::OutputPath)), earlier[row]) << row;
    // An output that could not be checked stays, and the earlier one stays beside it.
    EXPECT_EQ(QFileInfo(cell(17, QueueColumn::OutputPath)).size(), 2500000);
    EXPECT_EQ(contentSetAside(cell(17, QueueColumn::OutputPath)), earlier[17]);
    EXPECT_EQ(cell(nearly, QueueColumn::CompressionPass), "Compression Complete");
    EXPECT_EQ(QFileInfo(cell(nearly, QueueColumn::OutputPath)).size(), 2500000);
    EXPECT_EQ(Form1::instance().PBar1(2).value(), 38);
    EXPECT_EQ(Form1::instance().Label1(7).caption(), "100.00%");
    EXPECT_TRUE(callsWith("pass=2").filter("p1fail").isEmpty());
    EXPECT_EQ(
        callsWith("ffmpeg")
            .filter(QRegularExpression("nodur|badprobe|gone|small|unwrit|audioonly|nnnn|ages"))
            .size(),
        0);
    // The probe failures, and only they, tell the user.
    const auto& boxes = rt::uiScript().msgBoxes;
    ASSERT_EQ(boxes.size(), 3u);
    for (const rt::MsgBoxRecord& box : boxes) {
        EXPECT_EQ(box.prompt, "The video could not be examined.");
        EXPECT_EQ(box.style, 49);
        EXPECT_EQ(box.title, "Tovrane");
    }
}

TEST_F(JobRunTest, NoJobWritesOverTheSourceOfAQueuedVideo) {
    writeTools(1, 1);
    const QString clip = source("x.mp4");
    const QString earlier = source("Compressed_01_x.mp4"); // an earlier run's result
    const QString own = source("own.mp4");
    addRow(clip, "45.5");
    addRow(earlier, "45.5");
    addRow(own, "45.5");
    queue().setCell(3, QueueColumn::OutputPath, own);
    startQuickRun();
    ASSERT_TRUE(runUntil(runEnded, 20000));

    EXPECT_EQ(cell(1, QueueColumn::ProcessStatus),
              "Output file would replace the source of queued video 2");
    EXPECT_EQ(cell(2, QueueColumn::CompressionPass), "Compression Complete");
    EXPECT_EQ(cell(3, QueueColumn::ProcessStatus),
              "Output file would replace its own source video");
    for (int row : {1, 3})
        EXPECT_EQ(cell(row, QueueColumn::CompressionPass), "Compression Failed") << row;
    EXPECT_EQ(QFileInfo(earlier).size(), 1000);
    EXPECT_EQ(QFileInfo(own).size(), 1000);
    EXPECT_TRUE(callsWith("-i " + clip).isEmpty()); // no tool ran for the first video

    // A chosen output folder that holds the second video.
    queue().clearRows();
    OutputLocation = folder_.path() + "/out";
    const QString inOutput = writeFile("out/Compressed_01_x.mp4", 1000);
    addRow(clip, "45.5");
    addRow(inOutput, "45.5");
    startQuickRun();
    ASSERT_TRUE(runUntil(runEnded, 20000));
    EXPECT_EQ(cell(1, QueueColumn::ProcessStatus),
              "Output file would replace the source of queued video 2");
    EXPECT_EQ(cell(2, QueueColumn::CompressionPass), "Compression Complete");
    EXPECT_EQ(QFileInfo(inOutput).size(), 1000);
}

TEST_F(JobRunTest, MissingToolsFailTheRow) {
    addRow(source("clip.mp4"), "45.5");
    startQuickRun();
    ASSERT_TRUE(runUntil(runEnded, 5000));
    EXPECT_EQ(cell(1, QueueColumn::ProcessStatus), "ffprobe could not be started");
    EXPECT_EQ(rt::uiScript().msgBoxes.size(), 1u);

    writeTool("ffprobe", FakeProbe);
    startQuickRun();
    ASSERT_TRUE(runUntil(runEnded, 5000));
    EXPECT_EQ(cell(1, QueueColumn::ProcessStatus), "ffmpeg pass 1 could not be started");
    EXPECT_EQ(Form1::instance().PBar1(2).value(), 2);
}

TEST_F(JobRunTest, ProgramFolderWithBlanksStillReachesItsTools) {
    const QString program = folder_.path() + "/my programs";
    QDir().mkpath(program);
    QFile::copy(writeTool("ffprobe", FakeProbe), program + "/ffprobe");
    rt::setProgramFolder(program);
    addRow(source("clip.mp4"), "0.01");
    startQuickRun();
    ASSERT_TRUE(runUntil(runEnded, 5000));
    // The probe ran and read its duration: too short a target is what stopped the job.
    EXPECT_EQ(cell(1, QueueColumn::ProcessStatus), "Target size too small for the audio bitrate");
    EXPECT_TRUE(jobs()[0]->Text1(0).text().startsWith('"' + program + "/ffprobe\" -hide_banner"));
}

} // namespace
