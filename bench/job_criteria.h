// SPDX-License-Identifier: GPL-3.0-or-later
// The criteria of the benchmarked one-shot job (RA 22 h to 2 h, Dec -30 to
// +60, "Max >" 9.0, "Min <" 6.0, period 1 to 500 days), set as the window
// sets them.
#pragma once

#include "criteria.h"
#include "star_catalog.h"

namespace velmo_bench {

inline constexpr velmo::Criteria kJobCriteria{22, 2, -30, 60, 9.0f, 6.0f, 1.0, 500.0};

inline void SetJobCriteria(StarCatalog& catalog) {
    velmo::SetCriteria(catalog, kJobCriteria, true);
}

}  // namespace velmo_bench
