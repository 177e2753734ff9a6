// Reading the tools' output, chunk by chunk, as a job window's handler does.
#include "JobTestSupport.h"

#include "core/ToolOutput.h"

#include <QFile>

namespace {

class JobOutputTest : public JobTest {
  protected:
    void SetUp() override {
        JobTest::SetUp();
        addRow("/videos/holiday.mp4", "45.5");
        StartCompression();
        job = jobs().front();
        job->Timer1->setEnabled(false);
        job->ListIndex = 1;
        job->AudioBitrate = job->sheetValue(10); // as the job's start sets it
    }

    void feed(const QString& stage, const QStringList& chunks) {
        job->Stage = stage;
        for (const QString& chunk : chunks)
            job->objDOS_ReceiveOutputs(chunk);
    }

    QString mainLabel(int index) { return Form1::instance().Label1(index).caption(); }
    rt::ProgressBar& gauge() { return Form1::instance().PBar1(0); }

    Form2* job = nullptr;
};

const QString ProbeLine =
    "  Duration: 00:04:32.52, start: 0.000000, bitrate: 1402 kb/s\r\n  Stream #0:0";
const QString ProgressLine = "frame= 1632 fps= 54 q=31.0 size=    4864kB time=00:01:08.00 "
                             "bitrate= 585.9kbits/s speed=2.27x    ";

TEST_F(JobOutputTest, WorkedExamplesOfProbeAndPassOne) {
    feed("scan_video", {ProbeLine});
    EXPECT_EQ(job->Label2(8).caption(), "272");
    EXPECT_EQ(job->DurationSec, 272);
    EXPECT_EQ(job->VideoBitrate, "1278.353k");
    EXPECT_EQ(job->Label2(9).caption(), "1278.353k");
    EXPECT_EQ(job->Label2(7).caption(), "in progress");

    gauge().setMax(6);
    feed("analyse_video", {ProgressLine});
    EXPECT_EQ(mainLabel(12), "37.83%");
    EXPECT_EQ(mainLabel(11), "2.27");
    EXPECT_TRUE(Form1::instance().Label15->isHidden());
    EXPECT_EQ(gauge().max(), 6);
    EXPECT_DOUBLE_EQ(gauge().value(), 2.27);
    EXPECT_EQ(cell(1, QueueColumn::CompressionPass), "Pass 1: Analysing...");
    EXPECT_EQ(job->Label2(13).caption(), "00:01:08");
    EXPECT_EQ(job->Label4->caption(), "progress 25.00%");
    for (rt::ProgressBar* bar : {job->PBar1, &Form1::instance().PBar1(1)}) {
        EXPECT_EQ(bar->max(), 272);
        EXPECT_EQ(bar->value(), 68);
    }
    EXPECT_EQ(mainLabel(6), "25.00%");
    EXPECT_EQ(cell(1, QueueColumn::ProcessStatus), "25.00%");
    EXPECT_EQ(job->Text1(2).text(), ProgressLine.trimmed() + "\r\n");

    // The share is computed against the maximum in force before the chunk changes it.
    feed("analyse_video", {"speed=12.3x"});
    EXPECT_EQ(mainLabel(11), "12.30");
    EXPECT_EQ(mainLabel(12), "205.00%");
    EXPECT_FALSE(Form1::instance().Label15->isHidden());
    EXPECT_EQ(gauge().max(), 12);
    EXPECT_DOUBLE_EQ(gauge().value(), 2.27);

    feed("compress_video", {"speed=8.5x    "});
    EXPECT_EQ(mainLabel(11), "8.50");
    EXPECT_EQ(mainLabel(12), "70.83%");
    EXPECT_EQ(gauge().max(), 12);
    EXPECT_DOUBLE_EQ(gauge().value(), 8.5);
    EXPECT_EQ(cell(1, QueueColumn::CompressionPass), "Pass 2: Compressing...");
}

TEST_F(JobOutputTest, FirstSpeedIsSharedAgainstTheGaugesFirstMaximum) {
    feed("scan_video", {"speed=2.5x"});
    EXPECT_EQ(mainLabel(12), "02.50%");
    EXPECT_EQ(gauge().max(), 6);
}

TEST_F(JobOutputTest, SpeedEdges) {
    feed("analyse_video", {"speed=6.1x"});
    EXPECT_EQ(gauge().max(), 6);
    EXPECT_DOUBLE_EQ(gauge().value(), 0); // above the maximum: refused
    feed("analyse_video", {"speed=3x"});
    EXPECT_DOUBLE_EQ(gauge().value(), 3);
    feed("analyse_video", {"speed=N/A    "});
    EXPECT_EQ(mainLabel(12), "%");
    EXPECT_EQ(mainLabel(11), "N/A");
    EXPECT_TRUE(Form1::instance().Label15->isHidden());
    EXPECT_EQ(gauge().max(), 6);
    EXPECT_DOUBLE_EQ(gauge().value(), 3);
}

TEST_F(JobOutputTest, DurationSplitBetweenChunksIsStillReadWhole) {
    feed("scan_video", {"  Dura", "tion: 00:04:32.52, start"});
    EXPECT_EQ(job->DurationSec, 272);
    // Cut by the chunk's end, the value is read as far as it goes, then whole.
    job->DurationSec = 0;
    feed("scan_video", {"xxxxxxxxxxxxxxxxxxxxxxxxx\r\n  Duration: 00:04"});
    EXPECT_EQ(job->DurationSec, 240);
    feed("scan_video", {":32.52, start: 0.000000"});
    EXPECT_EQ(job->DurationSec, 272);
    EXPECT_EQ(job->VideoBitrate, "1278.353k");
}

TEST_F(JobOutputTest, SourceUnderOneSecondKeepsItsHundredths) {
    feed("scan_video",
         {"xxxxxxxxxxxxxxxxxxxxxxxxxxx\r\n  Duration: 00:00:00", ".92, start: 0.000000"});
    EXPECT_DOUBLE_EQ(job->DurationSec, 0.92);
    EXPECT_EQ(job->Label2(8).caption(), "0.92");
    EXPECT_EQ(job->VideoBitrate, "405055.826k"); // 45.5 * 8192 / 0.92 - 92
    // From one second on, whole seconds.
    feed("scan_video", {"\r\n  Duration: 00:00:01.50, start"});
    EXPECT_EQ(job->Label2(8).caption(), "1");
    EXPECT_EQ(job->VideoBitrate, "372644k");
}

TEST_F(JobOutputTest, StreamTagDurationKeepsTheDurationRead) {
    feed("scan_video",
         {ProbeLine, "    Metadata:\r\n      DURATION        : 00:01:02.000000000\r\n"});
    EXPECT_EQ(job->DurationSec, 272);
    EXPECT_EQ(job->Label2(8).caption(), "272");
    feed("scan_video", {"Duration: N/A, start"});
    EXPECT_EQ(job->DurationSec, 272);
}

TEST_F(JobOutputTest, KeywordsInFileNamesAreReadPast) {
    feed("scan_video", {"Input #0, mov,mp4,m4a,3gp,3g2,mj2, from '/v/clip_duration.mp4':\r\n"
                        "  Metadata:\r\n    major_brand     : isom\r\n" +
                        ProbeLine});
    EXPECT_EQ(job->DurationSec, 272);
    EXPECT_EQ(job->VideoBitrate, "1278.353k");

    gauge().setMax(6);
    feed("compress_video",
         {"Output #0, mp4, to '/v/Compressed_01_time speed.mp4':\r\n" + ProgressLine});
    EXPECT_EQ(mainLabel(11), "2.27");
    EXPECT_EQ(job->Label2(13).caption(), "00:01:08");
    EXPECT_EQ(cell(1, QueueColumn::ProcessStatus), "25.00%");
}

// ffprobe's output for a source whose name and titles hold the duration line's words.
const QString ProbeOutputWithDecoys =
    "Input #0, mov,mp4,m4a,3gp,3g2,mj2, from '/videos/Duration: 00:09:59.00.mp4':\n"
    "  Metadata:\n    major_brand     : isom\n    title           : Duration: 00:09:59.00\n"
    "  Duration: 00:04:32.52, start: 0.000000, bitrate: 1402 kb/s\n"
    "  Stream #0:0[0x1](und): Video: h264 (High), yuv420p, 160x120, 25 fps (default)\n"
    "    Metadata:\n      title           : Duration: 00:09:59.00\n";

TEST_F(JobOutputTest, DurationComesOnlyFromTheToolsOwnLine) {
    feed("scan_video", {ProbeOutputWithDecoys});
    EXPECT_EQ(job->DurationSec, 272);
    EXPECT_EQ(job->VideoBitrate, "1278.353k");
}

TEST(ToolOutputTest, DurationComesOnlyFromTheToolsOwnLineHoweverTheChunksFall) {
    // Every length of the first chunk, then chunks of the runner's 256 characters.
    for (int first = 1; first <= 256; ++first) {
        ToolOutput::ProbeReading reading;
        reading.read(ProbeOutputWithDecoys.left(first));
        for (qsizetype at = first; at < ProbeOutputWithDecoys.size(); at += 256)
            reading.read(ProbeOutputWithDecoys.mid(at, 256));
        EXPECT_EQ(reading.duration(), 272.0) << first;
        EXPECT_DOUBLE_EQ(reading.exactDuration().value_or(0), 272.52) << first;
        EXPECT_TRUE(reading.hasVideo()) << first;
    }
}

TEST(ToolOutputTest, EncodedTimeIsTheLastProgressLinesHoweverTheChunksFall) {
    const QString output =
        "Output #0, mp4, to '/videos/time=00:09:59.00.mp4':\n"
        "    creation_time   : 2023-01-01T00:00:00.000000Z\n"
        "frame=   75 fps=0.0 q=0.0 size=       0kB time=00:00:02.96 bitrate=   0.1kbits/s    \r"
        "frame=  151 fps=0.0 q=-0.0 Lsize=   296kB time=00:00:06.04 bitrate= 401.3kbits/s    \n"
        "video:240kB audio:52kB subtitle:0kB\n";
    for (int first = 0; first <= output.size(); ++first) {
        ToolOutput::EncodeReading reading;
        reading.read(output.left(first));
        reading.read(output.mid(first));
        EXPECT_EQ(reading.seconds(), 6.04) << first;
    }
}

TEST(ToolOutputTest, ACoverPictureIsNoVideo) {
    ToolOutput::ProbeReading cover;
    cover.read("  Stream #0:0: Audio: aac\n  Stream #0:1: Video: mjpeg, 300x300, 90k tbn");
    EXPECT_FALSE(cover.hasVideo()); // the line has not ended: its mark may follow
    cover.read(" (attached pic)\n");
    EXPECT_FALSE(cover.hasVideo());
    ToolOutput::ProbeReading video;
    video.read("  Stream #0:0: Video: hevc (Main), yuv420p, 160x120\n");
    EXPECT_TRUE(video.hasVideo());
}

TEST_F(JobOutputTest, BitrateLeavesRoomForTheAudioOfTheRowsPassTwo) {
    job->AudioBitrate = "190k"; // the row's own, while the global one stays 92
    feed("scan_video", {ProbeLine});
    EXPECT_EQ(job->VideoBitrate, "1180.353k"); // 45.5 * 8192 / 272 - 190
}

TEST_F(JobOutputTest, LongDurationsKeepTheirTrueBitrate) {
    queue().setCell(1, QueueColumn::TargetSize, "4500");
    feed("scan_video", {"  Duration: 10:00:00.00, start: 0.000000"});
    EXPECT_EQ(job->DurationSec, 36000);
    EXPECT_EQ(job->VideoBitrate, "932k"); // 4500 * 8192 / 36000 - 92
    job->Label2(8).setCaption("36000");
    feed("analyse_video", {"time=09:00:00.00 bitrate"});
    EXPECT_EQ(cell(1, QueueColumn::ProcessStatus), "90.00%");
}

TEST_F(JobOutputTest, TimeFoundInsideAnotherWordGivesNoProgress) {
    job->Label2(8).setCaption("272");
    feed("compress_video", {"    creation_time   : 2023-01-01T00:00:00.000000Z\r\n"});
    EXPECT_EQ(job->Label4->caption(), "progress 00.00%");
    EXPECT_EQ(cell(1, QueueColumn::ProcessStatus), "00.00%");
    EXPECT_EQ(job->PBar1->value(), 0);
}

TEST_F(JobOutputTest, KeywordSplitInAPassAndTheEmptyLastChunk) {
    job->Label2(8).setCaption("272");
    queue().setCell(1, QueueColumn::ProcessStatus, "Video Queued");
    feed("analyse_video", {"size= 48kB ti", "me=00:01:08.00 bitrate="});
    EXPECT_EQ(cell(1, QueueColumn::ProcessStatus), "Video Queued");
    EXPECT_EQ(job->Label2(13).caption(), "<%Data%>");
    queue().setCell(1, QueueColumn::CompressionPass, "");
    feed("analyse_video", {""});
    EXPECT_EQ(job->Text1(2).text(), "\r\n");
    EXPECT_EQ(cell(1, QueueColumn::CompressionPass), "Pass 1: Analysing...");
}

TEST_F(JobOutputTest, NoDurationMeansNoPercentage) {
    feed("analyse_video", {"time=00:01:08.00 bitrate"});
    EXPECT_EQ(job->Label4->caption(), "progress %");
    EXPECT_EQ(mainLabel(6), "%");
    EXPECT_EQ(cell(1, QueueColumn::ProcessStatus), "%");
    // Beyond the duration the percentage passes 100 and the bars refuse the value.
    job->Label2(8).setCaption("272");
    feed("analyse_video", {"time=00:04:33.00 bitrate"});
    EXPECT_EQ(cell(1, QueueColumn::ProcessStatus), "100.37%");
    EXPECT_EQ(job->PBar1->value(), 68); // kept from the chunk before
}

TEST(ToolOutputTest, VideoBitrate) {
    EXPECT_EQ(ToolOutput::videoBitrate(45.5, 0, 92), "372736k");
    EXPECT_EQ(ToolOutput::videoBitrate(0.1, 10, 92), "-10.08k");
}

// ---- The debug log

class DebugLogTest : public JobOutputTest {
  protected:
    QString logPath() { return folder_.path() + "/FFmpegLog.txt"; }
    QByteArray log() {
        QFile file(logPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
};

TEST_F(DebugLogTest, WrittenOnlyWhileTickedAndOnlyToAnExistingLog) {
    writeFile("FFmpegLog.txt", 100);
    job->Check1->setChecked(true);
    EXPECT_EQ(log(), "");
    feed("scan_video", {"  first chunk  ", "second"});
    EXPECT_EQ(log(), "first chunk\r\nsecond\r\n");

    addRow("/videos/other.mp4", "1");
    StartCompression();
    Form2* other = jobs().back();
    other->Text1(2).setText("not logged\r\n");
    EXPECT_EQ(log(), "first chunk\r\nsecond\r\n");

    job->Check1->setChecked(false);
    feed("scan_video", {"unticked"});
    EXPECT_EQ(log(), "first chunk\r\nsecond\r\n");

    QFile::remove(logPath());
    job->Check1->setChecked(true);
    QFile::remove(logPath());
    feed("scan_video", {"lost"});
    EXPECT_EQ(log(), "<missing>");
}

TEST_F(DebugLogTest, SizeLabelCountsKilobytes) {
    job->Check1->setChecked(true);
    feed("scan_video", {QString(2046, 'a')});
    EXPECT_EQ(QFileInfo(logPath()).size(), 2048);
    EXPECT_EQ(job->Label5(4).caption(), "0,002");
}

} // namespace
