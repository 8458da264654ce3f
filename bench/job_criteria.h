// The criteria of the benchmarked one-shot job (RA 22 h to 2 h, Dec -30 to
// +60, "Max >" 9.0, "Min <" 6.0, period 1 to 500 days), pushed in the
// window's order.
#pragma once

#include "star_catalog.h"

namespace velmo_bench {

inline void SetJobCriteria(StarCatalog& catalog) {
    catalog.SetRaWest(22);
    catalog.SetRaEast(2);
    catalog.SetDecSouth(-30);
    catalog.SetDecNorth(60);
    catalog.SetMinMagLimit(6.0);
    catalog.SetMaxMagLimit(9.0);
    catalog.SetPeriodLeast(1.0);
    catalog.SetPeriodMost(500.0);
}

}  // namespace velmo_bench
