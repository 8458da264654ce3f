// SPDX-License-Identifier: GPL-3.0-or-later
#include "decimal_text.h"

namespace velmo::importing {
namespace {

constexpr int kMaxWholeDigits = 12;
constexpr int kDecimals = 6;

void SkipBlanks(std::string_view text, std::size_t* pos) {
    while (*pos < text.size() && IsBlank(text[*pos])) {
        ++*pos;
    }
}

// Skips band letters ("V", "p", "Hp") after a magnitude, with the blanks
// before them and an uncertainty colon after them.
void SkipBand(std::string_view text, std::size_t* pos) {
    std::size_t at = *pos;
    SkipBlanks(text, &at);
    if (at >= text.size() || !IsAsciiLetter(text[at])) {
        return;
    }
    while (at < text.size() && IsAsciiLetter(text[at])) {
        ++at;
    }
    if (at < text.size() && text[at] == ':') {
        ++at;
    }
    *pos = at;
}

// The number part of a magnitude: "<" / ">" before it, ":" after it.
bool ReadLimitedNumber(std::string_view text, std::size_t* pos, std::int64_t* micros) {
    std::size_t at = *pos;
    SkipBlanks(text, &at);
    if (at < text.size() && (text[at] == '<' || text[at] == '>')) {
        ++at;
        SkipBlanks(text, &at);
    }
    if (!ReadDecimal(text, &at, micros)) {
        return false;
    }
    // The uncertainty colon, right after the number or after blanks.
    std::size_t colon = at;
    SkipBlanks(text, &colon);
    if (colon < text.size() && text[colon] == ':') {
        at = colon + 1;
    }
    SkipBand(text, &at);
    *pos = at;
    return true;
}

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsBlank(text[first])) {
        ++first;
    }
    while (last > first && IsBlank(text[last - 1])) {
        --last;
    }
    return text.substr(first, last - first);
}

bool ReadDecimal(std::string_view text, std::size_t* pos, std::int64_t* micros) {
    std::size_t at = *pos;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    std::int64_t whole = 0;
    int wholeDigits = 0;
    int digits = 0;
    bool huge = false;
    while (at < text.size() && IsDigit(text[at])) {
        if (wholeDigits > 0 || text[at] != '0') {
            ++wholeDigits;  // leading zeros do not count towards the limit
        }
        if (wholeDigits > kMaxWholeDigits) {
            huge = true;
        } else {
            whole = whole * 10 + (text[at] - '0');
        }
        ++digits;
        ++at;
    }
    std::int64_t fraction = 0;
    int decimals = 0;
    if (at < text.size() && text[at] == '.') {
        ++at;
        while (at < text.size() && IsDigit(text[at])) {
            if (decimals < kDecimals) {
                fraction = fraction * 10 + (text[at] - '0');
                ++decimals;
            }
            ++digits;
            ++at;
        }
    }
    if (digits == 0) {
        return false;
    }
    for (; decimals < kDecimals; ++decimals) {
        fraction *= 10;
    }
    const std::int64_t value = huge ? kHugeMicros : whole * kMicro + fraction;
    *micros = negative ? -value : value;
    *pos = at;
    return true;
}

bool ReadMagnitudeAt(std::string_view text, std::size_t* pos, Magnitude* out) {
    std::size_t at = *pos;
    SkipBlanks(text, &at);
    if (at < text.size() && text[at] == '(') {
        ++at;
        std::int64_t micros = 0;
        if (!ReadLimitedNumber(text, &at, &micros)) {
            return false;
        }
        SkipBlanks(text, &at);
        if (at >= text.size() || text[at] != ')') {
            return false;
        }
        ++at;
        SkipBand(text, &at);
        *pos = at;
        out->kind = Magnitude::kAmplitude;
        out->micros = micros;
        return true;
    }
    std::int64_t micros = 0;
    if (!ReadLimitedNumber(text, &at, &micros)) {
        return false;
    }
    *pos = at;
    out->kind = Magnitude::kValue;
    out->micros = micros;
    return true;
}

Magnitude ReadMagnitudeField(std::string_view field) {
    field = TrimBlanks(field);
    Magnitude result;
    if (field.empty()) {
        return result;
    }
    std::size_t pos = 0;
    if (!ReadMagnitudeAt(field, &pos, &result) || TrimBlanks(field.substr(pos)).size() != 0) {
        result.kind = Magnitude::kUnreadable;
        result.micros = 0;
    }
    return result;
}

void ReadRangeField(std::string_view field, Magnitude* max, Magnitude* min) {
    *max = Magnitude{};
    *min = Magnitude{};
    field = TrimBlanks(field);
    if (field.empty()) {
        return;
    }
    std::size_t pos = 0;
    bool readable = ReadMagnitudeAt(field, &pos, max) && max->kind == Magnitude::kValue;
    if (readable) {
        SkipBlanks(field, &pos);
        if (pos < field.size()) {
            readable = field[pos] == '-' && ReadMagnitudeAt(field, &++pos, min) &&
                       TrimBlanks(field.substr(pos)).empty();
        }
    }
    if (!readable) {
        max->kind = Magnitude::kUnreadable;
        min->kind = Magnitude::kUnreadable;
    }
}

Period ReadPeriodField(std::string_view field) {
    field = TrimBlanks(field);
    Period result;
    if (field.empty()) {
        return result;
    }
    if (field[0] == '(' || field[0] == '<' || field[0] == '>') {
        result.kind = Period::kNone;
        return result;
    }
    std::size_t pos = 0;
    std::int64_t micros = 0;
    if (!ReadDecimal(field, &pos, &micros)) {
        result.kind = Period::kUnreadable;
        return result;
    }
    if (pos < field.size() && field[pos] == ':') {
        ++pos;
    }
    if (!TrimBlanks(field.substr(pos)).empty()) {
        result.kind = Period::kUnreadable;
        return result;
    }
    result.kind = micros > 0 ? Period::kValue : Period::kNone;
    result.micros = micros > 0 ? micros : 0;
    return result;
}

}  // namespace velmo::importing
