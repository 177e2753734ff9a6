#include "BenchSupport.h"

#include "runtime/Dialogs.h"
#include "runtime/ProgramFolder.h"

#include <QFile>
#include <QStandardPaths>
#include <benchmark/benchmark.h>
#include <vector>

namespace bench {

bool brief() {
    return qEnvironmentVariable("TOVRANE_BENCH_BRIEF") == "1";
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
