// SPDX-License-Identifier: GPL-3.0-or-later
// Construction, destruction, the release operations and the criteria
// getters of StarCatalog.
#include "star_catalog.h"

StarCatalog::StarCatalog() = default;

StarCatalog::~StarCatalog() { Discard(); }

void StarCatalog::Discard() {
    // The pointers, not the flags, say what is owned: they are the same
    // whenever an operation has completed, and the pointers stay right even
    // if an allocation failure cut an operation short. Nodes before records.
    ClearResults();
    nodeArena.ReleaseAll();
    ClearRecords();
}

void StarCatalog::ClearResults() {
    nodeArena.Reset();
    resultHead = nullptr;
    cursor = nullptr;
    resultTail = nullptr;
    hasResults = false;
}

void StarCatalog::ClearRecords() {
    ClearResults();
    recordArena.ReleaseAll();
    firstChunk = nullptr;
    firstRecord = nullptr;
    loaded = false;
}

std::int16_t StarCatalog::GetRaWest() const { return raWest; }
std::int16_t StarCatalog::GetRaEast() const { return raEast; }
std::int16_t StarCatalog::GetDecSouth() const { return decSouth; }
std::int16_t StarCatalog::GetDecNorth() const { return decNorth; }
double StarCatalog::GetPeriodLeast() const { return periodLeast; }
double StarCatalog::GetPeriodMost() const { return periodMost; }
float StarCatalog::GetMinMagLimit() const { return minMagLimit; }
float StarCatalog::GetMaxMagLimit() const { return maxMagLimit; }
