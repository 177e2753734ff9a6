#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <sys/types.h>
#include <vector>

namespace bench {

// A brief run (TOVRANE_BENCH_BRIEF=1, as scripts/bench.sh --brief sets it): each benchmark once,
// on a small load, only to show that it still runs to its end.
bool brief();

// How many times to repeat a measurement: the first argument when given, else 3, or 1 in a brief
// run.
int runCount(int argc, char** argv);

// Makes `folder` the program's folder, holding links to the installed ffmpeg and ffprobe as the
// build's own folder does, and scripts the user interface so no message box waits for a person.
// False when the tools are not installed.
bool prepareProgramFolder(const QTemporaryDir& folder);

// Writes an executable script (a stand-in tool).
bool writeTool(const QString& path, const QByteArray& script);

// A test picture with a 440 Hz tone, made by the installed ffmpeg: `seconds` long, `size` as
// "WIDTHxHEIGHT", 25 frames a second. Returns `path`, or an empty text when it was not made.
QString generateClip(const QString& path, int seconds, const QString& size);

// Sets up the queue's columns and the status panels, and the settings every job of a benchmark
// uses: AAC audio at 92 kb/s, each output next to its source.
void prepareJobs();

// Adds a queue row for `source` as adding a video leaves it, the output next to the source.
int queueVideo(const QString& source, const QString& targetMb);

// The process ids of our children: the tools running, and those ended but not reaped yet.
std::vector<pid_t> childProcesses();

// The middle value, or the mean of the two middle ones.
double median(std::vector<double> values);

// Runs the registered benchmarks: five repetitions reported as mean, median and spread, or once
// and briefly in a brief run. Flags given on the command line come last and so take precedence.
int runBenchmarks(int argc, char** argv);

} // namespace bench
