// The runner reads tool output 256 bytes at a time and hands every chunk out as text. Its own
// cost must stay under twice that of `cat` draining the same output through a plain pipe.
//
// Started as `RunnerBench --write-stderr BYTES WRITE_SIZE`, the program is the talking tool:
// it writes BYTES of progress-like lines to its standard error, WRITE_SIZE bytes per write.
#include "BenchSupport.h"
#include "core/DOSOutputs.h"
#include "runtime/CommandLine.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

long long outputBytes() {
    return (bench::brief() ? 2LL : 50LL) * 1024 * 1024;
}
constexpr int WriteSize = 100;

std::string& selfPath() {
    static std::string path;
    return path;
}

int writeToStderr(long long bytes, int writeSize) {
    std::string piece(size_t(writeSize), ' ');
    const char line[] = "frame=  123 fps= 30 q=28.0 size=    1024kB time=00:00:04.10 speed=1.2x\r";
    for (size_t i = 0; i < piece.size(); ++i)
        piece[i] = line[i % (sizeof line - 1)];
    for (long long left = bytes; left > 0; left -= writeSize)
        if (::write(STDERR_FILENO, piece.data(), size_t(std::min<long long>(left, writeSize))) < 0)
            return 1;
    return 0;
}

std::vector<std::string> writerWords() {
    return {selfPath(), "--write-stderr", std::to_string(outputBytes()), std::to_string(WriteSize)};
}

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double timeRunner() {
    QString commandLine;
    for (const std::string& word : writerWords())
        commandLine += rt::quoteArgument(QString::fromStdString(word)) + " ";
    DOSOutputs runner;
    qsizetype received = 0;
    QObject::connect(&runner, &DOSOutputs::ReceiveOutputs,
                     [&](const QString& chunk) { received += chunk.size(); });
    const auto start = Clock::now();
    runner.ExecuteCommand(commandLine);
    const double seconds = secondsSince(start);
    if (received != outputBytes())
        std::abort();
    return seconds;
}

pid_t spawnWith(const std::vector<std::string>& words, int in, int out) {
    std::vector<char*> argv;
    for (const std::string& word : words)
        argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out, STDERR_FILENO);
    pid_t pid = 0;
    if (::posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        std::abort();
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

// The same writer, its output drained by cat into /dev/null through a plain pipe.
double timeCat() {
    const int devNull = ::open("/dev/null", O_RDWR | O_CLOEXEC);
    int fds[2];
    if (devNull < 0 || ::pipe2(fds, O_CLOEXEC) != 0)
        std::abort();
    const auto start = Clock::now();
    const pid_t writer = spawnWith(writerWords(), devNull, fds[1]);
    const pid_t cat = spawnWith({"cat"}, fds[0], devNull);
    ::close(fds[0]);
    ::close(fds[1]);
    ::waitpid(writer, nullptr, 0);
    ::waitpid(cat, nullptr, 0);
    const double seconds = secondsSince(start);
    ::close(devNull);
    return seconds;
}

void BM_RunnerAgainstCat(benchmark::State& state) {
    double runnerSeconds = 0, catSeconds = 0;
    for (auto _ : state) {
        const double runner = timeRunner();
        catSeconds += timeCat();
        runnerSeconds += runner;
        state.SetIterationTime(runner);
    }
    state.counters["cat_ms"] = catSeconds * 1000 / double(state.iterations());
    state.counters["ratio"] = runnerSeconds / catSeconds;
    state.SetBytesProcessed(state.iterations() * outputBytes());
}
BENCHMARK(BM_RunnerAgainstCat)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(bench::brief() ? 1 : 7)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--write-stderr") == 0)
        return writeToStderr(std::stoll(argv[2]), std::stoi(argv[3]));
    char path[4096];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return 1;
    selfPath().assign(path, size_t(length));
    QCoreApplication app(argc, argv);
    return bench::runBenchmarks(argc, argv);
}
