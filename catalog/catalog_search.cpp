// Search criteria (setters and their acceptance rules), the two matching
// predicates and StarCatalog::Search.
#include "result_list.h"
#include "star_catalog.h"

void StarCatalog::SetRaWest(std::int16_t hours) {
    if (hours >= 0 && hours <= 23) {
        raWest = hours;
    }
}

void StarCatalog::SetRaEast(std::int16_t hours) {
    if (hours >= 0 && hours <= 23) {
        raEast = hours;
    }
}

void StarCatalog::SetDecSouth(std::int16_t degrees) {
    if (degrees >= -90 && degrees <= 90 && degrees <= decNorth) {
        decSouth = degrees;
    }
}

void StarCatalog::SetDecNorth(std::int16_t degrees) {
    if (degrees >= -90 && degrees <= 90 && degrees >= decSouth) {
        decNorth = degrees;
    }
}

// The comparisons below are false for NaN, so a NaN is refused too.
void StarCatalog::SetPeriodLeast(double days) {
    if (days >= 0.0 && days <= periodMost) {
        periodLeast = days;
    }
}

void StarCatalog::SetPeriodMost(double days) {
    if (days > 0.0 && days >= periodLeast) {
        periodMost = days;
    }
}

void StarCatalog::SetMinMagLimit(double magnitude) {
    if (magnitude >= 0.0) {
        minMagLimit = static_cast<float>(magnitude);
    }
}

void StarCatalog::SetMaxMagLimit(double magnitude) {
    if (magnitude >= 0.0) {
        maxMagLimit = static_cast<float>(magnitude);
    }
}

namespace {

// Right-ascension window in whole hours, both ends inclusive; a west hour
// above the east hour means a window running through hour 0.
inline bool InRaWindow(std::int16_t hours, std::int16_t west, std::int16_t east) {
    return west <= east ? (hours >= west && hours <= east) : (hours >= west || hours <= east);
}

}  // namespace

bool StarCatalog::MatchesSpecific(const StarRecord& record) const {
    // The limits are floats, widened exactly; no tolerance.
    return InRaWindow(record.raHours, raWest, raEast) && record.decDegrees >= decSouth &&
           record.decDegrees <= decNorth && record.minMagnitude >= double{minMagLimit} &&
           record.minMagnitude != 0.0 && record.maxMagnitude <= double{maxMagLimit} &&
           record.maxMagnitude != 0.0 && record.period >= periodLeast &&
           record.period <= periodMost && record.period != 0.0;
}

bool StarCatalog::MatchesUnspecified(const StarRecord& record) const {
    return InRaWindow(record.raHours, raWest, raEast) && record.decDegrees >= decSouth &&
           record.decDegrees <= decNorth && record.maxMagnitude == 0.0 &&
           record.minMagnitude == 0.0 && record.period == 0.0;
}

std::int32_t StarCatalog::Search(bool specific) {
    if (!loaded) {
        return -1;
    }
    if (hasResults) {
        ClearResults();
        hasResults = false;
    }
    velmo::ResultListBuilder nodes(spareNodes);
    for (StarRecord* record = firstRecord; record != nullptr; record = record->next) {
        if (specific ? MatchesSpecific(*record) : MatchesUnspecified(*record)) {
            nodes.Append(record);
        }
    }
    const std::int32_t count = nodes.Count();
    nodes.Release(resultHead, resultTail);
    cursor = resultHead;
    hasResults = count > 0;
    atFirst = true;
    atLast = !hasResults;
    return count;
}
