#include "BenchSupport.h"

#include "core/Queue.h"
#include "core/Settings.h"
#include "mainwindow/Form1.h"
#include "runtime/Dialogs.h"
#include "runtime/ProgramFolder.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <unistd.h>

namespace bench {

bool brief() {
    return qEnvironmentVariable("TOVRANE_BENCH_BRIEF") == "1";
}

int runCount(int argc, char** argv) {
    return argc > 1 ? std::max(1, atoi(argv[1])) : brief() ? 1 : 3;
}

bool prepareProgramFolder(const QTemporaryDir& folder) {
    rt::uiScript().active = true;
    rt::setProgramFolder(folder.path());
    for (const QString name : {"ffmpeg", "ffprobe"}) {
        const QString installed = QStandardPaths::findExecutable(name);
        if (installed.isEmpty() || !QFile::link(installed, folder.path() + "/" + name))
            return false;
    }
    return true;
}

bool writeTool(const QString& path, const QByteArray& script) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(script) != script.size())
        return false;
    file.close();
    return file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
}

QString generateClip(const QString& path, int seconds, const QString& size) {
    const QString duration = QString::number(seconds);
    QProcess ffmpeg;
    ffmpeg.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    ffmpeg.start("ffmpeg", {"-v", "error", "-y", "-f", "lavfi", "-i",
                            "testsrc=duration=" + duration + ":size=" + size + ":rate=25", "-f",
                            "lavfi", "-i", "sine=frequency=440:duration=" + duration, "-shortest",
                            "-c:v", "libx264", "-preset", "ultrafast", "-c:a", "aac", path});
    const bool made = ffmpeg.waitForFinished(-1) && ffmpeg.exitStatus() == QProcess::NormalExit &&
                      ffmpeg.exitCode() == 0;
    return made ? path : QString();
}

void prepareJobs() {
    SetupQueueColumns();
    SetupStatusPanels();
    AudioCodec = "aac";
    AudioBitrateKbps = 92;
    OutputLocation = SourceDirectoryLocation;
}

int queueVideo(const QString& source, const QString& targetMb) {
    rt::ListView& list = *Form1::instance().ListView1;
    const int row = list.addRow(QString::number(list.rowCount() + 1));
    const QFileInfo video(source);
    const QString number = QString::number(row).rightJustified(2, '0');
    list.setCell(row, QueueColumn::VideoPath, source);
    list.setCell(row, QueueColumn::VideoName, video.completeBaseName().toLower());
    list.setCell(row, QueueColumn::TargetSize, targetMb);
    list.setCell(row, QueueColumn::CompressionPass, "Pass: 1 of 2");
    list.setCell(row, QueueColumn::ProcessStatus, "Video Queued");
    list.setCell(row, QueueColumn::OutputPath,
                 video.absolutePath() + "/Compressed_" + number + "_" + video.completeBaseName() +
                     ".mp4");
    return row;
}

std::vector<pid_t> childProcesses() {
    // Tools are started from the window's thread, the process's first.
    QFile children(QString("/proc/self/task/%1/children").arg(getpid()));
    std::vector<pid_t> pids;
    if (!children.open(QIODevice::ReadOnly))
        return pids;
    for (const QByteArray& pid : children.readAll().split(' '))
        if (!pid.trimmed().isEmpty())
            pids.push_back(pid_t(pid.trimmed().toInt()));
    return pids;
}

double median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

int runBenchmarks(int argc, char** argv) {
    std::vector<char*> arguments{argv[0]};
    char briefly[] = "--benchmark_min_time=0.001";
    char repeated[] = "--benchmark_repetitions=5";
    char aggregated[] = "--benchmark_report_aggregates_only=true";
    if (brief())
        arguments.push_back(briefly);
    else
        arguments.insert(arguments.end(), {repeated, aggregated});
    arguments.insert(arguments.end(), argv + 1, argv + argc);
    int count = int(arguments.size());
    arguments.push_back(nullptr);
    benchmark::Initialize(&count, arguments.data());
    if (benchmark::ReportUnrecognizedArguments(count, arguments.data()))
        return 2;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace bench
