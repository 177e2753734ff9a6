#include "core/ToolOutput.h"

#include "runtime/Format.h"

#include <QRegularExpression>
#include <QStringList>

namespace ToolOutput {

namespace {

bool readsAsClock(const QString& text) {
    return rt::clockTextSeconds(text).has_value();
}

// " hh:mm:ss.cc", as it follows "Duration:", in seconds: whole seconds from the clock part, and
// the hundredths as well when that part reads 0.
std::optional<double> secondsOfDuration(const QString& text) {
    const std::optional<int> whole = rt::clockTextSeconds(rt::trimBlanks(text.left(9)));
    if (!whole || *whole >= 1)
        return whole;
    static const QRegularExpression fraction("^\\.\\d{1,2}");
    const QRegularExpressionMatch match = fraction.match(text.mid(9));
    return match.hasMatch() ? match.captured().toDouble() : 0.0;
}

bool readsAsDuration(const QString& text) {
    return secondsOfDuration(text).has_value();
}

bool readsAsNumber(const QString& text) {
    return rt::toNumber(text).has_value();
}

// The value after an occurrence of a keyword: `count` characters, starting `skip` characters
// after the keyword's first letter, made ready by `clean`. Of all occurrences in the chunk, the
// first whose value `reads` counts; the first occurrence when none does.
std::optional<QString> after(const QString& chunk, const QString& keyword, int skip, int count,
                             QString (*clean)(const QString&), bool (*reads)(const QString&)) {
    std::optional<QString> first;
    for (qsizetype at = chunk.indexOf(keyword, 0, Qt::CaseInsensitive); at >= 0;
         at = chunk.indexOf(keyword, at + 1, Qt::CaseInsensitive)) {
        const QString value = clean(chunk.mid(at + skip, count));
        if (reads(value))
            return value;
        if (!first)
            first = value;
    }
    return first;
}

QString cleanSpeed(const QString& text) {
    QString value = text;
    value.replace('=', ' ');
    value.replace('x', ' ');
    return rt::formatText(rt::trimBlanks(value), "0.00");
}

QString asItStands(const QString& text) {
    return text;
}

} // namespace

std::optional<QString> speedText(const QString& chunk) {
    return after(chunk, "speed", 5, 6, cleanSpeed, readsAsNumber);
}

std::optional<double> durationSeconds(const QString& chunk) {
    // Of the 21 characters from "Duration", the 12 that follow "Duration:".
    const auto text = after(chunk, "Duration", 9, 12, asItStands, readsAsDuration);
    return text ? secondsOfDuration(*text) : std::nullopt;
}

std::optional<QString> timeText(const QString& chunk) {
    return after(chunk, "time", 5, 8, asItStands, readsAsClock);
}

QString videoBitrate(double targetMegabytes, double durationSeconds, int audioKbps) {
    double kilobits = targetMegabytes * 8192;
    if (durationSeconds != 0)
        kilobits = kilobits / durationSeconds - audioKbps;
    return rt::round3Text(kilobits) + "k";
}

} // namespace ToolOutput
