// SPDX-License-Identifier: GPL-3.0-or-later
#include "binary_text.h"

#include <charconv>
#include <cmath>

namespace velmo::importing {
namespace {

// Room for the longest fixed-notation double (about 310 digits) and sign.
constexpr std::size_t kRoom = 400;

// Below these sizes two numbers of six decimals are always more than one
// step of the type apart, so at most one of them reads back as a given
// value.
template <typename T>
constexpr double kSixDecimalsLimit = 0;
template <>
constexpr double kSixDecimalsLimit<double> = 1e9;
template <>
constexpr double kSixDecimalsLimit<float> = 16;
constexpr std::uint64_t kMillion = 1000000;

// The common case of a value that some number of at most six decimals
// reads back as: that number is then its shortest text, written here from
// the integer millionths at a fraction of the cost of the general way.
// (For a float, the millionths as a double round to the nearest float as
// the decimal itself does: no six-decimal number comes within a double's
// step of a point halfway between two floats without being on it.)
// False, with nothing appended, when `value` is no such number.
template <typename T>
bool AppendSixDecimals(T value, std::string* out) {
    const double size = std::fabs(static_cast<double>(value));
    if (!(size < kSixDecimalsLimit<T>)) {
        return false;  // also a NaN
    }
    const auto millionths = static_cast<std::uint64_t>(std::llround(size * 1e6));
    if (static_cast<T>(static_cast<double>(millionths) / 1e6) != static_cast<T>(size)) {
        return false;
    }
    char text[32];
    char* end = text;
    if (std::signbit(value)) {
        *end++ = '-';
    }
    end = std::to_chars(end, text + sizeof text, millionths / kMillion).ptr;
    std::uint64_t fraction = millionths % kMillion;
    if (fraction != 0) {
        int places = 6;
        for (; fraction % 10 == 0; fraction /= 10) --places;
        *end++ = '.';
        for (int i = places - 1; i >= 0; --i, fraction /= 10) {
            end[i] = static_cast<char>('0' + fraction % 10);
        }
        end += places;
    }
    out->append(text, static_cast<std::size_t>(end - text));
    return true;
}

template <typename T>
void AppendFixed(T value, std::string* out) {
    if (std::isnan(value)) {
        return;
    }
    char text[kRoom];
    const auto result = std::to_chars(text, text + kRoom, value, std::chars_format::fixed);
    out->append(text, static_cast<std::size_t>(result.ptr - text));
}

}  // namespace

void AppendFloat(float value, std::string* out) {
    if (!AppendSixDecimals(value, out)) AppendFixed(value, out);
}
void AppendDouble(double value, std::string* out) {
    if (!AppendSixDecimals(value, out)) AppendFixed(value, out);
}

void AppendInteger(std::int64_t value, std::string* out) {
    char text[24];
    const auto result = std::to_chars(text, text + sizeof text, value);
    out->append(text, static_cast<std::size_t>(result.ptr - text));
}

void AppendUnsigned(std::uint64_t value, std::string* out) {
    char text[24];
    const auto result = std::to_chars(text, text + sizeof text, value);
    out->append(text, static_cast<std::size_t>(result.ptr - text));
}

std::string NumberText(std::uint64_t value) {
    std::string text;
    AppendUnsigned(value, &text);
    return text;
}

}  // namespace velmo::importing
