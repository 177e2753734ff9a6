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

// What ffprobe says about a file, read from its output chunk by chunk. Only the lines that the
// tool itself begins count (a keyword after blanks at a line's start): a file name, a path or a
// metadata value holding the same words never starts a line of its own.
class ProbeReading {
  public:
    // Reads the next chunk; gives the duration of the last duration line in it, if any.
    std::optional<double> read(const QString& chunk);
    // The duration of the last duration line read so far.
    std::optional<double> duration() const { return duration_; }
    // That duration as the line states it, to the hundredth.
    std::optional<double> exactDuration() const { return exactDuration_; }
    // A stream line has shown a video that is not a cover picture ("(attached pic)").
    bool hasVideo() const { return hasVideo_; }

  private:
    std::optional<double> duration_;
    std::optional<double> exactDuration_;
    QString openLine_; // the last line, not yet ended: read as far as it goes
    bool hasVideo_ = false;
};

// How much an encoder reports it has written, read from its output chunk by chunk: the "time="
// of its last progress line, to the hundredth. A value counts once the blank after it has come,
// so a value cut by a chunk's end is read whole from the next; a "time=" that a blank does not
// precede (inside a file name or another word) is none.
class EncodeReading {
  public:
    void read(const QString& chunk);
    std::optional<double> seconds() const { return seconds_; }

  private:
    std::optional<double> seconds_;
    QString openLine_;
};

// The eight characters after "time=" in a progress line ("time=00:01:08.00" gives "00:01:08").
std::optional<QString> timeText(const QString& chunk);

// The video bitrate that meets the target: target megabytes * 8192 / seconds - audio kbit/s,
// rounded to three decimals, followed by "k". A duration of 0 leaves the audio unsubtracted.
QString videoBitrate(double targetMegabytes, double durationSeconds, double audioKbps);

} // namespace ToolOutput
