#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace rt {

// Formats a number with one of the patterns the program uses: "00", "000", "00.00", "0.00" and
// "0,000" (whole number of at least four digits with a thousands separator). Halves round away
// from zero, as number formatting always did for this program. Whole numbers of any size keep
// all their digits; infinity and not-a-number read "inf", "-inf" and "nan".
QString formatNumber(double value, const QString& pattern);

// Formats a text that reads as a number with the pattern; any other text comes back unchanged.
QString formatText(const QString& text, const QString& pattern);

// Rounds to the given number of decimals, halves to the even neighbour.
double roundHalfEven(double value, int decimals);

// The shortest decimal text of a value that has at most three decimals: "1.5", "27.407", "0".
QString shortestText(double value);

// roundHalfEven(value, 3) written as shortestText.
QString round3Text(double value);

// The leading decimal number of a text, with a point as separator; 0 when there is none.
double leadingNumber(const QString& text);

// The whole text read as a number (blanks around it allowed); nothing when it is not one.
std::optional<double> toNumber(const QString& text);

// A clock text "hh:mm:ss" or a shorter cut of one ("00:04" is four minutes) in seconds;
// hours may pass 23 (a long video's duration), up to six digits of them, which 64 bits hold;
// nothing when the text is not such a time.
std::optional<std::int64_t> clockTextSeconds(const QString& text);

// Blanks (spaces only) removed at both ends.
QString trimBlanks(const QString& text);

// The first `count` characters of text; a character beyond the basic plane (two UTF-16 units)
// is never cut in half.
QString leftCharacters(const QString& text, int count);

} // namespace rt
