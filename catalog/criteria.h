// SPDX-License-Identifier: GPL-3.0-or-later
// The eight search criteria as one value: the values the window opens with,
// the ranges its boxes and velmo-cli's options accept, the rules a whole set
// keeps before a search runs, and the one way to set them on a catalogue.
// The field-by-field matching rules are in match_rules.h.
#pragma once

#include <cstdint>

class StarCatalog;

namespace velmo {

// A closed range of whole numbers, in the criterion's unit. Every criterion's
// range has whole ends, which the messages write as integers.
struct CriterionRange {
    int low;
    int high;
};

inline constexpr CriterionRange kRaHoursRange{0, 23};
inline constexpr CriterionRange kDecDegreesRange{-90, 90};
inline constexpr CriterionRange kMagnitudeRange{0, 99};
inline constexpr CriterionRange kPeriodDaysRange{0, 100000};

// The defaults are the window's initial values.
struct Criteria {
    std::int16_t raWest = 0;      // hours, kRaHoursRange
    std::int16_t raEast = 23;     // hours, kRaHoursRange
    std::int16_t decSouth = -90;  // degrees, kDecDegreesRange, at most decNorth
    std::int16_t decNorth = 90;   // degrees, kDecDegreesRange
    float maxMag = 7.0f;          // "Max >": a star's maximum at most this, kMagnitudeRange
    float minMag = 6.0f;          // "Min <": a star's minimum at least this, kMagnitudeRange
    double periodLeast = 0.0;     // days, kPeriodDaysRange, at most periodMost
    double periodMost = 1000.0;   // days, kPeriodDaysRange, above 0
};

inline constexpr Criteria kDefaultCriteria{};

enum class CriteriaFault {
    kNone,
    kSouthAboveNorth,   // the declination band is inverted
    kLeastAboveMost,    // the period range is inverted
    kMostNotAboveZero,  // a longest period of 0, which the catalogue cannot hold
};

// The first rule that `criteria` break: the declination band first, then,
// only in the specific mode (the period plays no part otherwise), the period
// pair and then its upper end. The ranges are not checked here.
inline CriteriaFault FirstCriteriaFault(const Criteria& criteria, bool specific) {
    if (criteria.decSouth > criteria.decNorth) return CriteriaFault::kSouthAboveNorth;
    if (!specific) return CriteriaFault::kNone;
    if (criteria.periodLeast > criteria.periodMost) return CriteriaFault::kLeastAboveMost;
    if (!(criteria.periodMost > 0.0)) return CriteriaFault::kMostNotAboveZero;
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

// Sets `criteria` on `catalog`, whatever criteria it held before. Each
// setter compares with the bound current at the time of the call, so a pair
// that lies wholly above the current one is set upper bound first and any
// other pair lower bound first; either way a valid pair is taken whole.
// Returns true when the catalogue then holds every criterion that plays a
// part: all eight when `specific`, else the RA window and the declination
// band (the magnitudes and the period play none, and may be inverted).
// False only for criteria outside their ranges or breaking a rule above.
bool SetCriteria(StarCatalog& catalog, const Criteria& criteria, bool specific);

}  // namespace velmo
