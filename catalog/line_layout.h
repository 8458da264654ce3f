// SPDX-License-Identifier: GPL-3.0-or-later
// The catalogue line's fields: where each one starts (positions count from
// 0) and how many characters it takes. The one description of the layout:
// the decoder and the format test, the packed copy of the searched fields,
// the import's writer, the benchmark's generator and the tests' line
// builders all take their positions from here.
#pragma once

#include <cstddef>

namespace velmo {
namespace line_layout {

struct Field {
    std::size_t first;                                           // position of the first character
    std::size_t width;                                           // characters
    constexpr std::size_t End() const { return first + width; }  // one past the last
};

constexpr Field kRa{0, 4};                    // right ascension, "hhmm"
constexpr Field kRaHours{0, 2};               //   its hours
constexpr Field kRaMinutes{2, 2};             //   its minutes
constexpr Field kDeclination{4, 3};           // declination, sign and whole degrees, "+dd"
constexpr Field kDecSign{4, 1};               //   "+" or "-"
constexpr Field kDecDegrees{5, 2};            //   its degrees
constexpr Field kGap{7, 3};                   // blank or a letter, then two blanks
constexpr Field kName{10, 11};                // the star's designation
constexpr Field kType{22, 8};                 // variability type
constexpr Field kRange{32, 14};               // magnitude range, the two magnitudes inside it
constexpr Field kMaxMagnitude{33, 5};         //   brightest magnitude, "dd.dd"
constexpr Field kMinMagnitude{40, 5};         //   faintest magnitude, "dd.dd"
constexpr Field kPeriod{46, 9};               // period in days, "dddd.dddd"
constexpr std::size_t kPeriodThousands = 50;  // a "K" here: the whole days are thousands
constexpr Field kDescription{55, 20};         // free text

// Characters of a full line; shorter lines are read as if filled with blanks.
constexpr std::size_t kLineWidth = kDescription.End();

}  // namespace line_layout
}  // namespace velmo
