#pragma once

#include <QString>
#include <optional>

// Reading the FFmpeg tools' console output. A chunk is read by itself: the value is taken from
// fixed positions after a keyword (ignoring case), so a value cut by the chunk's end is read as
// far as it goes. A keyword may also stand in a file name the tool prints: the first occurrence
// whose value reads as one counts, and the first occurrence when none does.
namespace ToolOutput {

// The speed after "speed" ("speed=2.27x" gives "2.27"); text that is not a number comes back
// as it stands ("N/A"). Nothing when the chunk holds no "speed".
std::optional<QString> speedText(const QString& chunk);

// The duration after "Duration" in a probe line, in seconds: whole seconds ("Duration:
// 00:04:32.52" gives 272), to the hundredth for a source under one second ("Duration:
// 00:00:00.92" gives 0.92). Nothing when no "Duration" of the chunk reads as a clock time.
std::optional<double> durationSeconds(const QString& chunk);

// The eight characters after "time=" in a progress line ("time=00:01:08.00" gives "00:01:08").
std::optional<QString> timeText(const QString& chunk);

// The video bitrate that meets the target: target megabytes * 8192 / seconds - audio kbit/s,
// rounded to three decimals, followed by "k". A duration of 0 leaves the audio unsubtracted.
QString videoBitrate(double targetMegabytes, double durationSeconds, int audioKbps);

} // namespace ToolOutput
