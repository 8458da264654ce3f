// SPDX-License-Identifier: GPL-3.0-or-later
// Binary numbers of VOTable and FITS tables as decimal text: the shortest
// decimal that reads back as the same value, written without an exponent,
// so that the import reads and rounds it as it does the text table the
// binary one was made from (a 32-bit 5.8049998 is "5.805").
#pragma once

#include <cstdint>
#include <string>

namespace velmo::importing {

// Append the text of `value` to `out`; a NaN appends nothing (not given).
void AppendFloat(float value, std::string* out);
void AppendDouble(double value, std::string* out);
void AppendInteger(std::int64_t value, std::string* out);
void AppendUnsigned(std::uint64_t value, std::string* out);

// The decimal text of a count or a row number, for messages.
std::string NumberText(std::uint64_t value);

}  // namespace velmo::importing
