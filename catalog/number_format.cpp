// SPDX-License-Identifier: GPL-3.0-or-later
#include "number_format.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace velmo {
namespace {

// Powers of ten that are exact in double precision.
constexpr double kExactPow10[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10};

// Thresholds of the fast path's decimal exponents -5 ... 6: the doubles
// nearest to 10^-5 ... 10^6.
constexpr int kLowestExponent = -5;
constexpr double kPow10Threshold[] = {1e-5, 1e-4, 1e-3, 1e-2, 1e-1, 1e0,
                                      1e1,  1e2,  1e3,  1e4,  1e5,  1e6};

// hi + lo == a * b exactly (Dekker). Needs plain IEEE double arithmetic
// without fused multiply-add contraction; the library is built with
// -ffp-contract=off.
inline void TwoProduct(double a, double b, double& hi, double& lo) {
    constexpr double kSplitter = 134217729.0;  // 2^27 + 1
    hi = a * b;
    double t = kSplitter * a;
    const double aHigh = t - (t - a);
    const double aLow = a - aHigh;
    t = kSplitter * b;
    const double bHigh = t - (t - b);
    const double bLow = b - bHigh;
    lo = ((aHigh * bHigh - hi) + aHigh * bLow + aLow * bHigh) + aLow * bLow;
}

// Rounds positive `value`, whose decimal exponent is `exponent` (-5 ... 5),
// to six significant digits: returns them as an integer 100000 ... 1000000,
// rounded half to even on the exact product value * 10^(5 - exponent).
inline std::uint32_t SixDigits(double value, int exponent) {
    double hi = 0.0;
    double lo = 0.0;
    TwoProduct(value, kExactPow10[5 - exponent], hi, lo);
    const double whole = std::floor(hi);
    const double fraction = hi - whole;  // exact: hi >= 1
    auto digits = static_cast<std::uint32_t>(whole);
    // |lo| is at most half an ulp of hi, so it only decides exact halves.
    if (fraction > 0.5 || (fraction == 0.5 && (lo > 0.0 || (lo == 0.0 && (digits & 1u) != 0)))) {
        ++digits;
    }
    return digits;
}

// Appends the digits in [first, last) without their trailing zeros, after a
// decimal point; nothing at all when every digit is zero.
inline char* AppendFraction(char* out, const char* first, const char* last) {
    while (last > first && last[-1] == '0') {
        --last;
    }
    if (last > first) {
        *out++ = '.';
        std::memcpy(out, first, static_cast<std::size_t>(last - first));
        out += last - first;
    }
    return out;
}

// Lays out six significant digits with decimal exponent `exponent` as %g does.
char* LayOut(char* out, std::uint32_t sixDigits, int exponent) {
    char digits[6];
    for (int i = 5; i >= 0; --i) {
        digits[i] = static_cast<char>('0' + sixDigits % 10);
        sixDigits /= 10;
    }
    if (exponent >= 0 && exponent < 6) {
        std::memcpy(out, digits, static_cast<std::size_t>(exponent + 1));
        out += exponent + 1;
        return AppendFraction(out, digits + exponent + 1, digits + 6);
    }
    if (exponent < 0 && exponent >= -4) {
        *out++ = '0';
        *out++ = '.';
        for (int i = -1; i > exponent; --i) {
            *out++ = '0';
        }
        std::memcpy(out, digits, 6);
        out += 6;
        while (out[-1] == '0') {  // digits[0] is never zero
            --out;
        }
        return out;
    }
    *out++ = digits[0];
    out = AppendFraction(out, digits + 1, digits + 6);
    *out++ = 'e';
    *out++ = exponent < 0 ? '-' : '+';
    const int magnitude = exponent < 0 ? -exponent : exponent;
    *out++ = static_cast<char>('0' + magnitude / 10);
    *out++ = static_cast<char>('0' + magnitude % 10);
    return out;
}

}  // namespace

char* FormatInt16(char* out, std::int16_t value) {
    int number = value;
    if (number < 0) {
        *out++ = '-';
        number = -number;
    }
    char digits[5];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + number % 10);
        number /= 10;
    } while (number != 0);
    while (count > 0) {
        *out++ = digits[--count];
    }
    return out;
}

char* FormatGeneral6(char* out, double value) {
    if (value == 0.0) {
        if (std::signbit(value)) {
            *out++ = '-';
        }
        *out++ = '0';
        return out;
    }
    const double magnitude = std::fabs(value);
    // Fast path: the magnitudes and periods of a catalogue all lie here.
    if (magnitude >= kPow10Threshold[0] && magnitude < kPow10Threshold[11]) {
        int exponent = kLowestExponent;
        while (magnitude >= kPow10Threshold[exponent - kLowestExponent + 1]) {
            ++exponent;
        }
        std::uint32_t digits = SixDigits(magnitude, exponent);
        if (digits >= 1000000u) {  // rounded up to the next power of ten
            digits = 100000u;
            ++exponent;
        }
        if (digits >= 100000u) {
            if (value < 0.0) {
                *out++ = '-';
            }
            return LayOut(out, digits, exponent);
        }
    }
    // Everything else (huge, tiny, infinite, NaN): the standard library's
    // exact conversion, specified to match printf("%.6g") in the C locale.
    return std::to_chars(out, out + kGeneral6TextMax, value, std::chars_format::general, 6).ptr;
}

}  // namespace velmo
