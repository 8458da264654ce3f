// SPDX-License-Identifier: GPL-3.0-or-later
// GCVS records: one star a line, fields separated by "|", blanks around a
// field not counting. Fields in order: 1 number (six digits), 2 designation
// with an optional trailing flag ("*"), 3 J2000 position, 4 type,
// 5 magnitude at maximum, 6 at minimum or "(amplitude)", 7-10 ignored,
// 11 period in days, the rest ignored. Lines whose first field is not six
// digits (headers, comments, blank lines) are not stars.
#pragma once

#include <cstddef>
#include <string_view>

#include "star_line.h"

namespace velmo::importing {

// Fields a star line must have, up to the period.
constexpr std::size_t kGcvsFields = 11;

// True when the line has a "|" and its first field is six digits.
bool IsGcvsStarLine(std::string_view line);

// True when any complete line of `head` (the start of an input) is a GCVS
// star line; with `whole` (head is the entire input) its last line counts
// even without a line feed.
bool LooksLikeGcvs(std::string_view head, bool whole);

// Fills `texts` from a GCVS star line and returns true; false when the line
// has fewer than kGcvsFields fields (*fieldCount tells how many).
bool SplitGcvsLine(std::string_view line, StarTexts* texts, std::size_t* fieldCount);

// The designation field without its blanks and trailing flag: a last
// character that is neither a letter nor a digit and stands after a blank
// ("R     And *" gives "R     And").
std::string_view GcvsDesignation(std::string_view field);

}  // namespace velmo::importing
