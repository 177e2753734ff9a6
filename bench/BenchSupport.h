#pragma once

#include <QTemporaryDir>

namespace bench {

// A brief run (TOVRANE_BENCH_BRIEF=1, as scripts/bench.sh --brief sets it): each benchmark once,
// on a small load, only to show that it still runs to its end.
bool brief();

// Makes `folder` the program's folder, holding links to the installed ffmpeg and ffprobe as the
// build's own folder does, and scripts the user interface so no message box waits for a person.
// False when the tools are not installed.
bool prepareProgramFolder(const QTemporaryDir& folder);

// Runs the registered benchmarks: five repetitions reported as mean, median and spread, or once
// and briefly in a brief run. Flags given on the command line come last and so take precedence.
int runBenchmarks(int argc, char** argv);

} // namespace bench
