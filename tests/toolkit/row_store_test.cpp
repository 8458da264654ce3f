// SPDX-License-Identifier: GPL-3.0-or-later
// The list view's packed row storage.
#include "toolkit/row_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using tk::RowStore;

TEST(RowStoreTest, CellsReadBackAsSetAndUnsetCellsAreEmpty) {
    RowStore store;
    store.InsertRow(0, "a");
    store.InsertRow(1, "c");
    store.InsertRow(1, "b");  // between the two
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
    const std::string medium(300, 'm');       // a two-byte length
    const std::string huge(600 * 1024, 'h');  // larger than a chunk
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
        std::string& row = expected[static_cast<std::size_t>(i)];
        row = "row " + std::to_string(i);
        store.InsertRow(i, row);
    }
    // Each pass grows every row, so each record moves to the end of the
    // arena and leaves its old place dead; compaction must keep up.
    for (int pass = 0; pass < 20; ++pass) {
        for (int i = 0; i < kRows; ++i) {
            std::string& row = expected[static_cast<std::size_t>(i)];
            row += "+" + std::to_string(pass);
            store.SetCell(i, 0, row);
        }
    }
    std::size_t live = 0;
    for (int i = 0; i < kRows; ++i) {
        const std::string& row = expected[static_cast<std::size_t>(i)];
        ASSERT_EQ(store.Cell(i, 0), row) << i;
        live += row.size() + 3;
    }
    EXPECT_LT(store.BytesHeld(), 3 * live + 2 * 256 * 1024) << "dead records are reclaimed";
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

// The text the tests put in a cell.
std::string CellText(int row, int column) {
    return "r" + std::to_string(row) + "c" + std::to_string(column);
}

TEST(RowStoreTest, RowsOf128CellsOrMoreKeepEveryCellAndTheRowsAroundThem) {
    RowStore store;
    // Built the usual way: appended, then the cells set in turn, past the
    // 127 cells that a one-byte cell count holds.
    constexpr int kCells = 200;
    for (int row = 0; row < 3; ++row) {
        store.InsertRow(row, CellText(row, 0));
        for (int column = 1; column < kCells; ++column) {
            store.SetCell(row, column, CellText(row, column));
        }
    }
    // A far cell first, then the ones before it; and an earlier row changed.
    store.InsertRow(3, CellText(3, 0));
    store.SetCell(3, 140, CellText(3, 140));
    for (int column = 1; column < 140; ++column) store.SetCell(3, column, CellText(3, column));
    store.SetCell(1, 130, "changed");

    for (int row = 0; row < 4; ++row) {
        const int cells = row < 3 ? kCells : 141;
        for (int column = 0; column < cells; ++column) {
            const std::string expected =
                row == 1 && column == 130 ? "changed" : CellText(row, column);
            ASSERT_EQ(store.Cell(row, column), expected) << row << "," << column;
        }
        EXPECT_EQ(store.Cell(row, cells), "") << row;
    }
}

TEST(RowStoreTest, InsertingAColumnLeavesShortRowsAndTheRowsAfterThemIntact) {
    RowStore store;
    store.InsertRow(0, "short");  // one cell: none at the inserted column
    store.InsertRow(1, "a");
    store.SetCell(1, 1, "b");
    store.SetCell(1, 2, "c");
    store.SetCell(1, 3, "d");
    store.InsertRow(2, "two");  // two cells: the column is just past its end
    store.SetCell(2, 1, "cells");
    store.InsertRow(3, "x");
    store.SetCell(3, 2, "z");
    store.InsertEmptyCell(2);
    store.SetCell(0, 4, "later");  // the rewritten rows take changes as before

    const std::vector<std::vector<std::string>> expected = {
        {"short", "", "", "", "later", ""},
        {"a", "b", "", "c", "d", ""},
        {"two", "cells", "", "", "", ""},
        {"x", "", "", "z", "", ""},
    };
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 6; ++column) {
            EXPECT_EQ(store.Cell(row, column),
                      expected[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)])
                << row << "," << column;
        }
    }
}

// Past 262,144 rows the row index outgrows 2 MiB and moves from the heap to
// its own mapping; rows inserted in front and in the middle then reallocate
// and shift it there, and Clear gives it back so that the store refills.
TEST(RowStoreTest, ARowIndexOfSeveralMegabytesKeepsItsRowsAcrossInsertsAndClear) {
    RowStore store;
    constexpr int kRows = 400000;
    for (int i = 0; i < kRows; ++i) store.InsertRow(i, std::to_string(i));
    store.InsertRow(0, "first");
    store.InsertRow(kRows / 2, "middle");
    store.SetCell(kRows + 1, 1, "last");
    ASSERT_EQ(store.RowCount(), kRows + 2);
    EXPECT_EQ(store.Cell(0, 0), "first");
    EXPECT_EQ(store.Cell(1, 0), "0");
    EXPECT_EQ(store.Cell(kRows / 2 - 1, 0), std::to_string(kRows / 2 - 2));
    EXPECT_EQ(store.Cell(kRows / 2, 0), "middle");
    EXPECT_EQ(store.Cell(kRows / 2 + 1, 0), std::to_string(kRows / 2 - 1));
    EXPECT_EQ(store.Cell(kRows + 1, 0), std::to_string(kRows - 1));
    EXPECT_EQ(store.Cell(kRows + 1, 1), "last");
    EXPECT_GE(store.BytesHeld(), static_cast<std::size_t>(kRows) * 8);

    store.Clear();
    EXPECT_LT(store.BytesHeld(), 64u);
    for (int i = 0; i < kRows; ++i) store.InsertRow(i, "again");
    EXPECT_EQ(store.Cell(kRows - 1, 0), "again");
}

}  // namespace
