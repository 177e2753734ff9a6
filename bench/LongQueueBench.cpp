// A long queue run to its end against stand-in tools, with the program's waits shortened:
// how deep the jobs nest, how many descriptors, ended but unreaped tools and how much memory the
// run holds, how long StartCompression and the whole run take, and the longest stretch without
// events.
// Usage: LongQueueBench [VIDEOS] (10,000 by default; 300 when TOVRANE_BENCH_BRIEF=1).
// It runs under the common desktop limits: an 8 MB stack and 1,024 descriptors.
#include "../tests/QuickTools.h"
#include "BenchSupport.h"
#include "core/Form2.h"
#include "core/Queue.h"
#include "core/RunStart.h"
#include "core/Settings.h"
#include "mainwindow/Form1.h"
#include "runtime/Dialogs.h"
#include "runtime/Events.h"
#include "runtime/ProgramFolder.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace {

constexpr int SecondLengthMs = 1;

double residentMb() {
    QFile statm("/proc/self/statm");
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / 1048576 : 0;
}

double peakResidentMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024;
}

int openDescriptors() {
    return int(QDir("/proc/self/fd").entryList(QDir::Files | QDir::System).size());
}

// Children of ours that have ended but are not reaped yet (zombies).
int unreapedChildren() {
    int zombies = 0;
    for (pid_t pid : bench::childProcesses()) {
        QFile stat(QString("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        zombies += line.mid(line.lastIndexOf(')') + 2, 1) == "Z";
    }
    return zombies;
}

// Samples the run from inside its event processing, wherever the jobs have nested it.
struct Peaks {
    int depth = 0;
    int descriptors = 0;
    int unreaped = 0;
    qint64 longestGapMs = 0;
};

void sample(Peaks& peaks, QElapsedTimer& sinceLast) {
    peaks.depth = std::max(peaks.depth, Form2::nestedJobs());
    peaks.descriptors = std::max(peaks.descriptors, openDescriptors());
    peaks.unreaped = std::max(peaks.unreaped, unreapedChildren());
    peaks.longestGapMs = std::max(peaks.longestGapMs, sinceLast.restart());
}

int completedRows(int videos) {
    int complete = 0;
    for (int row = 1; row <= videos; ++row)
        complete += Form1::instance().ListView1->cell(row, QueueColumn::CompressionPass) ==
                    "Compression Complete";
    return complete;
}

} // namespace

int main(int argc, char** argv) {
    lowerSoftLimit(RLIMIT_NOFILE, 1024);
    lowerSoftLimit(RLIMIT_STACK, 8 << 20);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int videos = argc > 1 ? std::max(1, atoi(argv[1])) : bench::brief() ? 300 : 10000;

    // Nothing waits for a person: boxes are answered by the script and counted.
    rt::uiScript().active = true;
    QTemporaryDir program;
    const QString source = program.path() + "/videos/clip.mp4";
    if (!program.isValid() || !bench::writeTool(program.path() + "/ffprobe", QuickProbe) ||
        !bench::writeTool(program.path() + "/ffmpeg", QuickFFmpeg) ||
        !QDir().mkpath(program.path() + "/videos") || !bench::writeTool(source, "video")) {
        std::fprintf(stderr, "the stand-in tools could not be written\n");
        return 2;
    }
    rt::setProgramFolder(program.path());
    rt::setSecondLength(SecondLengthMs);
    SetupQueueColumns();
    SetupStatusPanels();
    // Outputs next to the source, in the benchmark's own folder: an empty location is "/".
    OutputLocation = SourceDirectoryLocation;
    rt::uiScript().msgBoxes.clear();

    const double before = residentMb();
    for (int video = 0; video < videos; ++video)
        bench::queueVideo(source, "45.5");
    const double withRows = residentMb();
    QElapsedTimer clock;
    clock.start();
    StartCompression();
    const qint64 startMs = clock.elapsed();
    const double withWindows = residentMb();
    // The windows' start timers fall due within a few hundredths of a second.
    for (Form2* job : Form1::instance().findChildren<Form2*>())
        job->Timer1->setInterval(10);

    Peaks peaks;
    QElapsedTimer sinceLast;
    sinceLast.start();
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] { sample(peaks, sinceLast); });
    sampler.start(1);
    rt::ProgressBar& overall = Form1::instance().PBar1(2);
    while (overall.value() < overall.max() || Form2::nestedJobs() > 0)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const qint64 runMs = clock.elapsed();
    const int complete = completedRows(videos);

    std::printf("videos: %d (stand-in tools, a second of %d ms)\n", videos, SecondLengthMs);
    std::printf("StartCompression: %lld ms\n", static_cast<long long>(startMs));
    std::printf("memory per queued video: row %.1f KB, job window %.1f KB\n",
                (withRows - before) * 1024 / videos, (withWindows - withRows) * 1024 / videos);
    std::printf("peak nesting depth: %d\n", peaks.depth);
    std::printf("peak open descriptors: %d\n", peaks.descriptors);
    std::printf("peak ended but unreaped tools: %d\n", peaks.unreaped);
    std::printf("peak resident memory: %.0f MB\n", peakResidentMb());
    std::printf("longest stretch without events: %lld ms\n",
                static_cast<long long>(peaks.longestGapMs));
    std::printf("wall time: %.1f s\n", double(runMs) / 1000);
    std::printf("rows \"Compression Complete\": %d of %d; message boxes: %zu\n", complete, videos,
                rt::uiScript().msgBoxes.size());
    if (complete != videos)
        std::printf("row 1: %s\n",
                    qPrintable(Form1::instance().ListView1->cell(1, QueueColumn::ProcessStatus)));
    return complete == videos ? 0 : 1;
}
