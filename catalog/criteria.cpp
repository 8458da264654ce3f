// SPDX-License-Identifier: GPL-3.0-or-later
#include "criteria.h"

#include "star_catalog.h"

namespace velmo {
namespace {

// Sets a pair of bounds whose setters each refuse to pass the other bound:
// a pair wholly above the current one upper bound first, any other lower
// bound first.
template <typename Value>
void SetPair(StarCatalog& catalog, void (StarCatalog::*setLow)(Value),
             void (StarCatalog::*setHigh)(Value), Value low, Value high, Value currentHigh) {
    if (low <= currentHigh) {
        (catalog.*setLow)(low);
        (catalog.*setHigh)(high);
    } else {
        (catalog.*setHigh)(high);
        (catalog.*setLow)(low);
    }
}

}  // namespace

bool SetCriteria(StarCatalog& catalog, const Criteria& criteria, bool specific) {
    catalog.SetRaWest(criteria.raWest);
    catalog.SetRaEast(criteria.raEast);
    SetPair(catalog, &StarCatalog::SetDecSouth, &StarCatalog::SetDecNorth, criteria.decSouth,
            criteria.decNorth, catalog.GetDecNorth());
    catalog.SetMinMagLimit(criteria.minMag);
    catalog.SetMaxMagLimit(criteria.maxMag);
    SetPair(catalog, &StarCatalog::SetPeriodLeast, &StarCatalog::SetPeriodMost,
            criteria.periodLeast, criteria.periodMost, catalog.GetPeriodMost());
    const bool sky =
        catalog.GetRaWest() == criteria.raWest && catalog.GetRaEast() == criteria.raEast &&
        catalog.GetDecSouth() == criteria.decSouth && catalog.GetDecNorth() == criteria.decNorth;
    const bool limits = catalog.GetMinMagLimit() == criteria.minMag &&
                        catalog.GetMaxMagLimit() == criteria.maxMag &&
                        catalog.GetPeriodLeast() == criteria.periodLeast &&
                        catalog.GetPeriodMost() == criteria.periodMost;
    return sky && (limits || !specific);
}

}  // namespace velmo
