// SPDX-License-Identifier: GPL-3.0-or-later
// Decimal numbers of an imported catalogue read exactly, digit by digit,
// never through the process locale or binary floating point, so that
// rounding to the line's 2 or 4 decimals and truncating positions to whole
// minutes or degrees follow the written digits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace velmo::importing {

// Millionths in one unit.
constexpr std::int64_t kMicro = 1000000;
// Magnitude of a value whose whole part has more than 12 digits: far beyond
// anything a line can hold, so it is kept only as "too large".
constexpr std::int64_t kHugeMicros = std::int64_t{1} << 60;

// True for the blank and the horizontal tab, the blanks of a field.
inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }
inline bool IsDigit(char c) { return static_cast<unsigned>(c - '0') < 10u; }
inline bool IsAsciiLetter(char c) { return static_cast<unsigned>((c | 0x20) - 'a') < 26u; }

// `text` without its leading and trailing blanks (blank and tab).
std::string_view TrimBlanks(std::string_view text);

// Reads a decimal number at text[*pos]: an optional "+" or "-", digits, an
// optional "." and more digits (at least one digit in all). On success
// stores the value in millionths in *micros (digits beyond the sixth
// decimal are dropped; a whole part of more than 12 digits gives
// +/-kHugeMicros), moves *pos past it and returns true; otherwise returns
// false and changes nothing.
bool ReadDecimal(std::string_view text, std::size_t* pos, std::int64_t* micros);

// One magnitude as written: absent (empty), a value, an amplitude "(a)"
// that the minimum may hold, or text that is none of these.
struct Magnitude {
    enum Kind { kAbsent, kValue, kAmplitude, kUnreadable };
    Kind kind = kAbsent;
    std::int64_t micros = 0;  // the value in millionths of a magnitude
};

// Reads a magnitude starting at text[*pos] (leading blanks skipped): "<" or
// ">" before the number and ":" after it are dropped, band letters after it
// ignored; "(a)" is an amplitude. Moves *pos past what was read and returns
// false when no magnitude stands there (the text is unreadable).
bool ReadMagnitudeAt(std::string_view text, std::size_t* pos, Magnitude* out);

// A whole field holding one magnitude (see ReadMagnitudeAt); anything left
// over after the magnitude makes it kUnreadable; an empty field is kAbsent.
Magnitude ReadMagnitudeField(std::string_view field);

// A field holding a "MAX - MIN" range: the maximum, then optionally "-" and
// the minimum (a value or an amplitude). An empty field gives two absent
// magnitudes; a field that does not read as a range gives kUnreadable ones.
void ReadRangeField(std::string_view field, Magnitude* max, Magnitude* min);

// One period as written.
struct Period {
    // kNone: written, but a mean cycle "(...)", a limit "<" / ">", or zero
    // or negative, which all count as no period.
    enum Kind { kAbsent, kValue, kNone, kUnreadable };
    Kind kind = kAbsent;
    std::int64_t micros = 0;  // days in millionths, above 0 for kValue
};

// Reads a period field: a number, optionally followed by ":".
Period ReadPeriodField(std::string_view field);

}  // namespace velmo::importing
