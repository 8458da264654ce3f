// SPDX-License-Identifier: GPL-3.0-or-later
// Number formatting for the exports. Never depends on the process locale:
// the decimal separator is always ".", and no printf-family call is made.
#pragma once

#include <cstdint>

namespace velmo {

// Room FormatInt16 needs: "-32768".
constexpr int kInt16TextMax = 6;
// Room FormatGeneral6 needs: "-1.23457e-308" is 13 characters; "-nan" 4.
constexpr int kGeneral6TextMax = 16;

// Writes `value` in base ten: no leading zeros, no blanks, a minus sign only
// when negative. Returns one past the last character written (no terminator).
char* FormatInt16(char* out, std::int16_t value);

// Writes `value` byte for byte as printf("%g", value) does in the C locale:
// 6 significant digits rounded to nearest (ties to even on the exact binary
// value), fixed notation when the decimal exponent after rounding is at
// least -4 and below 6, else d.ddddde+XX; trailing zeros and a trailing
// point dropped; "inf", "nan" with their sign. Needs kGeneral6TextMax bytes
// at `out`; returns one past the last character written (no terminator).
char* FormatGeneral6(char* out, double value);

}  // namespace velmo
