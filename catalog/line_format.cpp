// SPDX-License-Identifier: GPL-3.0-or-later
#include "line_format.h"

#include <cstring>

namespace velmo {
namespace {

// Value of a byte that is a decimal digit, 0 for any other byte, so that a
// non-digit adds nothing to a decoding sum.
inline int DigitOrZero(char c) {
    const unsigned value = static_cast<unsigned char>(c) - static_cast<unsigned>('0');
    return value < 10u ? static_cast<int>(value) : 0;
}

// Value of a byte already known to be a decimal digit.
inline int Digit(char c) { return static_cast<unsigned char>(c) - '0'; }

inline unsigned char At(const char* text, std::size_t pos) {
    return static_cast<unsigned char>(text[pos]);
}

// Copies the name field, moving its trailing blanks (code 32 only) to the
// front.
void RightJustifyName(const char* line, char* name) {
    constexpr std::size_t kFirst = line_layout::kName.first;
    constexpr std::size_t kWidth = line_layout::kName.width;
    std::size_t blanks = 0;
    while (blanks < kWidth && line[kFirst + kWidth - 1 - blanks] == ' ') {
        ++blanks;
    }
    std::memset(name, ' ', blanks);
    std::memcpy(name + blanks, line + kFirst, kWidth - blanks);
    name[kWidth] = '\0';
}

void CopyField(const char* line, line_layout::Field from, char* field) {
    std::memcpy(field, line + from.first, from.width);
    field[from.width] = '\0';
}

// The two decimal digits at `at` as a number.
inline int TwoDigits(const char* at) { return 10 * Digit(at[0]) + Digit(at[1]); }

}  // namespace

namespace {

// The rules from the I-th on, tested in one expression unrolled at compile
// time: the loader runs this on every line.
template <std::size_t I = 0>
inline bool PassesRulesFrom(const char* text) {
    if constexpr (I == kFormatRuleCount) {
        return true;
    } else {
        return IsInByteClass(At(text, kFormatRules[I].position), kFormatRules[I].expected) &&
               PassesRulesFrom<I + 1>(text);
    }
}

}  // namespace

FormatBreak FindFormatBreak(const char* text, std::size_t length) {
    FormatBreak result;
    for (const FormatRule& rule : kFormatRules) {
        if (rule.position >= length) {
            result.kind = FormatBreak::Kind::kTooShort;
            result.position = rule.position;
            result.expected = rule.expected;
            return result;
        }
        const unsigned char c = At(text, rule.position);
        if (!IsInByteClass(c, rule.expected)) {
            result.kind = FormatBreak::Kind::kWrongByte;
            result.position = rule.position;
            result.found = c;
            result.expected = rule.expected;
            return result;
        }
    }
    return result;
}

bool PassesFormatTest(const char* text, std::size_t length) {
    return length >= kFormatTestMinLength && PassesRulesFrom(text);
}

namespace {

double MagnitudeOfDigits(int tens, int units, int tenths, int hundredths) {
    // The fractional weights are single-precision constants on purpose: the
    // catalogue's magnitudes have always been decoded this way, and the
    // search limits are compared against these exact values.
    constexpr double kTenth = static_cast<double>(0.1f);
    constexpr double kHundredth = static_cast<double>(0.01f);
    double sum = 0.0;
    sum += tens * 10.0;
    sum += units * 1.0;
    sum += tenths * kTenth;
    sum += hundredths * kHundredth;
    return sum;
}

}  // namespace

double DecodeMagnitude(const char* tens) {
    return MagnitudeOfDigits(DigitOrZero(tens[0]), DigitOrZero(tens[1]), DigitOrZero(tens[3]),
                             DigitOrZero(tens[4]));
}

int MagnitudeCode(const char* tens) {
    return DigitOrZero(tens[0]) * 1000 + DigitOrZero(tens[1]) * 100 + DigitOrZero(tens[3]) * 10 +
           DigitOrZero(tens[4]);
}

double MagnitudeOfCode(int code) {
    return MagnitudeOfDigits(code / 1000, code / 100 % 10, code / 10 % 10, code % 10);
}

double DecodePeriod(const char* line) {
    const char* digits = line + line_layout::kPeriod.first;  // "dddd.dddd"
    double sum = 0.0;
    sum += DigitOrZero(digits[0]) * 1000.0;
    sum += DigitOrZero(digits[1]) * 100.0;
    sum += DigitOrZero(digits[2]) * 10.0;
    sum += DigitOrZero(digits[3]) * 1.0;
    if (line[line_layout::kPeriodThousands] == 'K') {
        sum *= 1000.0;  // thousands of days; the decimals below are not scaled
    }
    sum += DigitOrZero(digits[5]) * 0.1;
    sum += DigitOrZero(digits[6]) * 0.01;
    sum += DigitOrZero(digits[7]) * 0.001;
    sum += DigitOrZero(digits[8]) * 0.0001;
    return sum;
}

void DecodeRecord(const char* text, std::size_t length, std::int32_t seq, char* line,
                  StarRecord* record) {
    const std::size_t stored = length < kStoredLineMinLength ? kStoredLineMinLength : length;
    std::memcpy(line, text, length);
    if (length < stored) {
        std::memset(line + length, ' ', stored - length);
    }
    line[stored] = '\0';

    record->seq = seq;
    record->line = line;
    record->lineLength = static_cast<std::int32_t>(stored);
    record->raHours = static_cast<std::int16_t>(TwoDigits(line + line_layout::kRaHours.first));
    record->raMinutes = static_cast<std::int16_t>(TwoDigits(line + line_layout::kRaMinutes.first));
    const int degrees = TwoDigits(line + line_layout::kDecDegrees.first);
    record->decDegrees =
        static_cast<std::int16_t>(line[line_layout::kDecSign.first] == '-' ? -degrees : degrees);
    RightJustifyName(line, record->name);
    CopyField(line, line_layout::kType, record->type);
    CopyField(line, line_layout::kRange, record->range);
    CopyField(line, line_layout::kDescription, record->description);
    record->maxMagnitude = DecodeMagnitude(line + line_layout::kMaxMagnitude.first);
    record->minMagnitude = DecodeMagnitude(line + line_layout::kMinMagnitude.first);
    record->period = DecodePeriod(line);
    record->next = nullptr;
}

}  // namespace velmo
