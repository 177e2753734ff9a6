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

bool allDigits(const QString& text) {
    for (QChar c : text)
        if (c < '0' || c > '9')
            return false;
    return !text.isEmpty();
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

std::optional<int> clockSeconds(const QString& text) {
    const QStringList parts = text.split(':');
    if (parts.size() < 2 || parts.size() > 3)
        return std::nullopt;
    if (!allDigits(parts[0]) || parts[0].size() > 6)
        return std::nullopt;
    long long seconds = parts[0].toLongLong() * 3600;
    const int scales[] = {60, 1};
    for (int i = 1; i < parts.size(); ++i) {
        if (!allDigits(parts[i]) || parts[i].size() > 2 || parts[i].toInt() > 59)
            return std::nullopt;
        seconds += parts[i].toInt() * scales[i - 1];
    }
    return int(seconds);
}

QString videoBitrate(double targetMegabytes, int durationSeconds, int audioKbps) {
    double kilobits = targetMegabytes * 8192;
    if (durationSeconds != 0)
        kilobits = kilobits / durationSeconds - audioKbps;
    return rt::round3Text(kilobits) + "k";
}

} // namespace ToolOutput
