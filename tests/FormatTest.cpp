#include "runtime/Format.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace rt;

TEST(FormatTest, PatternsPadAndRound) {
    EXPECT_EQ(formatNumber(3, "00"), "03");
    EXPECT_EQ(formatNumber(120, "00"), "120");
    EXPECT_EQ(formatNumber(7.6, "000"), "008");
    EXPECT_EQ(formatNumber(1234, "000"), "1234");
    EXPECT_EQ(formatNumber(25, "00.00"), "25.00");
    EXPECT_EQ(formatNumber(68 / 2.72, "00.00"), "25.00");
    EXPECT_EQ(formatNumber(2.27 / 0.06, "00.00"), "37.83");
    EXPECT_EQ(formatNumber(3.5, "00.00"), "03.50");
    EXPECT_EQ(formatNumber(2.27, "0.00"), "2.27");
    EXPECT_EQ(formatNumber(12.3, "0.00"), "12.30");
    EXPECT_EQ(formatNumber(-12.5, "0.00"), "-12.50");
}

TEST(FormatTest, ThousandsPatternIsWholeWithFourDigits) {
    EXPECT_EQ(formatNumber(600, "0,000"), "0,600");
    EXPECT_EQ(formatNumber(3.75, "0,000"), "0,004");
    EXPECT_EQ(formatNumber(12.345, "0,000"), "0,012");
    EXPECT_EQ(formatNumber(1234.4, "0,000"), "1,234");
    EXPECT_EQ(formatNumber(1234567, "0,000"), "1,234,567");
    EXPECT_EQ(formatNumber(0, "0,000"), "0,000");
}

TEST(FormatTest, HugeNegativeAndEndlessNumbersFormatWhole) {
    EXPECT_EQ(formatNumber(-1234.5, "0,000"), "-1,235");
    EXPECT_EQ(formatNumber(-0.4, "0,000"), "0,000");
    EXPECT_EQ(formatNumber(-5, "00"), "-05");
    EXPECT_EQ(formatNumber(1e20, "0,000"), "100,000,000,000,000,000,000");
    EXPECT_EQ(formatNumber(-9.3e18, "0,000"), "-9,300,000,000,000,000,000");
    EXPECT_EQ(formatNumber(1e20, "00"), "100000000000000000000");
    EXPECT_TRUE(formatNumber(1e307, "0.00").endsWith(".00")); // scaled beyond any double
    const double endless = std::numeric_limits<double>::infinity();
    EXPECT_EQ(formatNumber(endless, "00.00"), "inf");
    EXPECT_EQ(formatNumber(-endless, "0,000"), "-inf");
    EXPECT_EQ(formatNumber(std::nan(""), "00"), "nan");
}

TEST(FormatTest, FormatTextLeavesNonNumbersAlone) {
    EXPECT_EQ(formatText("2.27", "0.00"), "2.27");
    EXPECT_EQ(formatText(" 8.5", "0.00"), "8.50");
    EXPECT_EQ(formatText("N/A", "0.00"), "N/A");
    EXPECT_EQ(formatText("", "0.00"), "");
}

TEST(FormatTest, RoundingToThreeDecimalsIsHalfToEven) {
    EXPECT_EQ(round3Text(1572864.0 / 1024 / 1024), "1.5");
    EXPECT_EQ(round3Text(1.5 / 100 * 60), "0.9");
    EXPECT_EQ(round3Text(45.678 / 100 * 60), "27.407");
    EXPECT_EQ(round3Text(45.5 * 8192 / 272 - 92), "1278.353");
    EXPECT_EQ(round3Text(0), "0");
    EXPECT_EQ(round3Text(-12.5), "-12.5");
    EXPECT_DOUBLE_EQ(roundHalfEven(2.5, 0), 2.0);
    EXPECT_DOUBLE_EQ(roundHalfEven(3.5, 0), 4.0);
    EXPECT_DOUBLE_EQ(roundHalfEven(0.0025, 3), 0.002);
    EXPECT_DOUBLE_EQ(roundHalfEven(0.0035, 3), 0.004);
    EXPECT_DOUBLE_EQ(roundHalfEven(2.675, 2), 2.68); // a half in decimal, just below in binary
    EXPECT_DOUBLE_EQ(roundHalfEven(2.665, 2), 2.66);
    EXPECT_DOUBLE_EQ(roundHalfEven(0.0005, 3), 0);
    EXPECT_DOUBLE_EQ(roundHalfEven(-2.5, 0), -2);
    EXPECT_DOUBLE_EQ(roundHalfEven(1e12, 3), 1e12);
    EXPECT_EQ(round3Text(1e12 + 0.0625), "1000000000000.062");
    EXPECT_DOUBLE_EQ(roundHalfEven(1e306, 3), 1e306); // scaled beyond any double
    EXPECT_EQ(formatNumber(2.675, "0.00"), "2.68");
    // Totals rounded at every step: 100.4 + 200.4 + 300.4 gives 600, not 601.
    double total = 0;
    for (double size : {100.4, 200.4, 300.4})
        total = roundHalfEven(total + size, 0);
    EXPECT_EQ(formatNumber(total, "0,000"), "0,600");
}

TEST(FormatTest, LeadingNumberReadsAsFarAsItGoes) {
    EXPECT_DOUBLE_EQ(leadingNumber("12.30"), 12.3);
    EXPECT_DOUBLE_EQ(leadingNumber("6.5k   - Voice Audio"), 6.5);
    EXPECT_DOUBLE_EQ(leadingNumber("  -4.25x"), -4.25);
    EXPECT_DOUBLE_EQ(leadingNumber("N/A"), 0);
    EXPECT_DOUBLE_EQ(leadingNumber(""), 0);
    EXPECT_DOUBLE_EQ(leadingNumber("<%Data%>"), 0);
    EXPECT_DOUBLE_EQ(leadingNumber(".5"), 0.5);
    EXPECT_DOUBLE_EQ(leadingNumber("+2.5x"), 2.5);
    EXPECT_DOUBLE_EQ(leadingNumber("-.25"), -0.25);
    EXPECT_DOUBLE_EQ(leadingNumber("7."), 7);
    EXPECT_DOUBLE_EQ(leadingNumber("12,5"), 12);
    EXPECT_DOUBLE_EQ(leadingNumber("+"), 0);
    EXPECT_DOUBLE_EQ(leadingNumber("\u0661\u0662"), 0); // digits of another script
}

TEST(FormatTest, ToNumberNeedsTheWholeText) {
    EXPECT_EQ(toNumber(" 45.5 "), 45.5);
    EXPECT_FALSE(toNumber("45.5k"));
    EXPECT_FALSE(toNumber("N/A"));
    EXPECT_FALSE(toNumber(""));
    EXPECT_FALSE(toNumber("inf"));
}

TEST(FormatTest, ClockTexts) {
    EXPECT_EQ(clockTextSeconds("00:04:32"), 272);
    EXPECT_EQ(clockTextSeconds("00:01:08"), 68);
    EXPECT_EQ(clockTextSeconds("00:04"), 240); // a cut value reads as far as it goes
    EXPECT_EQ(clockTextSeconds("00:04:3"), 243);
    EXPECT_EQ(clockTextSeconds("00:0"), 0);
    EXPECT_EQ(clockTextSeconds(" 23:59:59 "), 86399);
    EXPECT_EQ(clockTextSeconds("123:00:01"), 442801); // long sources have no hour limit
    // Either side of what 32 bits of seconds hold, and the longest hour count read
    EXPECT_EQ(clockTextSeconds("596523:00:00"), 2147482800);
    EXPECT_EQ(clockTextSeconds("596524:00:00"), 2147486400);
    EXPECT_EQ(clockTextSeconds("999999:59:59"), 3599999999);
    for (const char* notClock :
         {"", "N/A", ":", "00", "12", "00:60:00", "0a:00:00", "00:04:32.5", "=00:01:0"})
        EXPECT_FALSE(clockTextSeconds(notClock)) << notClock;
}

TEST(FormatTest, TrimBlanksKeepsLineEnds) {
    EXPECT_EQ(trimBlanks("  a b  "), "a b");
    EXPECT_EQ(trimBlanks("\r\nx \r"), "\r\nx \r");
}
