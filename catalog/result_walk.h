// SPDX-License-Identifier: GPL-3.0-or-later
// The walk over the result list with the catalogue's cursor, from the first
// match to the last or back, as the window lists the results and velmo-cli
// writes them.
#pragma once

#include "star_catalog.h"

namespace velmo {

// Moves the cursor to the first result (the last when `backwards`) and hands
// each result's record to `visit` in turn, the cursor on it. Afterwards the
// cursor reports the far end (IsAtLast, or IsAtFirst when `backwards`).
// Only after a search or ListAll that returned a count (not -1): the cursor
// of a catalogue with nothing loaded reports neither end.
template <typename Visit>
void WalkResults(StarCatalog& catalog, bool backwards, Visit visit) {
    if (backwards) {
        catalog.MoveLast();
    } else {
        catalog.MoveFirst();
    }
    while (backwards ? !catalog.IsAtFirst() : !catalog.IsAtLast()) {
        visit(static_cast<const StarRecord&>(*catalog.Cursor()->record));
        if (backwards) {
            catalog.MovePrev();
        } else {
            catalog.MoveNext();
        }
    }
}

}  // namespace velmo
