// The longest stretch the window goes without events while a job runs (goal: under 250 ms): a
// timer on the window's thread ticks every 10 ms for the whole job, and the longest interval
// between two ticks is reported with the steps of the job it began and ended in.
//   real job: a generated 20-second 1280x720 clip, the installed tools, x265 preset "slower";
//   silent probe: stand-in tools whose probe prints nothing for 10 s.
// Usage: ResponsivenessBench [RUNS] (3 of each by default; one of each on a tiny clip and a short
// silence when TOVRANE_BENCH_BRIEF=1).
#include "../tests/QuickTools.h"
#include "BenchSupport.h"
#include "core/Form2.h"
#include "core/RunStart.h"
#include "core/Settings.h"
#include "mainwindow/Form1.h"
#include "runtime/ProgramFolder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

namespace {

constexpr int TickMs = 10;
constexpr qint64 GoalMs = 250;

// The job's step, told by the tool it is running.
QString stepNow() {
    for (pid_t child : bench::childProcesses()) {
        QFile commandLine(QString("/proc/%1/cmdline").arg(child));
        if (!commandLine.open(QIODevice::ReadOnly))
            continue;
        const QByteArray words = commandLine.readAll();
        if (words.contains("ffprobe"))
            return "probe";
        if (words.contains("pass=1"))
            return "pass 1";
        if (words.contains("pass=2"))
            return "pass 2";
    }
    return "waits";
}

struct Gap {
    qint64 ms = 0;
    QString from, to; // the steps at the ticks before and after it
    double atSeconds = 0;
};

struct JobGaps {
    Gap longest;
    int overGoal = 0;
    double jobSeconds = 0;
    bool completed = false;
};

// Runs one queued video's job from its start until it has finished, with the ticking timer.
JobGaps runTickedJob(const QString& source, const QString& targetMb) {
    Form1::instance().ListView1->clearRows();
    bench::queueVideo(source, targetMb);
    StartCompression();
    Form2* job = Form1::instance().findChildren<Form2*>().last();
    job->Timer1->setInterval(1);

    JobGaps gaps;
    QElapsedTimer clock;
    clock.start();
    qint64 lastTick = 0;
    QString lastStep = stepNow();
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        const QString step = stepNow();
        const qint64 gap = now - lastTick;
        gaps.overGoal += gap > GoalMs;
        if (gap > gaps.longest.ms)
            gaps.longest = {gap, lastStep, step, double(lastTick) / 1000};
        lastTick = now;
        lastStep = step;
    });
    ticker.start(TickMs);
    while (job->Timer1->enabled() || job->jobRunning())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    gaps.jobSeconds = double(clock.elapsed()) / 1000;
    gaps.completed = job->Finished;
    delete job;
    return gaps;
}

void report(const char* name, const std::vector<JobGaps>& runs) {
    std::vector<double> longest;
    for (size_t run = 0; run < runs.size(); ++run) {
        const JobGaps& gaps = runs[run];
        longest.push_back(double(gaps.longest.ms));
        std::printf("%s run %zu: longest gap %lld ms, from %s to %s, %.1f s into a %.1f s job; "
                    "gaps over %lld ms: %d%s\n",
                    name, run + 1, static_cast<long long>(gaps.longest.ms),
                    qPrintable(gaps.longest.from), qPrintable(gaps.longest.to),
                    gaps.longest.atSeconds, gaps.jobSeconds, static_cast<long long>(GoalMs),
                    gaps.overGoal, gaps.completed ? "" : " (the job did not complete)");
    }
    std::printf("%s median longest gap: %.0f ms (goal under %lld ms)\n", name,
                bench::median(longest), static_cast<long long>(GoalMs));
}

// A probe that says nothing for a while, then what a quick probe says.
QByteArray silentProbe(int seconds) {
    return QByteArray(QuickProbe)
        .replace("#!/bin/sh\n", "#!/bin/sh\nsleep " + QByteArray::number(seconds) + "\n");
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bool brief = bench::brief();
    const int runs = bench::runCount(argc, argv);
    QTemporaryDir program, standIns;
    if (!bench::prepareProgramFolder(program)) {
        std::fprintf(stderr, "ffmpeg and ffprobe are needed\n");
        return 2;
    }
    const QString clip = bench::generateClip(program.filePath("clip.mp4"), brief ? 2 : 20,
                                             brief ? "320x180" : "1280x720");
    const int silence = brief ? 2 : 10;
    const QString dummy = standIns.filePath("silent.mp4");
    if (clip.isEmpty() || !bench::writeTool(standIns.filePath("ffprobe"), silentProbe(silence)) ||
        !bench::writeTool(standIns.filePath("ffmpeg"), QuickFFmpeg) ||
        !bench::writeTool(dummy, "video")) {
        std::fprintf(stderr, "the clip or the stand-in tools could not be made\n");
        return 2;
    }
    bench::prepareJobs();

    X265Preset = "slower";
    std::vector<JobGaps> real;
    for (int run = 0; run < runs; ++run)
        real.push_back(runTickedJob(clip, brief ? "1" : "4"));
    report("real job", real);

    rt::setProgramFolder(standIns.path());
    std::vector<JobGaps> silent;
    for (int run = 0; run < runs; ++run)
        silent.push_back(runTickedJob(dummy, "45.5"));
    report(qPrintable(QString("silent probe (%1 s)").arg(silence)), silent);
    return 0;
}
