// SPDX-License-Identifier: GPL-3.0-or-later
// Turns the texts of one imported star into a catalogue line: 75 characters
// and a line feed, laid out so that the engine's loader decodes exactly the
// intended values (the positions are line_layout.h's).
//
//   0-3   hhmm of the right ascension, truncated
//   4-6   sign and whole degrees of the declination, truncated toward zero
//   10-20 designation, inner runs of blanks made one, cut to 11
//   22-29 variability type, cut to 8
//   33-37 maximum, 40-44 minimum, each "dd.dd" rounded half up to 2
//         decimals, five blanks when not given
//   46-54 period "dddd.dddd" rounded half up to 4 decimals; from 10000 days
//         on "nnnnK0000" with the nearest whole thousand; blanks when none
//   55-74 description cut to 20, or the constellation's full name
// All other positions are blanks.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "line_layout.h"

namespace velmo::importing {

// 75 characters and the line feed.
constexpr std::size_t kImportLineLength = velmo::line_layout::kLineWidth + 1;

// Why a star was not written. The order is the order of the checks and of
// the closing summary.
enum class SkipReason {
    kNoPosition,         // the position is empty
    kBadPosition,        // the position cannot be read or is out of range
    kNoName,             // the designation is empty
    kBadName,            // its first character is not printable ASCII
    kNoType,             // the type is empty
    kBadType,            // its first character is not printable ASCII
    kNegativeMagnitude,  // a magnitude below 0
    kHugeMagnitude,      // a magnitude of 100 or more (after rounding)
    kMalformed,          // a record that cannot be split into its fields
    kCount
};

// What was changed on a written star, beyond the line's own rounding; a set
// of these bits.
enum Change : unsigned {
    kNameCut = 1u << 0,              // designation longer than 11 characters
    kTypeCut = 1u << 1,              // type longer than 8
    kDescriptionCut = 1u << 2,       // description longer than 20
    kPeriodThousands = 1u << 3,      // period of 10000 days or more changed to whole thousands
    kPeriodNotHeld = 1u << 4,        // period the line cannot hold (9999500 days or more,
                                     // or below 0.00005), left blank
    kMagnitudeUnreadable = 1u << 5,  // a magnitude that cannot be read, left blank
    kPeriodUnreadable = 1u << 6,     // a period that cannot be read, left blank
    kAmplitudeAlone = 1u << 7,       // minimum as an amplitude without a maximum, left blank
};
constexpr int kChangeKinds = 8;

// The texts of one star as found in the input; untrimmed views into the
// reader's buffer, valid for one StarLineBuilder::Build call.
struct StarTexts {
    std::string_view name;
    std::string_view ra;        // right ascension and declination in two texts,
    std::string_view dec;       // or
    std::string_view position;  // both in one, when combinedPosition
    bool combinedPosition = false;
    bool raHours = false;  // the input says a plain decimal right ascension is in hours
    std::string_view type;
    std::string_view max;    // maximum and minimum in two texts,
    std::string_view min;    // or
    std::string_view range;  // "MAX - MIN" in one, when rangeColumn
    bool rangeColumn = false;
    std::string_view period;
    std::string_view description;  // empty: the constellation's name, if any
};

// What StarLineBuilder::Build did with one star.
struct StarOutcome {
    bool written = false;
    SkipReason skip = SkipReason::kCount;  // when not written
    unsigned changes = 0;                  // Change bits, when written
    std::string why;                       // when asked for: what was skipped or changed and why
};

// Reuses its scratch text between stars; one per import.
class StarLineBuilder {
  public:
    // hours: a plain decimal right ascension is in hours, not degrees.
    // reasons: fill StarOutcome::why (costs time; for --verbose).
    StarLineBuilder(bool hours, bool reasons) : raHours(hours), explain(reasons) {}

    // Writes the line for `texts` to `line` (kImportLineLength bytes, the
    // last a line feed) and returns true, or returns false, writing nothing
    // meaningful, when the star is skipped. `outcome` tells which.
    bool Build(const StarTexts& texts, char* line, StarOutcome* outcome);

  private:
    bool raHours;
    bool explain;
    std::string name;         // designation, blanks collapsed
    std::string type;         // type, blanks collapsed
    std::string description;  // description, blanks collapsed
};

// Copies `text` into `out` with control characters made blanks, leading
// and trailing blanks dropped and inner runs of blanks made one.
void CollapseBlanks(std::string_view text, std::string* out);

}  // namespace velmo::importing
