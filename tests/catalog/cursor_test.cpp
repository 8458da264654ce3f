// SPDX-License-Identifier: GPL-3.0-or-later
// The result cursor: walks in both directions, the end-of-walk flags, moves
// without a result list, and the accessors of the record under the cursor.
#include "catalog_fixture.h"

namespace {

class CursorTest : public CatalogTest {
  protected:
    // Loads `count` records at hours 1, 2, ...
    void LoadRecords(int count) {
        std::vector<std::string> lines;
        for (int i = 1; i <= count; ++i) {
            StarLine star;
            star.ra = (i < 10 ? "0" : "") + std::to_string(i) + "00";
            lines.push_back(star.Build());
        }
        ASSERT_EQ(LoadLines(lines), count);
    }
    void ExpectAt(std::int32_t position, bool atFirst, bool atLast) {
        ASSERT_NE(catalog.Cursor(), nullptr);
        EXPECT_EQ(catalog.Cursor()->position, position);
        EXPECT_EQ(catalog.CurrentRaHours(), position);
        EXPECT_EQ(catalog.IsAtFirst(), atFirst);
        EXPECT_EQ(catalog.IsAtLast(), atLast);
    }
    void ExpectNoRecord() {
        EXPECT_EQ(catalog.CurrentRaHours(), 0);
        EXPECT_EQ(catalog.CurrentRaMinutes(), 0);
        EXPECT_EQ(catalog.CurrentDec(), 0);
        EXPECT_STREQ(catalog.CurrentName(), "");
        EXPECT_STREQ(catalog.CurrentType(), "");
        EXPECT_STREQ(catalog.CurrentRange(), "");
        EXPECT_EQ(catalog.CurrentPeriod(), 0.0);
        EXPECT_STREQ(catalog.CurrentDescription(), "");
    }
};

TEST_F(CursorTest, WalksReadEveryNodeOnceInEitherOrder) {
    LoadRecords(4);
    EXPECT_EQ(Walk(true), (std::vector<std::int32_t>{1, 2, 3, 4}));
    ExpectAt(4, false, true);
    EXPECT_EQ(Walk(false), (std::vector<std::int32_t>{4, 3, 2, 1}));
    ExpectAt(1, true, false);
}

TEST_F(CursorTest, OneNodeIsReadOnceInEitherOrder) {
    LoadRecords(1);
    EXPECT_EQ(Walk(true), (std::vector<std::int32_t>{1}));
    ExpectAt(1, false, true);
    EXPECT_EQ(Walk(false), (std::vector<std::int32_t>{1}));
    ExpectAt(1, true, false);
}

TEST_F(CursorTest, StepsSetTheEndFlagOnlyWhenNoNodeIsLeft) {
    LoadRecords(3);
    catalog.MoveFirst();
    catalog.MoveNext();
    ExpectAt(2, false, false);
    catalog.MovePrev();
    ExpectAt(1, false, false);
    catalog.MovePrev();
    ExpectAt(1, true, false);
    catalog.MovePrev();
    ExpectAt(1, true, false);

    catalog.MoveNext();
    catalog.MoveNext();
    ExpectAt(3, false, false);  // arrived on the last node: not yet marked
    catalog.MoveNext();
    catalog.MoveNext();
    ExpectAt(3, false, true);
    EXPECT_STREQ(catalog.CurrentName(), "      R AND");

    catalog.MoveLast();
    catalog.MoveNext();
    ExpectAt(3, false, true);
    catalog.MoveFirst();
    catalog.MovePrev();
    ExpectAt(1, true, false);
}

TEST_F(CursorTest, EmptyResultReadsNothing) {
    LoadRecords(2);
    catalog.SetRaWest(20);
    catalog.SetRaEast(21);
    ASSERT_EQ(catalog.Search(true), 0);
    EXPECT_TRUE(Walk(true).empty());
    EXPECT_TRUE(Walk(false).empty());
    ExpectNoRecord();
    catalog.MoveNext();
    catalog.MovePrev();
    EXPECT_TRUE(catalog.IsAtFirst());
    EXPECT_TRUE(catalog.IsAtLast());
}

TEST_F(CursorTest, MovesWithoutAResultListEndEveryWalk) {
    EXPECT_FALSE(catalog.IsAtFirst());
    EXPECT_FALSE(catalog.IsAtLast());
    EXPECT_TRUE(Walk(true).empty());
    EXPECT_TRUE(Walk(false).empty());
    ExpectNoRecord();

    for (int which = 0; which < 4; ++which) {
        StarCatalog fresh;
        switch (which) {
            case 0:
                fresh.MoveFirst();
                break;
            case 1:
                fresh.MoveLast();
                break;
            case 2:
                fresh.MoveNext();
                break;
            default:
                fresh.MovePrev();
                break;
        }
        EXPECT_TRUE(fresh.IsAtFirst()) << which;
        EXPECT_TRUE(fresh.IsAtLast()) << which;
    }

    LoadRecords(2);
    ASSERT_EQ(catalog.Load(PathOf("missing").c_str()), -1);
    EXPECT_TRUE(Walk(true).empty());
    EXPECT_TRUE(Walk(false).empty());
}

TEST_F(CursorTest, AccessorsHandOutTheRecordsOwnFields) {
    StarLine south;
    south.dec = "-05";
    south.period = "";
    ASSERT_EQ(LoadLines({WorkedLine(), south.Build()}), 2);
    const StarRecord* first = catalog.FirstRecord();
    catalog.MoveFirst();
    EXPECT_EQ(catalog.CurrentName(), first->name);
    EXPECT_EQ(catalog.CurrentType(), first->type);
    EXPECT_EQ(catalog.CurrentRange(), first->range);
    EXPECT_EQ(catalog.CurrentDescription(), first->description);
    EXPECT_EQ(catalog.CurrentRaMinutes(), 24);
    EXPECT_EQ(catalog.CurrentDec(), 38);
    EXPECT_EQ(catalog.CurrentPeriod(), 409.33);
    catalog.MoveNext();
    EXPECT_EQ(catalog.CurrentDec(), -5);
    EXPECT_EQ(catalog.CurrentPeriod(), 0.0);

    StarCatalog empty;
    EXPECT_EQ(empty.CurrentName(), empty.CurrentDescription());  // one constant empty text
}

}  // namespace
