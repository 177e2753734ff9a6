#include "core/ToolOutput.h"

#include "runtime/Format.h"

#include <QStringList>

namespace ToolOutput {

namespace {

bool readsAsClock(const QString& text) {
    return rt::clockTextSeconds(text).has_value();
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

std::optional<QString> durationText(const QString& chunk) {
    // Of the 18 characters from "Duration", the 9 that follow "Duration:".
    return after(chunk, "Duration", 9, 9, rt::trimBlanks, readsAsClock);
}

std::optional<QString> timeText(const QString& chunk) {
    return after(chunk, "time", 5, 8, asItStands, readsAsClock);
}

QString videoBitrate(double targetMegabytes, int durationSeconds, int audioKbps) {
    double kilobits = targetMegabytes * 8192;
    if (durationSeconds != 0)
        kilobits = kilobits / durationSeconds - audioKbps;
    return rt::round3Text(kilobits) + "k";
}

} // namespace ToolOutput
