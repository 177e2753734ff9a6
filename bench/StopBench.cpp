// One stop while jobs nest, made as the stop commands make it: how many tools start after it
// (goal: none) and how long from the stop until every job has ended (goal: under 5 s, the
// prescribed waits of a job that completes aside).
//   real tools: four generated 30-second 640x360 clips at x265 preset medium, their jobs started
//     together so that they nest four deep, stopped when the innermost job's pass 1 shows 30 %;
//   stand-in tools: 200 videos, stopped when 32 jobs nest.
// Every tool is started through a script in the program folder that logs its process id before
// it becomes the tool.
// Usage: StopBench [RUNS] (3 of each by default; one of each on a small load when
// TOVRANE_BENCH_BRIEF=1).
#include "../tests/QuickTools.h"
#include "BenchSupport.h"
#include "core/FFmpegTools.h"
#include "core/Form2.h"
#include "core/Queue.h"
#include "core/RunStart.h"
#include "core/Settings.h"
#include "mainwindow/Form1.h"
#include "runtime/ProgramFolder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QPointer>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

constexpr int PollMs = 10;

// How long a run may take to its stop, and from its stop to its end, before it is given up.
int patienceS() {
    return bench::brief() ? 60 : 300;
}

QString startLog() {
    return rt::programFolder() + "/started.log";
}

// A script that logs its process id, which the tool it becomes keeps.
QByteArray logging(const QByteArray& script) {
    QByteArray logged = script;
    logged.insert(logged.indexOf('\n') + 1, "echo $$ >> \"$(dirname \"$0\")/started.log\"\n");
    return logged;
}

QByteArray wrapperOf(const QString& tool) {
    return logging("#!/bin/sh\nexec '" + QStandardPaths::findExecutable(tool).toLocal8Bit() +
                   "' \"$@\"\n");
}

QSet<pid_t> loggedTools() {
    QSet<pid_t> pids;
    QFile log(startLog());
    if (log.open(QIODevice::ReadOnly))
        for (const QByteArray& line : log.readAll().split('\n'))
            if (!line.isEmpty())
                pids.insert(pid_t(line.toInt()));
    return pids;
}

// The tools started so far: a child may not have logged itself yet.
QSet<pid_t> toolsStarted() {
    QSet<pid_t> pids = loggedTools();
    for (pid_t child : bench::childProcesses())
        pids.insert(child);
    return pids;
}

QList<Form2*> jobWindows() {
    return Form1::instance().findChildren<Form2*>(QString(), Qt::FindDirectChildrenOnly);
}

// No job runs, and none is left to begin.
bool runEnded() {
    for (Form2* job : jobWindows())
        if (job->jobRunning() || (!job->unloaded() && !job->Finished))
            return false;
    return true;
}

struct StopRun {
    bool stopped = false;
    QString stoppedAt;
    int startedAfter = 0;
    double secondsToEnd = -1; // -1: not ended within patienceS() of the stop
    QMap<QString, int> rowStatuses;
};

// Starts the queued run, stops it the first time `stopNow` says so (asked every 10 ms, wherever
// the jobs have nested) and waits for its end.
StopRun runAndStop(const std::function<QString()>& stopNow) {
    QFile::remove(startLog());
    CancelRequested = false;
    StartCompression();
    for (Form2* job : jobWindows())
        job->Timer1->setInterval(10);

    StopRun run;
    QSet<pid_t> startedBefore;
    QElapsedTimer sinceStop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        const QString reason = stopNow();
        if (reason.isEmpty())
            return;
        poll.stop(); // the stop runs events: it must not come again from inside itself
        run.stopped = true;
        run.stoppedAt = reason;
        startedBefore = toolsStarted();
        sinceStop.start();
        CancelRequested = true;
        StopFFmpeg();
    });
    poll.start(PollMs);
    QElapsedTimer clock;
    clock.start();
    const qint64 patienceMs = qint64(patienceS()) * 1000;
    while (!runEnded() && (run.stopped ? sinceStop : clock).elapsed() < patienceMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, PollMs);
    if (runEnded() && run.stopped)
        run.secondsToEnd = double(sinceStop.elapsed()) / 1000;
    poll.stop();
    run.startedAfter = int((loggedTools() - startedBefore).size());
    rt::ListView& list = *Form1::instance().ListView1;
    for (int row = 1; row <= list.rowCount(); ++row)
        ++run.rowStatuses[list.cell(row, QueueColumn::ProcessStatus)];
    // No job is running out here: the next run starts without this one's windows.
    qDeleteAll(jobWindows());
    return run;
}

// The stop comes once all `videos` jobs nest and the innermost one's row shows pass 1 at 30 % or
// more (only the innermost job reads its tool's output).
std::function<QString()> atInnermostPassOne(int videos) {
    auto started = std::make_shared<QList<QPointer<Form2>>>();
    return [started, videos]() -> QString {
        for (Form2* job : jobWindows())
            if (job->jobRunning() && !started->contains(job))
                started->append(job);
        if (Form2::nestedJobs() < videos || started->isEmpty() || started->last().isNull())
            return {};
        const int row = started->last()->queueRow();
        const rt::ListView& list = *Form1::instance().ListView1;
        const QString status = list.cell(row, QueueColumn::ProcessStatus);
        const bool passOne = list.cell(row, QueueColumn::CompressionPass).startsWith("Pass 1");
        if (!passOne || !status.endsWith('%') || status.chopped(1).toDouble() < 30)
            return {};
        return QString("row %1 pass 1 at %2").arg(row).arg(status);
    };
}

std::function<QString()> atNesting(int depth) {
    return [depth]() -> QString {
        return Form2::nestedJobs() >= depth ? QString("%1 nested jobs").arg(depth) : QString();
    };
}

void report(const char* name, const std::vector<StopRun>& runs) {
    std::vector<double> after, seconds;
    for (size_t index = 0; index < runs.size(); ++index) {
        const StopRun& run = runs[index];
        QStringList rows;
        for (auto status = run.rowStatuses.begin(); status != run.rowStatuses.end(); ++status)
            rows << QString("%1 \"%2\"").arg(status.value()).arg(status.key());
        if (!run.stopped) {
            std::printf("%s run %zu: the stop never came; rows: %s\n", name, index + 1,
                        qPrintable(rows.join(", ")));
            continue;
        }
        after.push_back(run.startedAfter);
        seconds.push_back(run.secondsToEnd < 0 ? patienceS() : run.secondsToEnd);
        std::printf("%s run %zu: stopped at %s; tools started after the stop: %d; ", name,
                    index + 1, qPrintable(run.stoppedAt), run.startedAfter);
        if (run.secondsToEnd < 0)
            std::printf("not ended %d s after the stop", patienceS());
        else
            std::printf("ended %.2f s after the stop", run.secondsToEnd);
        std::printf("; rows: %s\n", qPrintable(rows.join(", ")));
    }
    std::printf("%s median: tools started after the stop %.0f (goal 0), seconds to the end %.2f "
                "(goal under 5)\n",
                name, bench::median(after), bench::median(seconds));
}

void queueCopies(const QString& source, int videos, const QString& targetMb) {
    Form1::instance().ListView1->clearRows();
    for (int video = 0; video < videos; ++video)
        bench::queueVideo(source, targetMb);
}

bool writeWrappers(const QString& folder) {
    return bench::writeTool(folder + "/ffprobe", wrapperOf("ffprobe")) &&
           bench::writeTool(folder + "/ffmpeg", wrapperOf("ffmpeg"));
}

bool writeStandIns(const QString& folder) {
    return bench::writeTool(folder + "/ffprobe", logging(QuickProbe)) &&
           bench::writeTool(folder + "/ffmpeg", logging(QuickFFmpeg)) &&
           bench::writeTool(folder + "/video.mp4", "video");
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bool brief = bench::brief();
    const int runs = bench::runCount(argc, argv);
    QTemporaryDir real, standIns;
    // The program folder scripted, then its links replaced by the logging scripts.
    const bool prepared = bench::prepareProgramFolder(real) &&
                          QFile::remove(real.filePath("ffmpeg")) &&
                          QFile::remove(real.filePath("ffprobe")) && writeWrappers(real.path());
    const QString clip = prepared ? bench::generateClip(real.filePath("clip.mp4"), brief ? 8 : 30,
                                                        brief ? "320x180" : "640x360")
                                  : QString();
    if (clip.isEmpty() || !writeStandIns(standIns.path())) {
        std::fprintf(stderr, "ffmpeg and ffprobe are needed, and a folder to write in\n");
        return 2;
    }
    bench::prepareJobs();

    X265Preset = "medium";
    constexpr int clips = 4;
    std::vector<StopRun> realRuns;
    for (int run = 0; run < runs; ++run) {
        queueCopies(clip, clips, "2");
        realRuns.push_back(runAndStop(atInnermostPassOne(clips)));
    }
    report("real tools, 4 clips", realRuns);

    rt::setProgramFolder(standIns.path());
    const int videos = brief ? 60 : 200;
    std::vector<StopRun> standInRuns;
    for (int run = 0; run < runs; ++run) {
        queueCopies(standIns.filePath("video.mp4"), videos, "45.5");
        standInRuns.push_back(runAndStop(atNesting(32)));
    }
    report(qPrintable(QString("stand-in tools, %1 videos").arg(videos)), standInRuns);
    return 0;
}
