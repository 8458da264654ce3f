// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers to and from the text of edit boxes, with "." as the decimal point
// whatever the locale: std::from_chars and std::to_chars never consult it.
#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>
#include <system_error>

#include "toolkit/data_exchange.h"

namespace tk {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || (c >= '\n' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The text without blanks around it and without a leading "+" (which
// from_chars does not take); empty when the "+" is followed by another sign.
std::string_view NumberPart(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && (text.front() == '+' || text.front() == '-')) return {};
    }
    return text;
}

// For a decimal number that from_chars found out of range: true when its
// magnitude is at least 1 (so it overflowed), false when below (underflow).
bool MagnitudeAtLeastOne(std::string_view number) {
    std::size_t i = 0;
    if (i < number.size() && number[i] == '-') ++i;
    long long order = 0;  // decimal order of the first non-zero digit, before the exponent
    bool found = false;
    long long integerDigits = 0;
    for (; i < number.size() && IsDigit(number[i]); ++i) {
        if (!found && number[i] != '0') found = true;
        if (found) ++integerDigits;
    }
    if (found) order = integerDigits - 1;
    if (i < number.size() && number[i] == '.') {
        ++i;
        for (long long position = 1; i < number.size() && IsDigit(number[i]); ++i, ++position) {
            if (!found && number[i] != '0') {
                found = true;
                order = -position;
            }
        }
    }
    long long exponent = 0;
    if (i < number.size() && (number[i] == 'e' || number[i] == 'E')) {
        std::string_view digits = number.substr(i + 1);
        if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), exponent);
        (void)end;
        if (error == std::errc::result_out_of_range) return digits.front() != '-';
        // The exponent is far larger than any digit count, so this cannot overflow.
        if (exponent > (1LL << 40)) exponent = 1LL << 40;
        if (exponent < -(1LL << 40)) exponent = -(1LL << 40);
    }
    return order + exponent >= 0;
}

template <typename Real>
bool ParseReal(const std::string& text, Real& value) {
    const std::string_view number = NumberPart(text);
    if (number.empty()) return false;
    // from_chars also reads "inf", "infinity" and "nan"; a box wants digits.
    for (char c : number) {
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (letter && c != 'e' && c != 'E') return false;
    }
    Real parsed{};
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), parsed,
                                              std::chars_format::general);
    if (end != number.data() + number.size()) return false;
    if (error == std::errc::result_out_of_range) {
        const bool negative = number.front() == '-';
        const Real magnitude =
            MagnitudeAtLeastOne(number) ? std::numeric_limits<Real>::infinity() : Real(0);
        value = negative ? -magnitude : magnitude;
        return true;
    }
    if (error != std::errc()) return false;
    value = parsed;
    return true;
}

template <typename Real>
std::string FormatReal(Real value, int fewestDigits) {
    char buffer[64];
    std::string text;
    for (int digits = fewestDigits; digits <= std::numeric_limits<Real>::max_digits10; ++digits) {
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                          std::chars_format::general, digits);
        text.assign(buffer, result.ptr);
        if (!std::isfinite(value)) break;
        Real back{};
        if (ParseReal(text, back) && back == value) break;
    }
    return text;
}

}  // namespace

std::string DataExchange::FormatFloat(float value) { return FormatReal(value, 6); }

std::string DataExchange::FormatDouble(double value) { return FormatReal(value, 15); }

bool DataExchange::ParseInteger(const std::string& text, long long& value) {
    const std::string_view number = NumberPart(text);
    if (number.empty()) return false;
    long long parsed = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), parsed);
    if (end != number.data() + number.size()) return false;
    if (error == std::errc::result_out_of_range) {
        value = number.front() == '-' ? std::numeric_limits<long long>::min()
                                      : std::numeric_limits<long long>::max();
        return true;
    }
    if (error != std::errc()) return false;
    value = parsed;
    return true;
}

bool DataExchange::ParseFloat(const std::string& text, double& value) {
    return ParseReal(text, value);
}

bool DataExchange::ParseFloat(const std::string& text, float& value) {
    return ParseReal(text, value);
}

}  // namespace tk
