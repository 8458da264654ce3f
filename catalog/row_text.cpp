// SPDX-License-Identifier: GPL-3.0-or-later
#include "row_text.h"

#include <charconv>
#include <cstring>

namespace {

// Writes `value` as printf's "%0<width>d" does: the sign, then zeros up to
// `width` characters in all, then the digits. Returns the end of the text
// (not terminated).
char* WriteZeroPadded(char* out, int value, int width) {
    char digits[12];
    char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    const char* first = digits;
    if (*first == '-') {
        *out++ = '-';
        ++first;
    }
    const int length = static_cast<int>(end - digits);
    for (int zeros = width - length; zeros > 0; --zeros) *out++ = '0';
    std::memcpy(out, first, static_cast<std::size_t>(end - first));
    return out + (end - first);
}

}  // namespace

const char* ResultRowFormatter::Ra(std::int16_t hours, std::int16_t minutes) {
    char* end = WriteZeroPadded(ra_, hours, 2);
    *end++ = ':';
    end = WriteZeroPadded(end, minutes, 2);
    *end = '\0';
    return ra_;
}

const char* ResultRowFormatter::Dec(std::int16_t degrees) {
    char* end = WriteZeroPadded(dec_, degrees, degrees < 0 ? 3 : 2);
    *end = '\0';
    return dec_;
}

const char* ResultRowFormatter::Period(double days) {
    if (days == 0.0) {
        period_[0] = '\0';
        return period_;
    }
    // to_chars with a precision rounds exactly as printf does in the C locale.
    constexpr int kWidth = 10;
    char text[sizeof period_];
    const std::to_chars_result r =
        std::to_chars(text, text + sizeof text - 1, days, std::chars_format::fixed, 4);
    const int length = static_cast<int>(r.ptr - text);
    const int blanks = length < kWidth ? kWidth - length : 0;
    std::memset(period_, ' ', static_cast<std::size_t>(blanks));
    std::memcpy(period_ + blanks, text, static_cast<std::size_t>(length));
    period_[blanks + length] = '\0';
    return period_;
}
