#include "runtime/Format.h"

#include <QStringList>
#include <charconv>
#include <cmath>
#include <iterator>
#include <string>

namespace rt {

namespace {

// From 2^52 up a double holds no fraction, so a value scaled this far (or beyond any double)
// has nothing left to round.
bool beyondFractions(double scaled) {
    return !std::isfinite(scaled) || std::fabs(scaled) >= 4503599627370496.0;
}

double roundHalfAwayFromZero(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    const double scaled = value * scale;
    if (beyondFractions(scaled))
        return value;
    const double rounded = std::round(scaled);
    // A value just below a half because of binary representation still counts as the half.
    if (std::fabs(std::fabs(scaled - std::trunc(scaled)) - 0.5) < 1e-9)
        return (std::trunc(scaled) + (scaled < 0 ? -1.0 : 1.0)) / scale;
    return rounded / scale;
}

// Written from the double itself: a whole number beyond 64 bits keeps all its digits.
QString withThousands(double whole, int minDigits) {
    QString digits = QString::number(std::fabs(whole), 'f', 0).rightJustified(minDigits, '0');
    for (int pos = digits.size() - 3; pos > 0; pos -= 3)
        digits.insert(pos, ',');
    return whole < 0 ? "-" + digits : digits;
}

} // namespace

QString formatNumber(double value, const QString& pattern) {
    if (!std::isfinite(value))
        return QString::number(value); // "inf" or "nan", never digits padded around them
    const int point = pattern.indexOf('.');
    const int decimals = point < 0 ? 0 : int(pattern.size() - point - 1);
    const double rounded = roundHalfAwayFromZero(value, decimals);
    if (pattern.contains(',')) {
        return withThousands(rounded, 4);
    }
    const int wholeDigits = point < 0 ? int(pattern.size()) : point;
    QString text = QString::number(std::fabs(rounded), 'f', decimals);
    const int textWhole = decimals ? int(text.indexOf('.')) : int(text.size());
    if (textWhole < wholeDigits)
        text.prepend(QString(wholeDigits - textWhole, '0'));
    if (rounded < 0)
        text.prepend('-');
    return text;
}

QString formatText(const QString& text, const QString& pattern) {
    const auto number = toNumber(text);
    return number ? formatNumber(*number, pattern) : text;
}

double roundHalfEven(double value, int decimals) {
    constexpr double Scales[] = {1, 10, 100, 1000, 10000, 100000, 1000000};
    const double scale = decimals >= 0 && decimals < int(std::size(Scales))
                             ? Scales[decimals]
                             : std::pow(10.0, decimals);
    const double scaled = value * scale;
    if (beyondFractions(scaled))
        return value;
    const double floor = std::floor(scaled);
    const double fraction = scaled - floor;
    double result;
    if (std::fabs(fraction - 0.5) < 1e-9)
        result = std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
    else
        result = std::round(scaled);
    return result / scale;
}

QString shortestText(double value) {
    QString text = QString::number(value, 'f', 3);
    if (text.contains('.')) {
        while (text.endsWith('0'))
            text.chop(1);
        if (text.endsWith('.'))
            text.chop(1);
    }
    if (text == "-0")
        text = "0";
    return text;
}

QString round3Text(double value) {
    return shortestText(roundHalfEven(value, 3));
}

double leadingNumber(const QString& text) {
    int i = 0;
    const int n = int(text.size());
    while (i < n && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    // The number's characters, ASCII only, collected for a parse that allocates nothing.
    std::string number;
    if (i < n && (text[i] == '-' || text[i] == '+')) {
        if (text[i] == '-')
            number += '-';
        ++i;
    }
    const auto isDigit = [&](int at) { return text[at] >= '0' && text[at] <= '9'; };
    bool digits = false;
    for (; i < n && isDigit(i); ++i, digits = true)
        number += char(text[i].unicode());
    if (i < n && text[i] == '.') {
        number += '.';
        for (++i; i < n && isDigit(i); ++i, digits = true)
            number += char(text[i].unicode());
    }
    if (!digits)
        return 0.0;
    double value = 0.0;
    std::from_chars(number.data(), number.data() + number.size(), value);
    return value;
}

std::optional<double> toNumber(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double value = trimmed.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<std::int64_t> clockTextSeconds(const QString& text) {
    const QStringList parts = trimBlanks(text).split(':');
    if (parts.size() < 2 || parts.size() > 3)
        return std::nullopt;
    const int maxDigits[3] = {6, 2, 2};
    const int limits[3] = {999999, 59, 59};
    const std::int64_t scales[3] = {3600, 60, 1};
    std::int64_t seconds = 0;
    for (int i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        if (part.isEmpty() || part.size() > maxDigits[i])
            return std::nullopt;
        for (QChar c : part)
            if (c < '0' || c > '9')
                return std::nullopt;
        const int field = part.toInt();
        if (field > limits[i])
            return std::nullopt;
        seconds += field * scales[i];
    }
    return seconds;
}

QString trimBlanks(const QString& text) {
    int start = 0;
    int end = int(text.size());
    while (start < end && text[start] == ' ')
        ++start;
    while (end > start && text[end - 1] == ' ')
        --end;
    return text.mid(start, end - start);
}

QString leftCharacters(const QString& text, int count) {
    qsizetype end = 0;
    for (int taken = 0; taken < count && end < text.size(); ++taken) {
        const bool pair =
            text[end].isHighSurrogate() && end + 1 < text.size() && text[end + 1].isLowSurrogate();
        end += pair ? 2 : 1;
    }
    return text.left(end);
}

} // namespace rt
