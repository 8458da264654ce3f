// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the numbers and positions of imported catalogues.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "binary_text.h"
#include "decimal_text.h"
#include "sky_position.h"

namespace velmo::importing {
namespace {

TEST(DecimalTextTest, ReadsDigitsExactlyAndStopsAtTheFirstOtherCharacter) {
    struct Case {
        const char* text;
        std::int64_t micros;
        std::size_t consumed;
    };
    const Case cases[] = {
        {"5.8", 5800000, 3},
        {"-0.8", -800000, 4},
        {"+12.5 V", 12500000, 5},
        {".25", 250000, 3},
        {"409.", 409000000, 4},
        {"0.56686776", 566867, 10},  // 7th decimal on dropped
        {"0001.2345x", 1234500, 9},
        {"9999999999999", kHugeMicros, 13},
        {"000000000000007", 7000000, 15},  // leading zeros are not "too large"
    };
    for (const Case& c : cases) {
        std::size_t pos = 0;
        std::int64_t micros = 0;
        ASSERT_TRUE(ReadDecimal(c.text, &pos, &micros)) << c.text;
        EXPECT_EQ(micros, c.micros) << c.text;
        EXPECT_EQ(pos, c.consumed) << c.text;
    }
    for (const char* text : {"", "-", ".", "+.", "abc", " 5"}) {
        std::size_t pos = 0;
        std::int64_t micros = 42;
        EXPECT_FALSE(ReadDecimal(text, &pos, &micros)) << text;
        EXPECT_EQ(pos, 0u);
        EXPECT_EQ(micros, 42);
    }
}

// Values of up to six decimals take a quicker way than the others: both
// must give the shortest text that reads back as the value, also around the
// quick way's limits.
template <typename T>
void ExpectShortestText(T value) {
    std::string text;
    if constexpr (sizeof(T) == sizeof(float))
        AppendFloat(value, &text);
    else
        AppendDouble(value, &text);
    char shortest[400];
    const auto end = std::to_chars(shortest, shortest + 400, value, std::chars_format::fixed);
    ASSERT_EQ(text, std::string(shortest, end.ptr));
}

TEST(DecimalTextTest, BinaryNumbersAreWrittenAsTheirShortestText) {
    for (std::uint32_t bits = 0; bits < 0x42000000u; bits += 997) {  // floats below 32
        float value = 0;
        std::memcpy(&value, &bits, sizeof value);
        ExpectShortestText(value);
        ExpectShortestText(-std::nextafter(value, 1.0f));
    }
    for (std::int64_t millionths = 0; millionths < 400000000; millionths += 9973) {
        ExpectShortestText(static_cast<double>(millionths) / 1e6);
        ExpectShortestText(-std::nextafter(static_cast<double>(millionths) / 1e6, 1e300));
    }
    for (const double value : {1e9, 999999999.999999, 123456789.1234567, 1e-7, 5e-7, 1e300, -0.0}) {
        ExpectShortestText(value);
        ExpectShortestText(std::nextafter(value, 0.0));
    }
    ExpectShortestText(-0.0f);
    std::string nan;
    AppendDouble(std::nan(""), &nan);
    EXPECT_EQ(nan, "");
}

TEST(DecimalTextTest, MagnitudeFieldDropsLimitsUncertaintyAndBandLetters) {
    struct Case {
        const char* text;
        Magnitude::Kind kind;
        std::int64_t micros;
    };
    const Case cases[] = {
        {"  5.8    ", Magnitude::kValue, 5800000},
        {"<16.5", Magnitude::kValue, 16500000},
        {"> 17", Magnitude::kValue, 17000000},
        {"15.2:", Magnitude::kValue, 15200000},
        {" 15.2 : ", Magnitude::kValue, 15200000},
        {"7.9 V", Magnitude::kValue, 7900000},
        {"12.1p:", Magnitude::kValue, 12100000},
        {"-0.8", Magnitude::kValue, -800000},
        {"(  0.10    )", Magnitude::kAmplitude, 100000},
        {"(0.08:) B", Magnitude::kAmplitude, 80000},
        {"   ", Magnitude::kAbsent, 0},
        {"", Magnitude::kAbsent, 0},
        {"bright", Magnitude::kUnreadable, 0},
        {"5.8 - 15.2", Magnitude::kUnreadable, 0},
        {"(0.10", Magnitude::kUnreadable, 0},
        {"5.8 V 2", Magnitude::kUnreadable, 0},
    };
    for (const Case& c : cases) {
        const Magnitude magnitude = ReadMagnitudeField(c.text);
        EXPECT_EQ(magnitude.kind, c.kind) << c.text;
        EXPECT_EQ(magnitude.micros, c.micros) << c.text;
    }
}

TEST(DecimalTextTest, RangeFieldSplitsAtTheDashAfterTheMaximum) {
    struct Case {
        const char* text;
        Magnitude::Kind maxKind;
        std::int64_t max;
        Magnitude::Kind minKind;
        std::int64_t min;
    };
    const Case cases[] = {
        {"5.8 - 15.2 V", Magnitude::kValue, 5800000, Magnitude::kValue, 15200000},
        {"5.80-15.20", Magnitude::kValue, 5800000, Magnitude::kValue, 15200000},
        {"-0.8 - 7.9", Magnitude::kValue, -800000, Magnitude::kValue, 7900000},
        {"0.95 - (0.10) V", Magnitude::kValue, 950000, Magnitude::kAmplitude, 100000},
        {"4.3 V - <17.6 V", Magnitude::kValue, 4300000, Magnitude::kValue, 17600000},
        {"6.11", Magnitude::kValue, 6110000, Magnitude::kAbsent, 0},
        {"", Magnitude::kAbsent, 0, Magnitude::kAbsent, 0},
        {"5.8 / 15.2", Magnitude::kUnreadable, 0, Magnitude::kUnreadable, 0},
        {"(0.3) - 5", Magnitude::kUnreadable, 0, Magnitude::kUnreadable, 0},
        {"5.8 - ", Magnitude::kUnreadable, 0, Magnitude::kUnreadable, 0},
    };
    for (const Case& c : cases) {
        Magnitude max, min;
        ReadRangeField(c.text, &max, &min);
        EXPECT_EQ(max.kind, c.maxKind) << c.text;
        EXPECT_EQ(min.kind, c.minKind) << c.text;
        if (c.maxKind == Magnitude::kValue) {
            EXPECT_EQ(max.micros, c.max) << c.text;
        }
        if (c.minKind != Magnitude::kAbsent && c.minKind != Magnitude::kUnreadable) {
            EXPECT_EQ(min.micros, c.min) << c.text;
        }
    }
}

TEST(DecimalTextTest, PeriodFieldKeepsPlainAndUncertainValuesOnly) {
    struct Case {
        const char* text;
        Period::Kind kind;
        std::int64_t micros;
    };
    const Case cases[] = {
        {"   409.2   ", Period::kValue, 409200000},
        {"730:", Period::kValue, 730000000},
        {"(29000)", Period::kNone, 0},
        {"<0.1", Period::kNone, 0},
        {">400", Period::kNone, 0},
        {"0", Period::kNone, 0},
        {"-3.5", Period::kNone, 0},
        {"", Period::kAbsent, 0},
        {"409.2 d", Period::kUnreadable, 0},
        {"irregular", Period::kUnreadable, 0},
    };
    for (const Case& c : cases) {
        const Period period = ReadPeriodField(c.text);
        EXPECT_EQ(period.kind, c.kind) << c.text;
        EXPECT_EQ(period.micros, c.micros) << c.text;
    }
}

// Reads `ra` and `dec` and returns "hhmm+dd", or "absent" / "unreadable".
std::string Position(const char* ra, const char* dec, bool raHours = false) {
    LinePosition position;
    const PositionRead a = ReadRightAscension(ra, raHours, &position);
    const PositionRead b = ReadDeclination(dec, &position);
    if (a == PositionRead::kAbsent || b == PositionRead::kAbsent) return "absent";
    if (a != PositionRead::kOk || b != PositionRead::kOk) return "unreadable";
    char text[16];
    std::snprintf(text, sizeof text, "%02d%02d%c%02d", position.raHours, position.raMinutes,
                  position.south ? '-' : '+', position.decDegrees);
    return text;
}

std::string Combined(const char* text, bool raHours = false) {
    LinePosition position;
    const PositionRead read = ReadPosition(text, raHours, &position);
    if (read == PositionRead::kAbsent) return "absent";
    if (read != PositionRead::kOk) return "unreadable";
    char out[16];
    std::snprintf(out, sizeof out, "%02d%02d%c%02d", position.raHours, position.raMinutes,
                  position.south ? '-' : '+', position.decDegrees);
    return out;
}

TEST(SkyPositionTest, SexagesimalCompactAndDecimalFormsTruncate) {
    EXPECT_EQ(Position("00 24 01.95", "+38 34 37.3"), "0024+38");
    EXPECT_EQ(Position("13:25:11.6", "-11:09:41"), "1325-11");
    EXPECT_EQ(Position("23 59 59.99", "+89 59 59.9"), "2359+89");
    EXPECT_EQ(Position("05 32.9", "-00 17.9"), "0532-00");
    EXPECT_EQ(Position("002401.95", "+383437.3"), "0024+38");
    // Decimal degrees: 6.008125 degrees is 0h 24m 1.95s; 359.9999 stays in 23h 59m.
    EXPECT_EQ(Position("6.008125", "38.577028"), "0024+38");
    EXPECT_EQ(Position("359.9999", "-0.299083"), "2359-00");
    EXPECT_EQ(Position("6.0", "-0.0"), "0024-00");  // exactly on a minute; sign as written
    EXPECT_EQ(Position("0.4", "90"), "0001+90");    // degrees: 1.6 minutes of time
    EXPECT_EQ(Position("0.4", "90", true), "0024+90");
    EXPECT_EQ(Position("23.999", "-90.0", true), "2359-90");
}

TEST(SkyPositionTest, EmptyAndOutOfRangeValuesAreReported) {
    EXPECT_EQ(Position("", "+38 34 37"), "absent");
    EXPECT_EQ(Position("00 24 01", "   "), "absent");
    for (const char* ra :
         {"24 00 00", "12 60 00", "12 30 60", "360", "-1", "12h", "1 2 3 4", "12.5 30", "abc"}) {
        EXPECT_EQ(Position(ra, "+10"), "unreadable") << ra;
    }
    for (const char* dec : {"+91", "90 00 01", "+90.5", "-10 61", "+", "north", "+1 2 3 4"}) {
        EXPECT_EQ(Position("10", dec), "unreadable") << dec;
    }
}

TEST(SkyPositionTest, CombinedPositionSplitsAtTheDeclinationSign) {
    EXPECT_EQ(Combined("002401.95 +383437.3 "), "0024+38");
    EXPECT_EQ(Combined("132511.6-110941"), "1325-11");
    EXPECT_EQ(Combined("00 24 01.95 +38 34 37.3"), "0024+38");
    EXPECT_EQ(Combined("13:25:11.6 -11:09:41"), "1325-11");
    EXPECT_EQ(Combined("6.008125 38.577028"), "0024+38");
    EXPECT_EQ(Combined("00 24 01.95 38 34 37.3"), "0024+38");
    EXPECT_EQ(Combined("00 24 38 34"), "0024+38");
    EXPECT_EQ(Combined("   "), "absent");
    EXPECT_EQ(Combined("6.008125"), "unreadable");
    EXPECT_EQ(Combined("1 2 3"), "unreadable");
    EXPECT_EQ(Combined("00 24 01.95 +38 34 37.3 +1"), "unreadable");
}

}  // namespace
}  // namespace velmo::importing
