// SPDX-License-Identifier: GPL-3.0-or-later
// Number text in edit boxes: the shortest text that reads back the same,
// and parsing, both with "." as decimal point whatever the C locale says.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

#include "tests/support/numeric_locale.h"
#include "toolkit/data_exchange.h"

namespace {

using tk::DataExchange;

void ExpectFormatting() {
    // The values a search window starts with, and harder ones.
    EXPECT_EQ(DataExchange::FormatFloat(0.0f), "0");
    EXPECT_EQ(DataExchange::FormatFloat(7.0f), "7");
    EXPECT_EQ(DataExchange::FormatFloat(6.0f), "6");
    EXPECT_EQ(DataExchange::FormatFloat(99.0f), "99");
    EXPECT_EQ(DataExchange::FormatFloat(-90.0f), "-90");
    EXPECT_EQ(DataExchange::FormatFloat(6.1f), "6.1");
    EXPECT_EQ(DataExchange::FormatFloat(0.1f), "0.1");
    EXPECT_EQ(DataExchange::FormatFloat(1e-7f), "1e-07");
    EXPECT_EQ(DataExchange::FormatFloat(100000.0f), "100000");
    EXPECT_EQ(DataExchange::FormatFloat(1234567.0f), "1234567");     // needs 7 digits
    EXPECT_EQ(DataExchange::FormatFloat(3.14159265f), "3.1415927");  // needs 8
    EXPECT_EQ(DataExchange::FormatDouble(0.0), "0");
    EXPECT_EQ(DataExchange::FormatDouble(23.0), "23");
    EXPECT_EQ(DataExchange::FormatDouble(1000.0), "1000");
    EXPECT_EQ(DataExchange::FormatDouble(100000.0), "100000");
    EXPECT_EQ(DataExchange::FormatDouble(0.1), "0.1");
    EXPECT_EQ(DataExchange::FormatDouble(1e-7), "1e-07");
    EXPECT_EQ(DataExchange::FormatDouble(1.5), "1.5");
    EXPECT_EQ(DataExchange::FormatDouble(1.0 / 3.0), "0.3333333333333333");  // 16 digits
    // The float 6.1 is not the double 6.1: each type gets its own digits.
    EXPECT_EQ(DataExchange::FormatDouble(static_cast<double>(6.1f)), "6.099999904632568");
    EXPECT_EQ(DataExchange::FormatDouble(-std::numeric_limits<double>::infinity()), "-inf");
}

void ExpectParsing() {
    double value = 0;
    EXPECT_TRUE(DataExchange::ParseFloat(" 1.5 ", value));
    EXPECT_EQ(value, 1.5);
    EXPECT_TRUE(DataExchange::ParseFloat("+2.5E3", value));
    EXPECT_EQ(value, 2500.0);
    EXPECT_TRUE(DataExchange::ParseFloat(".5", value));
    EXPECT_EQ(value, 0.5);
    EXPECT_TRUE(DataExchange::ParseFloat("-7.", value));
    EXPECT_EQ(value, -7.0);
    EXPECT_TRUE(DataExchange::ParseFloat("1e-7", value));
    EXPECT_EQ(value, 1e-7);
    EXPECT_TRUE(DataExchange::ParseFloat("1e400", value));
    EXPECT_EQ(value, std::numeric_limits<double>::infinity());
    EXPECT_TRUE(DataExchange::ParseFloat("-0.00001e-400", value));
    EXPECT_EQ(value, 0.0);
    EXPECT_TRUE(std::signbit(value));
    for (const char* text : {"", " ", "+", "-", "1,5", "1 5", "inf", "-infinity", "nan", "0x1p3",
                             "1e", "e5", "++1", "+-1", "1.5.2", "\xff",
                             "\xc2\xa0"
                             "1"}) {
        EXPECT_FALSE(DataExchange::ParseFloat(text, value)) << text;
    }
    float single = 0;
    EXPECT_TRUE(DataExchange::ParseFloat("6.1", single));
    EXPECT_EQ(single, 6.1f);
    EXPECT_TRUE(DataExchange::ParseFloat("1e39", single));
    EXPECT_EQ(single, std::numeric_limits<float>::infinity());

    long long whole = 0;
    EXPECT_TRUE(DataExchange::ParseInteger("\t42\n", whole));
    EXPECT_EQ(whole, 42);
    EXPECT_TRUE(DataExchange::ParseInteger("+7", whole));
    EXPECT_EQ(whole, 7);
    EXPECT_TRUE(DataExchange::ParseInteger("-90", whole));
    EXPECT_EQ(whole, -90);
    EXPECT_TRUE(DataExchange::ParseInteger("99999999999999999999", whole));
    EXPECT_EQ(whole, std::numeric_limits<long long>::max());
    EXPECT_TRUE(DataExchange::ParseInteger("-99999999999999999999", whole));
    EXPECT_EQ(whole, std::numeric_limits<long long>::min());
    for (const char* text : {"", "+", "-", "7.0", "1e3", "0x10", "12abc", "1 2", "+-1", "\xff"}) {
        EXPECT_FALSE(DataExchange::ParseInteger(text, whole)) << text;
    }
}

TEST(NumberTextTest, FloatsAreWrittenAsTheShortestTextThatReadsBackTheSame) { ExpectFormatting(); }

TEST(NumberTextTest, NumbersAreReadWithBlanksSignsAndExponents) { ExpectParsing(); }

TEST(NumberTextTest, EveryWrittenValueReadsBackIdentically) {
    std::mt19937_64 random(20240601);
    std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
    std::uniform_int_distribution<int> exponent(-40, 40);
    for (int i = 0; i < 20000; ++i) {
        const double d = std::ldexp(mantissa(random), exponent(random));
        const float f = static_cast<float>(d);
        double readDouble = 0;
        float readFloat = 0;
        ASSERT_TRUE(DataExchange::ParseFloat(DataExchange::FormatDouble(d), readDouble));
        ASSERT_EQ(readDouble, d) << DataExchange::FormatDouble(d);
        ASSERT_TRUE(DataExchange::ParseFloat(DataExchange::FormatFloat(f), readFloat));
        ASSERT_EQ(readFloat, f) << DataExchange::FormatFloat(f);
    }
}

TEST(NumberTextTest, DecimalCommaLocaleChangesNothing) {
    const tktest::ScopedNumericLocale german({"de_DE.UTF-8"});
    if (!german.Ok()) {
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed (scripts/setup generates it)";
    }
    char printed[16];
    std::snprintf(printed, sizeof printed, "%g", 1.5);
    EXPECT_STREQ(printed, "1,5") << "the locale should use a decimal comma";
    ExpectFormatting();
    ExpectParsing();
}

}  // namespace
