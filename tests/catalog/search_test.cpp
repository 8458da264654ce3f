// SPDX-License-Identifier: GPL-3.0-or-later
// Search criteria (acceptance rules and bound order), both search modes and
// the result list a search builds.
#include <cmath>
#include <limits>

#include "catalog_fixture.h"

namespace {

class SearchTest : public CatalogTest {
  protected:
    // A line at `hhmm`, declination `dec` ("+38"), with the given magnitude
    // and period columns.
    static std::string Star(const std::string& hhmm, const std::string& dec,
                            const std::string& maxMag = " 6.50",
                            const std::string& minMag = " 8.00",
                            const std::string& period = "  10.0000") {
        StarLine star;
        star.ra = hhmm;
        star.dec = dec;
        star.maxMag = maxMag;
        star.minMag = minMag;
        star.period = period;
        return star.Build();
    }
    // Hours of the records in the result list.
    std::vector<int> ResultHours() {
        std::vector<int> hours;
        for (const ResultNode* n = catalog.ResultHead(); n != nullptr; n = n->next) {
            hours.push_back(n->record->raHours);
        }
        return hours;
    }
};

TEST_F(SearchTest, SettersIgnoreValuesOutsideTheirRules) {
    catalog.SetRaWest(24);
    catalog.SetRaWest(-1);
    catalog.SetRaEast(24);
    catalog.SetRaEast(-1);
    catalog.SetDecSouth(-91);
    catalog.SetDecNorth(91);
    catalog.SetPeriodMost(0.0);
    catalog.SetPeriodLeast(-0.001);
    catalog.SetPeriodLeast(10000.5);
    catalog.SetMinMagLimit(-0.5);
    catalog.SetMaxMagLimit(std::nan(""));
    catalog.SetPeriodMost(std::nan(""));
    ExpectInitialCriteria();
}

TEST_F(SearchTest, SettersAcceptValuesAtTheirBounds) {
    catalog.SetRaWest(23);
    catalog.SetRaEast(0);
    catalog.SetDecNorth(-90);
    catalog.SetDecSouth(-90);
    catalog.SetPeriodLeast(0.0);
    catalog.SetPeriodMost(0.0001);
    catalog.SetPeriodLeast(0.0001);
    catalog.SetMaxMagLimit(0.0);
    catalog.SetMinMagLimit(1e30);
    EXPECT_EQ(catalog.GetRaWest(), 23);
    EXPECT_EQ(catalog.GetRaEast(), 0);
    EXPECT_EQ(catalog.GetDecSouth(), -90);
    EXPECT_EQ(catalog.GetDecNorth(), -90);
    EXPECT_EQ(catalog.GetPeriodLeast(), 0.0001);
    EXPECT_EQ(catalog.GetPeriodMost(), 0.0001);
    EXPECT_EQ(catalog.GetMaxMagLimit(), 0.0f);
    EXPECT_EQ(catalog.GetMinMagLimit(), 1e30f);
    catalog.SetMaxMagLimit(7.3);
    EXPECT_EQ(catalog.GetMaxMagLimit(), 7.3f);  // the nearest float
}

TEST_F(SearchTest, LowerBoundIsCheckedAgainstTheCurrentUpperBound) {
    catalog.SetDecNorth(-30);
    catalog.SetDecSouth(0);  // refused: above the current north bound
    catalog.SetDecNorth(45);
    EXPECT_EQ(catalog.GetDecSouth(), -90);
    EXPECT_EQ(catalog.GetDecNorth(), 45);
    catalog.SetDecSouth(0);
    catalog.SetDecNorth(45);
    EXPECT_EQ(catalog.GetDecSouth(), 0);

    catalog.SetPeriodMost(100.0);
    catalog.SetPeriodLeast(200.0);  // refused
    catalog.SetPeriodMost(500.0);
    EXPECT_EQ(catalog.GetPeriodLeast(), 0.0);
    EXPECT_EQ(catalog.GetPeriodMost(), 500.0);
    catalog.SetPeriodLeast(200.0);
    catalog.SetPeriodMost(500.0);
    EXPECT_EQ(catalog.GetPeriodLeast(), 200.0);
    catalog.SetPeriodMost(199.0);  // refused: below the lower bound
    EXPECT_EQ(catalog.GetPeriodMost(), 500.0);
}

TEST_F(SearchTest, RightAscensionWindowWrapsThroughHourZero) {
    ASSERT_EQ(LoadLines({Star("2100", "+10"), Star("2200", "+10"), Star("2359", "+10"),
                         Star("0000", "+10"), Star("0130", "+10"), Star("0259", "+10"),
                         Star("0300", "+10")}),
              7);
    catalog.SetRaWest(22);
    catalog.SetRaEast(2);
    EXPECT_EQ(catalog.Search(true), 5);
    EXPECT_EQ(ResultHours(), (std::vector<int>{22, 23, 0, 1, 2}));

    catalog.SetRaWest(1);
    catalog.SetRaEast(1);
    EXPECT_EQ(catalog.Search(true), 1);
    EXPECT_EQ(ResultHours(), (std::vector<int>{1}));

    catalog.SetRaWest(0);
    catalog.SetRaEast(23);
    EXPECT_EQ(catalog.Search(true), 7);
}

TEST_F(SearchTest, DeclinationBandIncludesBothBounds) {
    ASSERT_EQ(LoadLines({Star("0100", "-21"), Star("0200", "-20"), Star("0300", "+00"),
                         Star("0400", "+35"), Star("0500", "+36")}),
              5);
    catalog.SetDecSouth(-20);
    catalog.SetDecNorth(35);
    EXPECT_EQ(catalog.Search(true), 3);
    EXPECT_EQ(ResultHours(), (std::vector<int>{2, 3, 4}));
}

TEST_F(SearchTest, SpecificModeComparesMagnitudesWithoutTolerance) {
    ASSERT_EQ(
        LoadLines({Star("0100", "+10", " 7.00", " 6.00"), Star("0200", "+10", " 7.00", " 5.90"),
                   Star("0300", "+10", " 7.10", " 6.00"), Star("0400", "+10", " 7.5 ", " 9.00")}),
        4);
    EXPECT_EQ(catalog.Search(true), 1);  // limits 7.0 and 6.0
    EXPECT_EQ(ResultHours(), (std::vector<int>{1}));
    // " 7.5 " decodes a little above 7.5, so the float 7.5 does not admit it.
    catalog.SetMaxMagLimit(7.5);
    EXPECT_EQ(catalog.Search(true), 2);
    EXPECT_EQ(ResultHours(), (std::vector<int>{1, 3}));
}

TEST_F(SearchTest, SpecificModeNeedsEveryValueAndThePeriodInRange) {
    ASSERT_EQ(LoadLines({Star("0100", "+10", " 6.50", " 8.00", "   1.0000"),
                         Star("0200", "+10", " 6.50", " 8.00", " 500.0000"),
                         Star("0300", "+10", " 6.50", " 8.00", " 500.0001"),
                         Star("0400", "+10", " 6.50", " 8.00", ""),
                         Star("0500", "+10", "", " 8.00", "  10.0000"),
                         Star("0600", "+10", " 6.50", "", "  10.0000")}),
              6);
    catalog.SetPeriodLeast(0.0);
    EXPECT_EQ(catalog.Search(true), 3);  // period 0 never matches, even with least 0
    catalog.SetPeriodLeast(1.0);
    catalog.SetPeriodMost(500.0);
    EXPECT_EQ(catalog.Search(true), 2);
    EXPECT_EQ(ResultHours(), (std::vector<int>{1, 2}));
}

TEST_F(SearchTest, UnspecifiedModeWantsAllThreeValuesAbsent) {
    ASSERT_EQ(LoadLines({Star("0100", "+10", "", "", ""), Star("0200", "+10", " 6.50", "", ""),
                         Star("0300", "+10", "", "", "  10.0000"), Star("0400", "+10"),
                         Star("0500", "-80", "", "", "")}),
              5);
    catalog.SetMaxMagLimit(0.0);
    catalog.SetMinMagLimit(99.0);
    catalog.SetPeriodMost(0.5);
    EXPECT_EQ(catalog.Search(false), 2);
    EXPECT_EQ(ResultHours(), (std::vector<int>{1, 5}));
    catalog.SetDecSouth(-45);
    EXPECT_EQ(catalog.Search(false), 1);
    // Partial values match in neither mode.
    catalog.SetMaxMagLimit(99.0);
    catalog.SetMinMagLimit(0.0);
    catalog.SetPeriodMost(100.0);
    EXPECT_EQ(catalog.Search(true), 1);
    EXPECT_EQ(ResultHours(), (std::vector<int>{4}));
}

TEST_F(SearchTest, SearchWithoutCatalogueChangesNothing) {
    EXPECT_EQ(catalog.Search(true), -1);
    EXPECT_FALSE(catalog.HasResults());
    EXPECT_FALSE(catalog.IsAtFirst());
    EXPECT_FALSE(catalog.IsAtLast());
    EXPECT_EQ(catalog.Load(PathOf("missing").c_str()), -1);
    catalog.MoveNext();
    EXPECT_EQ(catalog.Search(false), -1);
    EXPECT_TRUE(catalog.IsAtFirst());
    EXPECT_TRUE(catalog.IsAtLast());
}

TEST_F(SearchTest, SearchReplacesTheListAndResetsTheCursor) {
    ASSERT_EQ(
        LoadLines({Star("0100", "+10"), Star("0200", "+10", "", "", ""), Star("2300", "+10")}), 3);
    catalog.MoveLast();
    ASSERT_EQ(catalog.Search(true), 2);
    EXPECT_EQ(catalog.Cursor(), catalog.ResultHead());
    EXPECT_EQ(catalog.ResultTail()->record->raHours, 23);  // the last record is tested too
    EXPECT_EQ(catalog.ResultHead()->position, 1);
    EXPECT_EQ(catalog.ResultTail()->position, 2);
    EXPECT_TRUE(catalog.IsAtFirst());
    EXPECT_FALSE(catalog.IsAtLast());

    catalog.SetRaWest(5);
    catalog.SetRaEast(6);
    EXPECT_EQ(catalog.Search(true), 0);
    EXPECT_FALSE(catalog.HasResults());
    EXPECT_EQ(catalog.ResultHead(), nullptr);
    EXPECT_EQ(catalog.ResultTail(), nullptr);
    EXPECT_EQ(catalog.Cursor(), nullptr);
    EXPECT_TRUE(catalog.IsAtFirst());
    EXPECT_TRUE(catalog.IsAtLast());
}

// Every result meets the criteria and every record left out fails them, on
// a random catalogue under random criteria; the list keeps catalogue order.
TEST_F(SearchTest, ResultsAreExactlyTheMatchingRecordsInOrder) {
    std::uint32_t state = 987654321;
    std::vector<std::string> lines;
    for (int i = 0; i < 3000; ++i) {
        lines.push_back(RandomStarLine(state));
    }
    ASSERT_EQ(LoadLines(lines), 3000);
    const auto records = CopyRecords(catalog);

    for (int round = 0; round < 60; ++round) {
        const bool specific = round % 3 != 0;
        const int west = static_cast<int>(state % 24);
        const int east = static_cast<int>((state >> 5) % 24);
        const int south = static_cast<int>((state >> 10) % 90) - 60;
        const int north = south + static_cast<int>((state >> 17) % 100);
        const double least = (state >> 3) % 50;
        const double most = least + 1 + (state >> 8) % 2000;
        const float maxLimit = static_cast<float>((state >> 12) % 1800) / 100.0f;
        const float minLimit = static_cast<float>((state >> 19) % 1800) / 100.0f;
        state = state * 1103515245u + 12345u;

        catalog.SetRaWest(static_cast<std::int16_t>(west));
        catalog.SetRaEast(static_cast<std::int16_t>(east));
        catalog.SetDecSouth(-90);
        catalog.SetDecNorth(static_cast<std::int16_t>(std::min(north, 90)));
        catalog.SetDecSouth(static_cast<std::int16_t>(south));
        catalog.SetPeriodLeast(0.0);
        catalog.SetPeriodMost(most);
        catalog.SetPeriodLeast(least);
        catalog.SetMaxMagLimit(maxLimit);
        catalog.SetMinMagLimit(minLimit);

        std::vector<std::int32_t> expected;
        for (const RecordCopy& r : records) {
            const bool inRa = west <= east ? (r.raHours >= west && r.raHours <= east)
                                           : !(r.raHours > east && r.raHours < west);
            const bool inDec = r.decDegrees >= south && r.decDegrees <= std::min(north, 90);
            bool values = false;
            if (specific) {
                values = r.maxMagnitude > 0 && r.maxMagnitude <= maxLimit && r.minMagnitude > 0 &&
                         r.minMagnitude >= minLimit && r.period > 0 && r.period >= least &&
                         r.period <= most;
            } else {
                values = r.maxMagnitude == 0 && r.minMagnitude == 0 && r.period == 0;
            }
            if (inRa && inDec && values) {
                expected.push_back(r.seq);
            }
        }
        ASSERT_EQ(catalog.Search(specific), static_cast<std::int32_t>(expected.size()))
            << "round " << round;
        ASSERT_EQ(ResultSeqs(catalog), expected) << "round " << round;
        std::int32_t position = 0;
        const ResultNode* prev = nullptr;
        for (const ResultNode* n = catalog.ResultHead(); n != nullptr; n = n->next) {
            ASSERT_EQ(n->position, ++position);
            ASSERT_EQ(n->prev, prev);
            prev = n;
        }
        ASSERT_EQ(catalog.ResultTail(), prev);
    }
}

}  // namespace
