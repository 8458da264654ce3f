// SPDX-License-Identifier: GPL-3.0-or-later
#include "binary_text.h"

#include <charconv>
#include <cmath>

namespace velmo::importing {
namespace {

// Room for the longest fixed-notation double (about 310 digits) and sign.
constexpr std::size_t kRoom = 400;

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

void AppendFloat(float value, std::string* out) { AppendFixed(value, out); }
void AppendDouble(double value, std::string* out) { AppendFixed(value, out); }

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
