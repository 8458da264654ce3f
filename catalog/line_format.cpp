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

// Copies the 11-character name at positions 10-20, moving its trailing
// blanks (code 32 only) to the front.
void RightJustifyName(const char* line, char* name) {
    constexpr std::size_t kFirst = 10;
    constexpr std::size_t kWidth = 11;
    std::size_t blanks = 0;
    while (blanks < kWidth && line[kFirst + kWidth - 1 - blanks] == ' ') {
        ++blanks;
    }
    std::memset(name, ' ', blanks);
    std::memcpy(name + blanks, line + kFirst, kWidth - blanks);
    name[kWidth] = '\0';
}

void CopyField(const char* line, std::size_t first, std::size_t width, char* field) {
    std::memcpy(field, line + first, width);
    field[width] = '\0';
}

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
    double sum = 0.0;
    sum += DigitOrZero(line[46]) * 1000.0;
    sum += DigitOrZero(line[47]) * 100.0;
    sum += DigitOrZero(line[48]) * 10.0;
    sum += DigitOrZero(line[49]) * 1.0;
    if (line[50] == 'K') {
        sum *= 1000.0;  // thousands of days; the decimals below are not scaled
    }
    sum += DigitOrZero(line[51]) * 0.1;
    sum += DigitOrZero(line[52]) * 0.01;
    sum += DigitOrZero(line[53]) * 0.001;
    sum += DigitOrZero(line[54]) * 0.0001;
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
    record->raHours = static_cast<std::int16_t>(10 * Digit(line[0]) + Digit(line[1]));
    record->raMinutes = static_cast<std::int16_t>(10 * Digit(line[2]) + Digit(line[3]));
    const int degrees = 10 * Digit(line[5]) + Digit(line[6]);
    record->decDegrees = static_cast<std::int16_t>(line[4] == '-' ? -degrees : degrees);
    RightJustifyName(line, record->name);
    CopyField(line, 22, 8, record->type);
    CopyField(line, 32, 14, record->range);
    CopyField(line, 55, 20, record->description);
    record->maxMagnitude = DecodeMagnitude(line + 33);
    record->minMagnitude = DecodeMagnitude(line + 40);
    record->period = DecodePeriod(line);
    record->next = nullptr;
}

}  // namespace velmo
