// A drop of many files adds them one by one; an add costs the same however long the queue is.
#include "BenchSupport.h"
#include "core/AddVideos.h"
#include "core/PermittedTypes.h"
#include "core/Queue.h"
#include "mainwindow/Form1.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QStringList writeVideos(const QTemporaryDir& folder, int count) {
    QStringList paths;
    for (int i = 1; i <= count; ++i) {
        QFile file(folder.filePath(QString("clip %1.mp4").arg(i)));
        if (file.open(QIODevice::WriteOnly))
            file.resize(qint64(i) * 1024 * 1024);
        paths << file.fileName();
    }
    return paths;
}

void BM_AddVideosToAnEmptyQueue(benchmark::State& state) {
    QTemporaryDir folder;
    const QStringList paths = writeVideos(folder, int(state.range(0)));
    rt::ListView& list = *Form1::instance().ListView1;
    for (auto _ : state) {
        list.clearRows();
        for (const QString& path : paths)
            AddVideoToQueue(path);
    }
}
BENCHMARK(BM_AddVideosToAnEmptyQueue)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir programFolder;
    bench::prepareProgramFolder(programFolder);
    SetupQueueColumns();
    SetupStatusPanels();
    LoadPermittedTypes(); // sets the list file's path, as at start-up
    CreateDefaultPermittedTypes();
    LoadPermittedTypes();
    return bench::runBenchmarks(argc, argv);
}
