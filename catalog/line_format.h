// SPDX-License-Identifier: GPL-3.0-or-later
// The fixed-column catalogue line: the format test that decides whether a
// line is a star, and the decoding of a valid line into a StarRecord.
//
// Positions count from 0. A valid line has decimal digits at 0-3 (RA hours
// and minutes), "+" or "-" at 4, digits at 5-6 (declination degrees), white
// space or a letter at 7, white space at 8-9 and printable non-blank
// characters at 10 (name) and 22 (type). Decoding reads only positions 0-74
// of the stored line, which is at least 75 characters long.
#pragma once

#include <cstddef>

#include "line_layout.h"
#include "star_catalog.h"

namespace velmo {

// Shortest stored line: shorter valid lines are filled up with blanks.
constexpr std::size_t kStoredLineMinLength = line_layout::kLineWidth;

// Byte classes of the format test, on the byte's value 0-255; bytes 128-255
// belong to none of them.
inline bool IsDigitByte(unsigned char c) { return static_cast<unsigned>(c - '0') < 10u; }
inline bool IsSpaceByte(unsigned char c) { return c == ' ' || (c >= 9 && c <= 13); }
inline bool IsLetterByte(unsigned char c) { return static_cast<unsigned>((c | 0x20) - 'a') < 26u; }
inline bool IsPrintableNonBlankByte(unsigned char c) { return static_cast<unsigned>(c - 33) < 94u; }

// The format test as a table of rules, one per tested position, in
// position order. Both PassesFormatTest and FindFormatBreak run this one
// table, so the loader and any report of why a line is not a star line
// cannot disagree.
enum class ByteClass : unsigned char {
    kDigit,              // "0" to "9"
    kSign,               // "+" or "-"
    kSpaceOrLetter,      // white space or a letter
    kSpace,              // white space
    kPrintableNonBlank,  // codes 33 to 126
};

struct FormatRule {
    std::size_t position;
    ByteClass expected;
};

constexpr FormatRule kFormatRules[] = {
    {line_layout::kRaHours.first, ByteClass::kDigit},
    {line_layout::kRaHours.first + 1, ByteClass::kDigit},
    {line_layout::kRaMinutes.first, ByteClass::kDigit},
    {line_layout::kRaMinutes.first + 1, ByteClass::kDigit},
    {line_layout::kDecSign.first, ByteClass::kSign},
    {line_layout::kDecDegrees.first, ByteClass::kDigit},
    {line_layout::kDecDegrees.first + 1, ByteClass::kDigit},
    {line_layout::kGap.first, ByteClass::kSpaceOrLetter},
    {line_layout::kGap.first + 1, ByteClass::kSpace},
    {line_layout::kGap.first + 2, ByteClass::kSpace},
    {line_layout::kName.first, ByteClass::kPrintableNonBlank},  // first character of the name
    {line_layout::kType.first, ByteClass::kPrintableNonBlank},  // first character of the type
};
constexpr std::size_t kFormatRuleCount = sizeof kFormatRules / sizeof kFormatRules[0];

// Shortest line that can pass: one past the last tested position (23).
constexpr std::size_t kFormatTestMinLength = kFormatRules[kFormatRuleCount - 1].position + 1;

inline bool IsInByteClass(unsigned char c, ByteClass expected) {
    switch (expected) {
        case ByteClass::kDigit:
            return IsDigitByte(c);
        case ByteClass::kSign:
            return c == '+' || c == '-';
        case ByteClass::kSpaceOrLetter:
            return IsSpaceByte(c) || IsLetterByte(c);
        case ByteClass::kSpace:
            return IsSpaceByte(c);
        case ByteClass::kPrintableNonBlank:
            return IsPrintableNonBlankByte(c);
    }
    return false;
}

// The first rule of the format test that a line breaks.
struct FormatBreak {
    enum class Kind {
        kNone,       // the line passes the test
        kWrongByte,  // the byte at `position` is not of the class `expected`
        kTooShort,   // every tested position inside the line passes, but the
                     // line ends before position `position` (kFormatTestMinLength - 1
                     // at the latest), so a rule fails for want of a byte
    };
    Kind kind = Kind::kNone;
    std::size_t position = 0;                // kWrongByte, kTooShort: the position of the rule
    unsigned char found = 0;                 // kWrongByte: the byte found there
    ByteClass expected = ByteClass::kDigit;  // kWrongByte, kTooShort: what the rule wants
};

// Runs the rules in position order on the `length` bytes at `text` and
// returns the first that fails; kind kNone exactly when PassesFormatTest
// would return true.
FormatBreak FindFormatBreak(const char* text, std::size_t length);

// True when the `length` bytes at `text` (the line as read, without its line
// end) pass the format test. Positions beyond `length` fail their test.
bool PassesFormatTest(const char* text, std::size_t length);

// Fills `record` from the `length` bytes at `text`, a line that passes the
// format test and is shorter than INT32_MAX bytes: copies the line to
// `line` (room for max(length, 75) + 1 bytes), filled up with blanks to 75
// characters when shorter and zero-terminated, decodes the fields from it,
// sets `seq` and leaves `next` null.
void DecodeRecord(const char* text, std::size_t length, std::int32_t seq, char* line,
                  StarRecord* record);

// The decoding sums, on a stored line (at least 75 characters).
// Magnitude at `tens` (tens, units, point, tenths, hundredths): each digit
// times 10, 1, 0.1f, 0.01f (the tenth and hundredth weights are the nearest
// floats, widened), summed in 64-bit floating point in that order; non-digits
// add nothing.
double DecodeMagnitude(const char* tens);
// The same magnitude as a code 0-9999 of its four digit values (a non-digit
// counting as 0), tens first; MagnitudeOfCode gives the very value that
// DecodeMagnitude gives for it, and 0 only for code 0.
constexpr int kMagnitudeCodes = 10000;
int MagnitudeCode(const char* tens);
double MagnitudeOfCode(int code);
// Period at positions 46-54: thousands to units, "K" at 50 multiplies the
// whole part by 1000, then tenths to ten-thousandths; non-digits add nothing.
double DecodePeriod(const char* line);

}  // namespace velmo
