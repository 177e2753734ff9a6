// What a job costs beyond its prescribed waits, against the same three tool runs done directly,
// several times each: the ratio of their medians (goal: under 1.03).
// Usage: JobBench [CLIP [RUNS]]. Without a clip it compresses a generated 30-second 640x360 one.
#include "BenchSupport.h"
#include "core/Form2.h"
#include "core/Queue.h"
#include "core/RunStart.h"
#include "core/Settings.h"
#include "mainwindow/Form1.h"
#include "runtime/CommandLine.h"
#include "runtime/Events.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void queueClip(const QString& clip) {
    rt::ListView& list = *Form1::instance().ListView1;
    list.clearRows();
    const QFileInfo source(clip);
    const int row = list.addRow("1");
    list.setCell(row, QueueColumn::VideoPath, clip);
    list.setCell(row, QueueColumn::VideoName, source.completeBaseName().toLower());
    list.setCell(row, QueueColumn::TargetSize, "2");
    list.setCell(row, QueueColumn::OutputPath,
                 source.absolutePath() + "/Compressed_01_" + source.completeBaseName() + ".mp4");
}

struct JobRun {
    double secondsBeyondWaits;
    QStringList commandLines; // the probe, pass 1 and pass 2, as the job ran them
};

// One job from its start timer's fourth tick (at once here) until it has finished.
JobRun runJob(const QString& clip) {
    queueClip(clip);
    StartCompression();
    Form2* job = Form1::instance().findChildren<Form2*>().last();
    JobRun run;
    for (int box : {0, 1})
        QObject::connect(&job->Text1(box), &rt::TextBox::changed, [&run, job, box] {
            if (!job->Text1(box).text().isEmpty())
                run.commandLines << job->Text1(box).text();
        });
    job->Timer1->setInterval(1);
    const std::int64_t waitedBefore = rt::waitedMilliseconds();
    QElapsedTimer clock;
    clock.start();
    while (job->Timer1->enabled() || job->jobRunning())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    if (!job->Finished)
        std::fprintf(stderr, "the job did not complete: %s\n",
                     qPrintable(Form1::instance().ListView1->cell(1, QueueColumn::ProcessStatus)));
    const std::int64_t waited = rt::waitedMilliseconds() - waitedBefore;
    run.secondsBeyondWaits = double(clock.elapsed() - waited) / 1000;
    delete job;
    return run;
}

// The same three tool runs, one after the other, in a fresh working folder.
double runDirectly(const QStringList& commandLines) {
    QTemporaryDir work;
    QElapsedTimer clock;
    clock.start();
    for (const QString& line : commandLines) {
        QStringList words = rt::splitCommandLine(line);
        QProcess tool;
        tool.setWorkingDirectory(work.path());
        tool.setProcessChannelMode(QProcess::MergedChannels);
        tool.setStandardOutputFile(QProcess::nullDevice());
        tool.start(words.takeFirst(), words);
        tool.waitForFinished(-1);
    }
    return double(clock.elapsed()) / 1000;
}

// A test picture with a tone, made by the installed ffmpeg (a short small one in a brief run).
QString generateClip(const QTemporaryDir& folder) {
    const QString seconds = bench::brief() ? "2" : "30";
    const QString size = bench::brief() ? "320x180" : "640x360";
    const QString clip = folder.filePath("clip.mp4");
    QProcess ffmpeg;
    ffmpeg.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    ffmpeg.start("ffmpeg", {"-v", "error", "-f", "lavfi", "-i",
                            "testsrc=duration=" + seconds + ":size=" + size + ":rate=25", "-f",
                            "lavfi", "-i", "sine=frequency=440:duration=" + seconds, "-shortest",
                            "-c:v", "libx264", "-preset", "ultrafast", "-c:a", "aac", clip});
    const bool made = ffmpeg.waitForFinished(-1) && ffmpeg.exitStatus() == QProcess::NormalExit &&
                      ffmpeg.exitCode() == 0;
    return made ? clip : QString();
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir program;
    if (!bench::prepareProgramFolder(program)) {
        std::fprintf(stderr, "ffmpeg and ffprobe are needed\n");
        return 2;
    }
    const QString clip = argc > 1 ? QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath()
                                  : generateClip(program);
    if (clip.isEmpty()) {
        std::fprintf(stderr, "the clip could not be made\n");
        return 2;
    }
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : bench::brief() ? 1 : 5;
    SetupQueueColumns();
    SetupStatusPanels();
    X265Preset = "ultrafast";
    AudioCodec = "aac";
    AudioBitrateKbps = 92;
    OutputLocation = SourceDirectoryLocation;

    std::vector<double> jobSeconds, directSeconds;
    for (int run = 1; run <= runs; ++run) {
        const JobRun job = runJob(clip);
        const double direct = runDirectly(job.commandLines);
        jobSeconds.push_back(job.secondsBeyondWaits);
        directSeconds.push_back(direct);
        std::printf("run %d: job beyond its waits %.3f s, tools directly %.3f s, ratio %.4f\n", run,
                    job.secondsBeyondWaits, direct, job.secondsBeyondWaits / direct);
    }
    std::printf("median: job beyond its waits %.3f s, tools directly %.3f s, ratio %.4f\n",
                median(jobSeconds), median(directSeconds),
                median(jobSeconds) / median(directSeconds));
    return 0;
}
