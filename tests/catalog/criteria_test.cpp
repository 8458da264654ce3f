// SPDX-License-Identifier: GPL-3.0-or-later
// SetCriteria: any valid set is taken whole whatever the catalogue held
// before, and what the catalogue could not take is reported.
#include "criteria.h"

#include <gtest/gtest.h>

#include "star_catalog.h"

namespace {

using velmo::Criteria;

void ExpectHeld(const StarCatalog& catalog, const Criteria& c) {
    EXPECT_EQ(catalog.GetRaWest(), c.raWest);
    EXPECT_EQ(catalog.GetRaEast(), c.raEast);
    EXPECT_EQ(catalog.GetDecSouth(), c.decSouth);
    EXPECT_EQ(catalog.GetDecNorth(), c.decNorth);
    EXPECT_EQ(catalog.GetMaxMagLimit(), c.maxMag);
    EXPECT_EQ(catalog.GetMinMagLimit(), c.minMag);
    EXPECT_EQ(catalog.GetPeriodLeast(), c.periodLeast);
    EXPECT_EQ(catalog.GetPeriodMost(), c.periodMost);
}

TEST(SetCriteria, TakesEveryValidSetWholeFromAnyEarlierOne) {
    // Bands and period ranges below, above, inside and around one another,
    // so that each pair must be set in the right order at least once.
    const Criteria sets[] = {
        velmo::kDefaultCriteria,
        {22, 2, -90, -80, 9.5f, 6.25f, 0.0, 0.5},
        {5, 7, 80, 90, 0.0f, 99.0f, 90000.0, 100000.0},
        {0, 0, -5, 5, 3.0f, 3.0f, 20000.0, 20000.0},
        {23, 23, -90, 90, 99.0f, 0.0f, 0.0, 100000.0},
    };
    for (const Criteria& before : sets) {
        for (const Criteria& after : sets) {
            StarCatalog catalog;
            ASSERT_TRUE(velmo::SetCriteria(catalog, before, true));
            EXPECT_TRUE(velmo::SetCriteria(catalog, after, true));
            ExpectHeld(catalog, after);
        }
    }
}

TEST(SetCriteria, ReportsWhatTheCatalogueKeptOnlyWhereItPlaysAPart) {
    Criteria inverted = velmo::kDefaultCriteria;
    inverted.periodLeast = 500.0;
    inverted.periodMost = 100.0;
    StarCatalog catalog;
    EXPECT_FALSE(velmo::SetCriteria(catalog, inverted, true));
    EXPECT_TRUE(velmo::SetCriteria(catalog, inverted, false)) << "the period plays no part";

    Criteria noLongest = velmo::kDefaultCriteria;
    noLongest.periodMost = 0.0;
    EXPECT_FALSE(velmo::SetCriteria(catalog, noLongest, true));

    Criteria pastMidnight = velmo::kDefaultCriteria;
    pastMidnight.raEast = 24;
    EXPECT_FALSE(velmo::SetCriteria(catalog, pastMidnight, false));
    Criteria southOfPole = velmo::kDefaultCriteria;
    southOfPole.decSouth = -91;
    EXPECT_FALSE(velmo::SetCriteria(catalog, southOfPole, false));
}

}  // namespace
