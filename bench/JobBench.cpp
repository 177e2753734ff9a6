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

struct JobRun {
    double secondsBeyondWaits;
    QStringList commandLines; // the probe, pass 1 and pass 2, as the job ran them
};

// One job from its start timer's fourth tick (at once here) until it has finished.
JobRun runJob(const QString& clip) {
    Form1::instance().ListView1->clearRows();
    bench::queueVideo(clip, "2");
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

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir program;
    if (!bench::prepareProgramFolder(program)) {
        std::fprintf(stderr, "ffmpeg and ffprobe are needed\n");
        return 2;
    }
    const QString clip =
        argc > 1 ? QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath()
                 : bench::generateClip(program.filePath("clip.mp4"), bench::brief() ? 2 : 30,
                                       bench::brief() ? "320x180" : "640x360");
    if (clip.isEmpty()) {
        std::fprintf(stderr, "the clip could not be made\n");
        return 2;
    }
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : bench::brief() ? 1 : 5;
    bench::prepareJobs();
    X265Preset = "ultrafast";

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
                bench::median(jobSeconds), bench::median(directSeconds),
                bench::median(jobSeconds) / bench::median(directSeconds));
    return 0;
}
