#include "core/ToolOutput.h"

#include "runtime/Format.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>

namespace ToolOutput {

namespace {

// The values after every occurrence of a keyword, in order: `count` characters each, starting
// `skip` characters after the keyword's first letter.
QStringList valuesAfter(const QString& chunk, const QString& keyword, int skip, int count) {
    QStringList values;
    for (qsizetype at = chunk.indexOf(keyword, 0, Qt::CaseInsensitive); at >= 0;
         at = chunk.indexOf(keyword, at + 1, Qt::CaseInsensitive))
        values.append(chunk.mid(at + skip, count));
    return values;
}

// The first value that `reads`; the first value when none does; nothing when there is none.
template <typename Reads>
std::optional<QString> firstThatReads(const QStringList& values, Reads reads) {
    if (values.isEmpty())
        return std::nullopt;
    const auto found = std::find_if(values.begin(), values.end(), reads);
    return found != values.end() ? *found : values.front();
}

QString cleanSpeed(const QString& text) {
    QString value = text;
    value.replace('=', ' ');
    value.replace('x', ' ');
    return rt::formatText(rt::trimBlanks(value), "0.00");
}

// " hh:mm:ss.cc", as it follows "Duration:", in seconds: whole seconds from the clock part, and
// the hundredths as well when that part reads 0.
std::optional<double> secondsOfDuration(const QString& text) {
    const std::optional<std::int64_t> whole = rt::clockTextSeconds(rt::trimBlanks(text.left(9)));
    if (!whole || *whole >= 1)
        return whole;
    static const QRegularExpression fraction("^\\.\\d{1,2}");
    const QRegularExpressionMatch match = fraction.match(text.mid(9));
    return match.hasMatch() ? match.captured().toDouble() : 0.0;
}

// "hh:mm:ss.cc" at the start of `text`, after blanks, in seconds with their fraction.
std::optional<double> exactSecondsOfClock(const QString& text) {
    static const QRegularExpression clock("^\\s*(\\d+):(\\d\\d):(\\d\\d(?:\\.\\d+)?)");
    const QRegularExpressionMatch match = clock.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1).toDouble() * 3600 + match.captured(2).toDouble() * 60 +
           match.captured(3).toDouble();
}

// The clock text after "Duration:" in "  Duration: 00:04:32.52, start: ..."; none when the line
// is another or its value no clock text ("N/A").
std::optional<QString> durationTextOfLine(const QString& line) {
    const QString text = rt::trimBlanks(line);
    if (!text.startsWith("Duration:") || !secondsOfDuration(text.mid(9, 12)))
        return std::nullopt;
    return text.mid(9, 12);
}

// "  Stream #0:0: Video: h264 ..." of a video, not of a cover picture.
bool isVideoStreamLine(const QString& line) {
    const QString text = rt::trimBlanks(line);
    return text.startsWith("Stream #") && text.contains(": Video: ") &&
           !text.contains("(attached pic)");
}

} // namespace

std::optional<QString> speedText(const QString& chunk) {
    QStringList speeds = valuesAfter(chunk, "speed", 5, 6);
    for (QString& speed : speeds)
        speed = cleanSpeed(speed);
    return firstThatReads(speeds,
                          [](const QString& speed) { return rt::toNumber(speed).has_value(); });
}

std::optional<double> ProbeReading::read(const QString& chunk) {
    static const QRegularExpression lineEnd("[\\r\\n]");
    QStringList lines = (openLine_ + chunk).split(lineEnd);
    openLine_ = lines.takeLast();
    std::optional<QString> durationText;
    for (const QString& line : lines) {
        if (const auto text = durationTextOfLine(line))
            durationText = text;
        if (isVideoStreamLine(line))
            hasVideo_ = true;
    }
    // A stream line is read once it has ended: its cover-picture mark comes last.
    if (const auto text = durationTextOfLine(openLine_))
        durationText = text;
    if (!durationText)
        return std::nullopt;
    duration_ = secondsOfDuration(*durationText);
    exactDuration_ = exactSecondsOfClock(*durationText);
    return duration_;
}

void EncodeReading::read(const QString& chunk) {
    static const QRegularExpression lineEnd("[\\r\\n]");
    static const QRegularExpression time("(?:^|\\s)time=(\\S+)(?=\\s)");
    const QString text = openLine_ + chunk;
    openLine_ = text.mid(text.lastIndexOf(lineEnd) + 1);
    for (auto match = time.globalMatch(text); match.hasNext();)
        if (const auto seconds = exactSecondsOfClock(match.next().captured(1)))
            seconds_ = seconds;
}

std::optional<QString> timeText(const QString& chunk) {
    return firstThatReads(valuesAfter(chunk, "time", 5, 8), [](const QString& time) {
        return rt::clockTextSeconds(time).has_value();
    });
}

QString videoBitrate(double targetMegabytes, double durationSeconds, double audioKbps) {
    double kilobits = targetMegabytes * 8192;
    if (durationSeconds != 0)
        kilobits = kilobits / durationSeconds - audioKbps;
    return rt::round3Text(kilobits) + "k";
}

} // namespace ToolOutput
