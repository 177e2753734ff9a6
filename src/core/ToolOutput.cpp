#include "core/ToolOutput.h"

#include "runtime/Format.h"

#include <QStringList>

namespace ToolOutput {

namespace {

// The characters that follow the first occurrence of a keyword: `count` of them, starting
// `skip` characters after the keyword's first letter.
std::optional<QString> after(const QString& chunk, const QString& keyword, int skip, int count) {
    const qsizetype at = chunk.indexOf(keyword, 0, Qt::CaseInsensitive);
    if (at < 0)
        return std::nullopt;
    return chunk.mid(at + skip, count);
}

} // namespace

std::optional<QString> speedText(const QString& chunk) {
    auto value = after(chunk, "speed", 5, 6);
    if (!value)
        return std::nullopt;
    value->replace('=', ' ');
    value->replace('x', ' ');
    return rt::formatText(rt::trimBlanks(*value), "0.00");
}

std::optional<QString> durationText(const QString& chunk) {
    // Of the 18 characters from "Duration", the 9 that follow "Duration:".
    const auto value = after(chunk, "Duration", 9, 9);
    if (!value)
        return std::nullopt;
    return rt::trimBlanks(*value);
}

std::optional<QString> timeText(const QString& chunk) {
    return after(chunk, "time", 5, 8);
}

QString videoBitrate(double targetMegabytes, int durationSeconds, int audioKbps) {
    double kilobits = targetMegabytes * 8192;
    if (durationSeconds != 0)
        kilobits = kilobits / durationSeconds - audioKbps;
    return rt::round3Text(kilobits) + "k";
}

} // namespace ToolOutput
