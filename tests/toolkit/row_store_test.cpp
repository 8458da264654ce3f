// The list view's packed row storage.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/row_store.h"

namespace {

using tk::RowStore;

TEST(RowStoreTest, CellsReadBackAsSetAndUnsetCellsAreEmpty) {
    RowStore store;
    store.InsertRow(0, "a");
    store.InsertRow(1, "c");
    store.InsertRow(1, "b"); // between the two
    store.SetCell(1, 3, "three");
    EXPECT_EQ(store.RowCount(), 3);
    EXPECT_EQ(store.Cell(0, 0), "a");
    EXPECT_EQ(store.Cell(1, 0), "b");
    EXPECT_EQ(store.Cell(2, 0), "c");
    EXPECT_EQ(store.Cell(1, 3), "three");
    EXPECT_EQ(store.Cell(1, 2), "");
    EXPECT_EQ(store.Cell(0, 6), "");
}

TEST(RowStoreTest, AnyBytesAndLongCellsAreKept) {
    RowStore store;
    const std::string withZero("a\0b\xff", 4);
    const std::string medium(300, 'm');          // a two-byte length
    const std::string huge(600 * 1024, 'h');     // larger than a chunk
    store.InsertRow(0, withZero);
    store.SetCell(0, 1, medium);
    store.InsertRow(1, huge);
    store.SetCell(1, 2, "after");
    store.InsertRow(2, "next");
    EXPECT_EQ(store.Cell(0, 0), withZero);
    EXPECT_EQ(store.Cell(0, 1), medium);
    EXPECT_EQ(store.Cell(1, 0), huge);
    EXPECT_EQ(store.Cell(1, 2), "after");
    EXPECT_EQ(store.Cell(2, 0), "next");
}

TEST(RowStoreTest, RewritingEarlierRowsKeepsEveryRowAndReclaimsSpace) {
    RowStore store;
    constexpr int kRows = 20000;
    std::vector<std::string> expected(kRows);
    for (int i = 0; i < kRows; ++i) {
        expected[i] = "row " + std::to_string(i);
        store.InsertRow(i, expected[i]);
    }
    // Each pass grows every row, so each record moves to the end of the
    // arena and leaves its old place dead; compaction must keep up.
    for (int pass = 0; pass < 20; ++pass) {
        for (int i = 0; i < kRows; ++i) {
            expected[i] += "+" + std::to_string(pass);
            store.SetCell(i, 0, expected[i]);
        }
    }
    std::size_t live = 0;
    for (int i = 0; i < kRows; ++i) {
        ASSERT_EQ(store.Cell(i, 0), expected[i]) << i;
        live += expected[i].size() + 3;
    }
    EXPECT_LT(store.BytesHeld(), 3 * live + 2 * 256 * 1024)
        << "dead records are reclaimed";
}

TEST(RowStoreTest, InsertingAColumnShiftsLaterCells) {
    RowStore store;
    store.InsertRow(0, "zero");
    store.SetCell(0, 1, "one");
    store.InsertRow(1, "only");
    store.InsertEmptyCell(1);
    EXPECT_EQ(store.Cell(0, 0), "zero");
    EXPECT_EQ(store.Cell(0, 1), "");
    EXPECT_EQ(store.Cell(0, 2), "one");
    EXPECT_EQ(store.Cell(1, 0), "only");
    EXPECT_EQ(store.Cell(1, 1), "");
    store.Clear();
    EXPECT_EQ(store.RowCount(), 0);
    EXPECT_LT(store.BytesHeld(), 64u) << "the memory is given back";
}

} // namespace
