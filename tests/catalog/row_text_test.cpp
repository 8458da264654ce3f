// SPDX-License-Identifier: GPL-3.0-or-later
// The number columns of result rows against the printf formats they stand
// for, in the C locale and under a decimal-comma locale.
#include "row_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

#include "tests/support/numeric_locale.h"

namespace {

std::string Printf(const char* format, int a, int b = 0) {
    char text[64];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

std::string PrintfPeriod(double days) {
    char text[400];
    std::snprintf(text, sizeof text, "%10.4f", days);
    return text;
}

TEST(ResultRowFormatter, ExamplesOfTheRowTexts) {
    ResultRowFormatter format;
    EXPECT_STREQ(format.Ra(5, 7), "05:07");
    EXPECT_STREQ(format.Ra(23, 59), "23:59");
    EXPECT_STREQ(format.Dec(-5), "-05");
    EXPECT_STREQ(format.Dec(-45), "-45");
    EXPECT_STREQ(format.Dec(0), "00");
    EXPECT_STREQ(format.Dec(5), "05");
    EXPECT_STREQ(format.Period(0.0), "");
    EXPECT_STREQ(format.Period(1.5), "    1.5000");
    EXPECT_STREQ(format.Period(409.33), "  409.3300");
    EXPECT_STREQ(format.Period(12000.5), "12000.5000");
    EXPECT_STREQ(format.Period(123456.5), "123456.5000");  // wider than ten: not cut
}

TEST(ResultRowFormatter, WholeNumbersMatchPrintfOverTheWhole16BitRange) {
    ResultRowFormatter format;
    for (int v = std::numeric_limits<std::int16_t>::min();
         v <= std::numeric_limits<std::int16_t>::max(); ++v) {
        const auto value = static_cast<std::int16_t>(v);
        ASSERT_EQ(format.Dec(value), Printf(v < 0 ? "%03d" : "%02d", v)) << v;
        const auto other = static_cast<std::int16_t>(-v / 3);
        ASSERT_EQ(format.Ra(value, other), Printf("%02d:%02d", v, other)) << v;
    }
}

TEST(ResultRowFormatter, PeriodsMatchPrintfIncludingRoundingOfHalves) {
    ResultRowFormatter format;
    // Values whose fifth decimal is a 5 in decimal but not in binary, the
    // catalogue's own kind of values, and extremes.
    const double cases[] = {
        0.00005,   0.00015, 1.23445,    2.5e-5, 1e-300,
        0.1 + 0.2, 12.5,    9999.99995, 1e6,    1e15,
        1e300,     -1.5,    -0.00004,   5e-324, std::numeric_limits<double>::max(),
        -0.0};
    for (double days : cases) {
        if (days == 0.0) continue;
        EXPECT_EQ(format.Period(days), PrintfPeriod(days)) << days;
    }
    std::mt19937_64 random(20240601);
    std::uniform_real_distribution<double> magnitude(-4.0, 7.0);
    for (int i = 0; i < 200000; ++i) {
        const double days = std::pow(10.0, magnitude(random));
        ASSERT_EQ(format.Period(days), PrintfPeriod(days)) << days;
    }
    // Every period the catalogue format can hold below 100 days, on its grid.
    for (int tenThousandths = 1; tenThousandths < 1000000; tenThousandths += 7) {
        const double days = tenThousandths * 0.0001;
        ASSERT_EQ(format.Period(days), PrintfPeriod(days)) << days;
    }
}

TEST(ResultRowFormatter, NegativeZeroPeriodIsEmptyLikeZero) {
    ResultRowFormatter format;
    EXPECT_STREQ(format.Period(-0.0), "");
}

TEST(ResultRowFormatter, KeepsThePointUnderADecimalCommaLocale) {
    tktest::ScopedNumericLocale german({"de_DE.UTF-8"});
    if (!german.Ok()) GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
    ASSERT_EQ(PrintfPeriod(1.5), "    1,5000");  // the locale is really in force
    ResultRowFormatter format;
    EXPECT_STREQ(format.Period(1.5), "    1.5000");
    EXPECT_STREQ(format.Period(300.25), "  300.2500");
    EXPECT_STREQ(format.Ra(5, 7), "05:07");
    EXPECT_STREQ(format.Dec(-5), "-05");
}

}  // namespace
