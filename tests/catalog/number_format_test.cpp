// SPDX-License-Identifier: GPL-3.0-or-later
// The exports' number formatting against the C library's printf in the C
// locale (the tests run in it), byte for byte.
#include "number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace {

std::string General6(double value) {
    char text[velmo::kGeneral6TextMax + 1];
    std::memset(text, '#', sizeof text);
    char* end = velmo::FormatGeneral6(text, value);
    EXPECT_LE(end - text, velmo::kGeneral6TextMax);
    return std::string(text, end);
}

std::string Printf(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

void ExpectLikePrintf(double value) {
    ASSERT_EQ(General6(value), Printf(value)) << "value " << std::hexfloat << value;
}

TEST(NumberFormatTest, EdgeValuesMatchPrintf) {
    const double values[] = {
        0.0,
        -0.0,
        1.0,
        -1.0,
        0.5,
        7.0,
        12.5,
        409.33,
        1234.5678,
        1e-5,
        1e-4,
        0.0001,
        0.001,
        9.999995,
        9.9999949999,
        9.99999500001,
        99999.95,
        999999.4,
        999999.5,
        999999.49999,
        1e6,
        1e6 - 0.5,
        123456.5,
        123457.5,
        1234565.0,
        1234575.0,
        0.1234565,
        2.5e-5,
        0.000099999949,
        0.0000999995,
        0.00009999949,
        1e-300,
        5e-324,
        1.7976931348623157e308,
        100000.0,
        1e15,
        1e22,
        1e23,
        12000.5,
        9999000.9999,
        0.075,
        5.800000011920929,
        15.200000002980232,
        7.500000007450581,
        10.019999999552965,
        std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::quiet_NaN(),
        -std::numeric_limits<double>::quiet_NaN(),
    };
    for (double v : values) {
        ExpectLikePrintf(v);
        ExpectLikePrintf(-v);
        ExpectLikePrintf(std::nextafter(v, 0.0));
        ExpectLikePrintf(std::nextafter(v, 1e308));
    }
}

TEST(NumberFormatTest, RoundingBoundariesMatchPrintf) {
    // Six-digit numbers and their halves at every decimal scale of the fast
    // path and just beyond it, with their neighbouring doubles.
    std::mt19937_64 random(7);
    for (int exponent = -8; exponent <= 8; ++exponent) {
        for (int i = 0; i < 2000; ++i) {
            const double digits = 100000 + static_cast<double>(random() % 900000) + 0.5 * (i & 1);
            const double v = digits * std::pow(10.0, exponent - 5);
            ExpectLikePrintf(v);
            ExpectLikePrintf(std::nextafter(v, 0.0));
            ExpectLikePrintf(std::nextafter(v, 1e308));
        }
    }
}

TEST(NumberFormatTest, RandomValuesMatchPrintf) {
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    for (int i = 0; i < 200000; ++i) {
        const int exponent = static_cast<int>(random() % 30) - 12;
        ExpectLikePrintf(mantissa(random) * std::pow(10.0, exponent));
    }
    for (int i = 0; i < 100000; ++i) {  // any bit pattern
        std::uint64_t bits = random();
        double v = 0;
        std::memcpy(&v, &bits, sizeof v);
        ExpectLikePrintf(v);
    }
}

TEST(NumberFormatTest, DecodedCatalogueValuesMatchPrintf) {
    const double tenth = static_cast<double>(0.1f);
    const double hundredth = static_cast<double>(0.01f);
    for (int a = 0; a < 10; ++a) {
        for (int b = 0; b < 10; ++b) {
            for (int c = 0; c < 10; ++c) {
                for (int d = 0; d < 10; ++d) {
                    double magnitude = 0.0;
                    magnitude += a * 10.0;
                    magnitude += b * 1.0;
                    magnitude += c * tenth;
                    magnitude += d * hundredth;
                    ExpectLikePrintf(magnitude);
                    double period = 0.0;
                    period += a * 100.0;
                    period += b * 1.0;
                    period *= 1000.0;
                    period += c * 0.1;
                    period += d * 0.0001;
                    ExpectLikePrintf(period);
                }
            }
        }
    }
}

TEST(NumberFormatTest, IntegersMatchPrintf) {
    for (int v = -32768; v <= 32767; ++v) {
        char text[velmo::kInt16TextMax];
        char* end = velmo::FormatInt16(text, static_cast<std::int16_t>(v));
        ASSERT_EQ(std::string(text, end), std::to_string(v));
    }
}

}  // namespace
