// Whole runs with the real ffprobe and ffmpeg on tiny generated clips.
#include "JobTestSupport.h"

#include "core/AddVideos.h"
#include "core/PermittedTypes.h"
#include "runtime/Dialogs.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <cstdio>

namespace {

const QString FFmpeg = QStringLiteral(TOVRANE_FFMPEG);
const QString FFprobe = QStringLiteral(TOVRANE_FFPROBE);

QString runTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

class JobEndToEndTest : public JobTest {
  protected:
    void SetUp() override {
        JobTest::SetUp();
        hadTemp = qEnvironmentVariableIsSet("TMPDIR");
        savedTemp = qgetenv("TMPDIR");
        if (!QFileInfo(FFmpeg).isExecutable() || !QFileInfo(FFprobe).isExecutable())
            FAIL() << "ffmpeg and ffprobe are not installed: scripts/setup.sh installs them";
        QFile::link(FFmpeg, folder_.path() + "/ffmpeg");
        QFile::link(FFprobe, folder_.path() + "/ffprobe");
        // The jobs' working folders go to a temporary folder of this test's own.
        QDir().mkpath(folder_.path() + "/tmp");
        qputenv("TMPDIR", QFile::encodeName(folder_.path() + "/tmp"));
    }

    void TearDown() override {
        if (hadTemp)
            qputenv("TMPDIR", savedTemp);
        else
            qunsetenv("TMPDIR");
        JobTest::TearDown();
    }

    // A test pattern with a sine tone, three seconds long unless told otherwise; `videoInput`
    // goes before the pattern's input (such as -itsoffset to start the video late).
    QString makeClip(const QString& relativePath, const QStringList& extra = {},
                     const QString& seconds = "3", const QStringList& videoInput = {},
                     const QString& size = "160x120") {
        const QString path = folder_.path() + "/" + relativePath;
        QDir().mkpath(QFileInfo(path).absolutePath());
        runTool(FFmpeg,
                QStringList{"-v", "error", "-y"} + videoInput +
                    QStringList{"-f", "lavfi", "-i",
                                "testsrc=duration=" + seconds + ":size=" + size + ":rate=25", "-f",
                                "lavfi", "-i", "sine=frequency=440:duration=" + seconds,
                                "-shortest", "-c:v", "libx264", "-preset", "ultrafast", "-c:a",
                                "aac"} +
                    extra + QStringList{path});
        return path;
    }

    // Sources whose container misstates how long they play.
    enum class Shape {
        AsMade,
        PartsJoined,      // two parts joined byte for byte: ffprobe reads the first's length
        CommentaryRunsOn, // a second audio track runs on past the video
    };

    QString shapedClip(const QString& path, Shape shape) {
        if (shape == Shape::PartsJoined) {
            QFile file(path);
            if (file.open(QIODevice::ReadWrite))
                file.write(file.readAll());
        } else if (shape == Shape::CommentaryRunsOn) {
            const QString remade = path + ".remade.mp4";
            runTool(FFmpeg, {"-v", "error", "-y", "-i", path, "-f", "lavfi", "-i",
                             "sine=frequency=220:duration=8", "-map", "0", "-map", "1:a", "-c",
                             "copy", "-c:a:1", "aac", remade});
            QFile::remove(path);
            QFile::rename(remade, path);
        }
        return path;
    }

    static QString codecs(const QString& path) {
        return runTool(FFprobe, {"-v", "error", "-show_entries", "stream=codec_name", "-of",
                                 "csv=p=0", path})
            .simplified();
    }

    void expectCompressedNearTarget(int row, double tolerance = 0.15) {
        const QString output = cell(row, QueueColumn::OutputPath);
        EXPECT_EQ(cell(row, QueueColumn::CompressionPass), "Compression Complete")
            << cell(row, QueueColumn::ProcessStatus).toStdString();
        EXPECT_EQ(cell(row, QueueColumn::ProcessStatus), "100%") << row;
        EXPECT_TRUE(queue().checked(row)) << row;
        EXPECT_EQ(codecs(output), "hevc aac") << output.toStdString();
        const double megabytes = double(QFileInfo(output).size()) / 1024 / 1024;
        const double target = cell(row, QueueColumn::TargetSize).toDouble();
        EXPECT_NEAR(megabytes, target, tolerance * target) << output.toStdString();
    }

    void expectNoStatisticsLeft(const QStringList& folders) {
        EXPECT_TRUE(QDir(folder_.path() + "/tmp")
                        .isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
        for (const QString& folder : folders)
            EXPECT_TRUE(QDir(folder).entryList({"x265_2pass*"}).isEmpty()) << folder.toStdString();
    }

    bool hadTemp = false;
    QByteArray savedTemp;
};

// A folder on a file system of its own of `kilobytes`, when this process may mount one.
class SmallDisk {
  public:
    SmallDisk(const QString& folder, int kilobytes) : folder_(folder) {
        QDir().mkpath(folder);
        QProcess mount;
        mount.start("mount",
                    {"-t", "tmpfs", "-o", QString("size=%1k").arg(kilobytes), "tmpfs", folder});
        mounted_ = mount.waitForFinished(10000) && mount.exitStatus() == QProcess::NormalExit &&
                   mount.exitCode() == 0;
    }
    ~SmallDisk() {
        if (mounted_)
            QProcess::execute("umount", {folder_});
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    bool mounted() const { return mounted_; }

  private:
    QString folder_;
    bool mounted_ = false;
};

// Stands in for a full disk: the real ffmpeg, whose pass 2 output then loses its end (where
// the MP4 index lies) while the tool still reports success.
const QByteArray FFmpegThatLosesItsTrailer = R"SH(#!/bin/sh
REAL_FFMPEG "$@"; status=$?
case "$*" in *pass=2*) for output; do :; done; truncate -s 200000 "$output" ;; esac
exit $status
)SH";

TEST_F(JobEndToEndTest, TwoClipsCompressAndANonVideoFails) {
    const QString mp4 = makeClip("in/clipA.mp4");
    const QString mkv = makeClip("in/clipB.mkv", {"-metadata:s:v", "title=pattern"});
    const QString fake = writeFile("in/notes.avi", 4000);
    QFile types(folder_.path() + "/permitted_types.txt");
    ASSERT_TRUE(types.open(QIODevice::WriteOnly));
    types.write("mp4\nmkv\navi\n");
    types.close();
    LoadPermittedTypes();
    for (const QString& path : {mp4, mkv, fake})
        AddVideoToQueue(path);
    ASSERT_EQ(queue().rowCount(), 3);
    // Targets large enough for the audio of a three-second clip.
    for (int row = 1; row <= 3; ++row)
        queue().setCell(row, QueueColumn::TargetSize, "0.1");
    OutputLocation = folder_.path() + "/out put";
    QDir().mkpath(OutputLocation);
    startQuickRun();
    ASSERT_TRUE(runUntil(runEnded, 60000));

    expectCompressedNearTarget(1);
    expectCompressedNearTarget(2);
    EXPECT_EQ(cell(1, QueueColumn::OutputPath), OutputLocation + "/Compressed_01_clipa.mp4");
    EXPECT_EQ(cell(3, QueueColumn::CompressionPass), "Compression Failed");
    EXPECT_EQ(cell(3, QueueColumn::ProcessStatus),
              "ffprobe could not read the video (exit code 1)");
    EXPECT_FALSE(queue().checked(3));
    EXPECT_EQ(Form1::instance().Label1(7).caption(), "100.00%");
    EXPECT_EQ(Form1::instance().StatusBar1->panelText(7), "Custom Save Location: .../out put    ");
    expectNoStatisticsLeft(
        {folder_.path(), folder_.path() + "/in", OutputLocation, QDir::currentPath()});
}

TEST_F(JobEndToEndTest, BadInputsEndWithAClearStatus) {
    const QString odd = makeClip(QString::fromUtf8("dir with blanks/My \"odd\" vidéo – ñ\\x.mp4"));
    const QString empty = writeFile("in/empty.mp4", 0);
    const QString deleted = makeClip("in/deleted.mp4");
    const QString unwritable = makeClip("in/unwritable.mp4");
    addRow(odd, "0.1");
    addRow(empty, "0.1");
    addRow(deleted, "0.1");
    addRow(unwritable, "0.1");
    queue().setCell(4, QueueColumn::OutputPath, "/proc/Compressed_04_unwritable.mp4");
    QFile::remove(deleted);
    startQuickRun();
    ASSERT_TRUE(runUntil(runEnded, 60000));

    expectCompressedNearTarget(1);
    EXPECT_TRUE(QFileInfo::exists(odd)); // the source stays as it was
    const QStringList reasons = {"ffprobe could not read the video (exit code 1)",
                                 "Source video not found", "Output folder cannot be written"};
    for (int row = 2; row <= 4; ++row) {
        EXPECT_EQ(cell(row, QueueColumn::CompressionPass), "Compression Failed") << row;
        EXPECT_EQ(cell(row, QueueColumn::ProcessStatus), reasons[row - 2]) << row;
    }
    EXPECT_EQ(QFileInfo(empty).size(), 0);
    EXPECT_EQ(Form1::instance().PBar1(2).value(), 8);
    expectNoStatisticsLeft({folder_.path(), QFileInfo(odd).absolutePath(), QDir::currentPath()});
}

TEST_F(JobEndToEndTest, TransportStreamWithLeadingAudioAndSubSecondClipCompress) {
    // Audio that starts before the video makes ffmpeg pad the video: in both passes alike, as
    // both carry the audio.
    const QString leading = makeClip("in/leading audio.ts", {}, "3", {"-itsoffset", "0.023"});
    const QString brief = makeClip("in/brief.mp4", {}, "0.92");
    // 30 frames a second for four seconds, then 10: ffmpeg fills the gaps alike in both passes.
    // Just over whole seconds, so that the whole-second duration does not move the target.
    const QString variable = makeClip(
        "in/variable.mp4",
        {"-vf", "fps=30,select='if(lt(t,4),1,not(mod(n,3)))'", "-fps_mode", "vfr"}, "8.04");
    addRow(leading, "0.1");
    addRow(brief, "0.05");
    addRow(variable, "0.25");
    startQuickRun();
    ASSERT_TRUE(runUntil(runEnded, 60000));

    expectCompressedNearTarget(1);
    expectCompressedNearTarget(3, 0.06);
    EXPECT_EQ(cell(2, QueueColumn::CompressionPass), "Compression Complete")
        << cell(2, QueueColumn::ProcessStatus).toStdString();
    EXPECT_EQ(codecs(cell(2, QueueColumn::OutputPath)), "hevc aac");
    EXPECT_EQ(jobs()[1]->Label2(9).caption(), "353.217k"); // 0.05 * 8192 / 0.92 - 92
    EXPECT_TRUE(rt::uiScript().msgBoxes.empty());
}

TEST_F(JobEndToEndTest, ClipsOfEveryKindLandNearTheirTargets) {
    struct Clip {
        QString name;
        QStringList extra;
        QString seconds;
        QStringList videoInput;
        QString targetMb;
        bool nearTarget; // a silent source, a clip under 2 s and a misstated length are exempt
        Shape shape = Shape::AsMade;
    };
    const QString noise = "noise=alls=12:allf=t";
    const QStringList noisy = {"-vf", noise};
    const std::vector<Clip> clips = {
        {"mp4.mp4", noisy, "6", {}, "0.3", true},
        {"mkv.mkv", noisy, "6", {}, "0.3", true},
        {"webm.webm",
         noisy + QStringList{"-c:v", "libvpx", "-deadline", "realtime", "-c:a", "libopus"},
         "6",
         {},
         "0.3",
         true},
        {"mov.mov", noisy, "6", {}, "0.3", true},
        {"avi.avi",
         noisy + QStringList{"-c:v", "mpeg4", "-q:v", "3", "-c:a", "libmp3lame"},
         "6",
         {},
         "0.3",
         true},
        {"audio lead.ts", noisy, "6", {"-itsoffset", "0.023"}, "0.3", true},
        {"vob.vob",
         noisy + QStringList{"-c:v", "mpeg2video", "-q:v", "3", "-c:a", "mp2", "-f", "vob"},
         "6",
         {},
         "0.3",
         true},
        {"variable.mp4",
         {"-vf", noise + ",fps=30,select='if(lt(t,4),1,not(mod(n,3)))'", "-fps_mode", "vfr"},
         "8.04",
         {},
         "0.4",
         true},
        {"Duration: 00:09:59.00.mp4", noisy, "6", {}, "0.3", true},
        {"title.mp4",
         noisy + QStringList{"-metadata", "title=Duration: 00:09:59.00"},
         "6",
         {},
         "0.3",
         true},
        {"brief.mp4", noisy, "0.9", {}, "0.05", false},
        {"long.mp4", noisy, "30", {}, "1.5", true},
        {"silent.mp4", noisy + QStringList{"-an"}, "6", {}, "0.3", false},
        {"joined.vob",
         noisy + QStringList{"-c:v", "mpeg2video", "-q:v", "3", "-c:a", "mp2", "-f", "vob"},
         "3",
         {},
         "0.3",
         false,
         Shape::PartsJoined},
        {"commentary.mp4", noisy, "3", {}, "0.3", false, Shape::CommentaryRunsOn},
    };
    QFile types(folder_.path() + "/permitted_types.txt");
    ASSERT_TRUE(types.open(QIODevice::WriteOnly));
    types.write("mp4\nmkv\nwebm\nmov\navi\nts\nvob\n");
    types.close();
    LoadPermittedTypes();
    for (const Clip& clip : clips)
        AddVideoToQueue(shapedClip(
            makeClip("real/" + clip.name, clip.extra, clip.seconds, clip.videoInput, "320x240"),
            clip.shape));
    ASSERT_EQ(queue().rowCount(), int(clips.size()));
    for (int row = 1; row <= int(clips.size()); ++row)
        queue().setCell(row, QueueColumn::TargetSize, clips[row - 1].targetMb);
    startQuickRun();
    ASSERT_TRUE(runUntil(runEnded, 300000));

    std::printf("%-28s %10s %10s %8s\n", "clip", "target Mb", "output Mb", "off");
    for (int row = 1; row <= int(clips.size()); ++row) {
        const Clip& clip = clips[row - 1];
        EXPECT_EQ(cell(row, QueueColumn::CompressionPass), "Compression Complete")
            << clip.name.toStdString() << ": "
            << cell(row, QueueColumn::ProcessStatus).toStdString();
        const double megabytes =
            double(QFileInfo(cell(row, QueueColumn::OutputPath)).size()) / 1024 / 1024;
        const double target = clip.targetMb.toDouble();
        std::printf("%-28s %10.3f %10.3f %+7.1f%%\n", qPrintable(clip.name), target, megabytes,
                    (megabytes / target - 1) * 100);
        if (clip.nearTarget) {
            EXPECT_NEAR(megabytes, target, 0.06 * target) << clip.name.toStdString();
        }
    }
}

TEST_F(JobEndToEndTest, OutputThatAFullDiskCutShortFails) {
    // Noise, so that the encode cannot be smaller than the disk.
    const QString clip =
        makeClip("in/noisy.mp4", {"-vf", "noise=alls=30:allf=t+u", "-b:v", "1700k"});
    const SmallDisk disk(folder_.path() + "/small", 300);
    if (!disk.mounted()) {
        QByteArray standIn = FFmpegThatLosesItsTrailer;
        standIn.replace("REAL_FFMPEG", '"' + FFmpeg.toUtf8() + '"');
        QFile::remove(folder_.path() + "/ffmpeg");
        writeTool("ffmpeg", standIn);
    }
    addRow(clip, "0.4");
    OutputLocation = folder_.path() + "/small";
    startQuickRun();
    ASSERT_TRUE(runUntil(runEnded, 60000));

    EXPECT_EQ(cell(1, QueueColumn::CompressionPass), "Compression Failed");
    EXPECT_EQ(cell(1, QueueColumn::ProcessStatus),
              "ffprobe could not read the output (exit code 1)");
    EXPECT_FALSE(queue().checked(1));
    EXPECT_FALSE(QFileInfo::exists(cell(1, QueueColumn::OutputPath)));
    EXPECT_EQ(Form1::instance().PBar1(2).value(), 2);
}

TEST_F(JobEndToEndTest, APresetChangedDuringPassOneAndALateStopLeaveTheJobComplete) {
    addRow(makeClip("in/clip.mp4", {}, "2"), "0.1");
    startQuickRun();
    Form2* job = jobs()[0];
    // x265 refuses a pass 2 whose preset sets other B-frames than its pass 1's.
    once([] { return cell(1, QueueColumn::CompressionPass) == "Pass 1: Analysing..."; },
         [] { X265Preset = "veryfast"; });
    QString pass2;
    // The stop comes once the output's check has answered, as the job lets the output settle.
    const auto checked = [job] {
        return job->Stage == "check_output" &&
               rt::ProcessTable::find(rt::programFolder() + "/ffprobe") == 0;
    };
    once(checked, [&] {
        pass2 = job->Text1(1).text();
        stop();
    });
    ASSERT_TRUE(runUntil(runEnded, 60000));

    EXPECT_EQ(cell(1, QueueColumn::CompressionPass), "Compression Complete")
        << cell(1, QueueColumn::ProcessStatus).toStdString();
    EXPECT_TRUE(pass2.contains(" -preset ultrafast ")) << pass2.toStdString();
    EXPECT_EQ(codecs(cell(1, QueueColumn::OutputPath)), "hevc aac");
}

TEST_F(JobEndToEndTest, SourcesWithoutAVideoFailBeforePassOne) {
    const QString audio = makeClip("in/song.m4a", {"-vn"});
    // A cover picture is a video stream to ffmpeg, but no video.
    const QString cover =
        makeClip("in/cover.m4a", {"-map", "1:a", "-map", "0:v", "-frames:v", "1", "-c:v", "mjpeg",
                                  "-disposition:v", "attached_pic"});
    addRow(audio, "0.1");
    addRow(cover, "0.1");
    startQuickRun();
    ASSERT_TRUE(runUntil(runEnded, 60000));

    for (int row : {1, 2}) {
        EXPECT_EQ(cell(row, QueueColumn::CompressionPass), "Compression Failed") << row;
        EXPECT_EQ(cell(row, QueueColumn::ProcessStatus), "The source holds no video stream");
    }
    EXPECT_EQ(Form1::instance().PBar1(2).value(), 4);
}

} // namespace
