// SPDX-License-Identifier: GPL-3.0-or-later
// The rules a whole set of criteria keeps before a search runs, beside the
// field-by-field matching rules (match_rules.h). The window and velmo-cli
// both ask here, so that they refuse the same criteria in the same order.
#pragma once

namespace velmo {

enum class CriteriaFault {
    kNone,
    kSouthAboveNorth,   // the declination band is inverted
    kLeastAboveMost,    // the period range is inverted
    kMostNotAboveZero,  // a longest period of 0, which the catalogue cannot hold
};

// The first rule that the criteria break: the declination band first, then,
// only in the specific mode (the period plays no part otherwise), the period
// pair and then its upper end. Degrees and days.
inline CriteriaFault FirstCriteriaFault(int decSouth, int decNorth, bool specific,
                                        double periodLeast, double periodMost) {
    if (decSouth > decNorth) return CriteriaFault::kSouthAboveNorth;
    if (!specific) return CriteriaFault::kNone;
    if (periodLeast > periodMost) return CriteriaFault::kLeastAboveMost;
    if (!(periodMost > 0.0)) return CriteriaFault::kMostNotAboveZero;
    return CriteriaFault::kNone;
}

// What the window says for each fault; empty for kNone.
inline const char* CriteriaFaultText(CriteriaFault fault) {
    switch (fault) {
        case CriteriaFault::kSouthAboveNorth:
            return "South must not be greater than North.";
        case CriteriaFault::kLeastAboveMost:
            return "Least must not be greater than Most.";
        case CriteriaFault::kMostNotAboveZero:
            return "Most must be greater than 0.";
        case CriteriaFault::kNone:
            break;
    }
    return "";
}

}  // namespace velmo
