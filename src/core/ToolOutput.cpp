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
    const std::optional<int> whole = rt::clockTextSeconds(rt::trimBlanks(text.left(9)));
    if (!whole || *whole >= 1)
        return whole;
    static const QRegularExpression fraction("^\\.\\d{1,2}");
    const QRegularExpressionMatch match = fraction.match(text.mid(9));
    return match.hasMatch() ? match.captured().toDouble() : 0.0;
}

} // namespace

std::optional<QString> speedText(const QString& chunk) {
    QStringList speeds = valuesAfter(chunk, "speed", 5, 6);
    for (QString& speed : speeds)
        speed = cleanSpeed(speed);
    return firstThatReads(speeds,
                          [](const QString& speed) { return rt::toNumber(speed).has_value(); });
}

std::optional<double> durationSeconds(const QString& chunk) {
    // Of the 21 characters from "Duration", the 12 that follow "Duration:".
    for (const QString& text : valuesAfter(chunk, "Duration", 9, 12))
        if (const auto seconds = secondsOfDuration(text))
            return seconds;
    return std::nullopt;
}

std::optional<QString> timeText(const QString& chunk) {
    return firstThatReads(valuesAfter(chunk, "time", 5, 8), [](const QString& time) {
        return rt::clockTextSeconds(time).has_value();
    });
}

QString videoBitrate(double targetMegabytes, double durationSeconds, int audioKbps) {
    double kilobits = targetMegabytes * 8192;
    if (durationSeconds != 0)
        kilobits = kilobits / durationSeconds - audioKbps;
    return rt::round3Text(kilobits) + "k";
}

} // namespace ToolOutput
