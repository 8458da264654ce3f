// SPDX-License-Identifier: GPL-3.0-or-later
#include "criteria.h"

#include "star_catalog.h"

namespace velmo {

bool SetCriteria(StarCatalog& catalog, const Criteria& criteria, bool specific) {
    catalog.SetRaWest(criteria.raWest);
    catalog.SetRaEast(criteria.raEast);
    if (criteria.decSouth <= catalog.GetDecNorth()) {
        catalog.SetDecSouth(criteria.decSouth);
        catalog.SetDecNorth(criteria.decNorth);
    } else {
        catalog.SetDecNorth(criteria.decNorth);
        catalog.SetDecSouth(criteria.decSouth);
    }
    catalog.SetMinMagLimit(criteria.minMag);
    catalog.SetMaxMagLimit(criteria.maxMag);
    if (criteria.periodLeast <= catalog.GetPeriodMost()) {
        catalog.SetPeriodLeast(criteria.periodLeast);
        catalog.SetPeriodMost(criteria.periodMost);
    } else {
        catalog.SetPeriodMost(criteria.periodMost);
        catalog.SetPeriodLeast(criteria.periodLeast);
    }
    const bool sky = catalog.GetRaWest() == criteria.raWest &&
                     catalog.GetRaEast() == criteria.raEast &&
                     catalog.GetDecSouth() == criteria.decSouth &&
                     catalog.GetDecNorth() == criteria.decNorth;
    const bool limits = catalog.GetMinMagLimit() == criteria.minMag &&
                        catalog.GetMaxMagLimit() == criteria.maxMag &&
                        catalog.GetPeriodLeast() == criteria.periodLeast &&
                        catalog.GetPeriodMost() == criteria.periodMost;
    return sky && (limits || !specific);
}

}  // namespace velmo
