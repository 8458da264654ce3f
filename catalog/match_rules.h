// SPDX-License-Identifier: GPL-3.0-or-later
// The two matching rules of a search, field by field, on the compared
// values alone, so that the record predicates and the scan of the packed
// search copy share them.
#pragma once

namespace velmo {

// The criteria as a search compares them: the float magnitude limits are
// widened exactly, without any tolerance.
struct MatchCriteria {
    int raWest;
    int raEast;
    int decSouth;
    int decNorth;
    double minMagLimit;
    double maxMagLimit;
    double periodLeast;
    double periodMost;
};

// The tests below combine their comparisons with bitwise operators: a scan
// over millions of records pays for every mispredicted branch.

// Right-ascension window in whole hours, both ends inclusive; a west hour
// above the east hour means a window running through hour 0.
inline bool InRaWindow(const MatchCriteria& c, int hours) {
    return c.raWest <= c.raEast ? ((hours >= c.raWest) & (hours <= c.raEast))
                                : ((hours >= c.raWest) | (hours <= c.raEast));
}
inline bool InDecBand(const MatchCriteria& c, int degrees) {
    return (degrees >= c.decSouth) & (degrees <= c.decNorth);
}

// Specific mode, field by field: minMagnitude >= minMagLimit, maxMagnitude
// <= maxMagLimit, periodLeast <= period <= periodMost, each non-zero.
inline bool SpecificMinOk(const MatchCriteria& c, double minMagnitude) {
    return (minMagnitude >= c.minMagLimit) & (minMagnitude != 0.0);
}
inline bool SpecificMaxOk(const MatchCriteria& c, double maxMagnitude) {
    return (maxMagnitude <= c.maxMagLimit) & (maxMagnitude != 0.0);
}
inline bool SpecificPeriodOk(const MatchCriteria& c, double period) {
    return (period >= c.periodLeast) & (period <= c.periodMost) & (period != 0.0);
}

inline bool MatchesSpecificValues(const MatchCriteria& c, int hours, int degrees,
                                  double maxMagnitude, double minMagnitude, double period) {
    return InRaWindow(c, hours) && InDecBand(c, degrees) && SpecificMinOk(c, minMagnitude) &&
           SpecificMaxOk(c, maxMagnitude) && SpecificPeriodOk(c, period);
}

// Unspecified mode: inside the sky area, with all three values exactly 0.
inline bool MatchesUnspecifiedValues(const MatchCriteria& c, int hours, int degrees,
                                     double maxMagnitude, double minMagnitude, double period) {
    return InRaWindow(c, hours) && InDecBand(c, degrees) && maxMagnitude == 0.0 &&
           minMagnitude == 0.0 && period == 0.0;
}

}  // namespace velmo
