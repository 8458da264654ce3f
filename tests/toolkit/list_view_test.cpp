// SPDX-License-Identifier: GPL-3.0-or-later
// The report-mode list view: columns, rows and cells through the window's
// handle, what the Qt view sees of them, and a million rows.
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTreeView>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "tests/toolkit/dialog_harness.h"
#include "tests/toolkit/test_resources.h"
#include "toolkit/controls.h"
#include "toolkit/row_table_model.h"

namespace {

using tk::ListView;

// The process's resident memory in bytes (Linux), or 0 when unknown.
std::size_t ResidentBytes() {
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (statm == nullptr) return 0;
    unsigned long total = 0;
    unsigned long resident = 0;
    const int read = std::fscanf(statm, "%lu %lu", &total, &resident);
    std::fclose(statm);
    return read == 2 ? resident * 4096 : 0;
}

class ListViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        view_.reset(tk::CreateReportView(nullptr, true));
        list_.Attach(view_.get());
        model_ = tk::ReportModelOf(view_.get());
        ASSERT_NE(model_, nullptr);
        tester_ = std::make_unique<QAbstractItemModelTester>(
            model_, QAbstractItemModelTester::FailureReportingMode::Fatal);
    }
    void AddColumns() {
        ASSERT_EQ(list_.InsertColumn(0, "R.A.", ListView::Align::Right, 40), 0);
        ASSERT_EQ(list_.InsertColumn(1, "Name", ListView::Align::Right, 75), 1);
        ASSERT_EQ(list_.InsertColumn(2, "Type", ListView::Align::Left, 70), 2);
    }
    QString Shown(int row, int column) const {
        return model_->index(row, column).data(Qt::DisplayRole).toString();
    }

    std::unique_ptr<QTreeView> view_;
    ListView list_;
    tk::RowTableModel* model_ = nullptr;
    std::unique_ptr<QAbstractItemModelTester> tester_;
};

TEST_F(ListViewTest, ColumnsHaveTheirHeadingsAlignmentsAndPixelWidths) {
    AddColumns();
    EXPECT_EQ(list_.InsertColumn(99, "Last", ListView::Align::Left, 120), 3);
    EXPECT_EQ(list_.GetColumnCount(), 4);
    EXPECT_EQ(list_.GetColumnHeading(1), "Name");
    EXPECT_EQ(list_.GetColumnHeading(7), "");
    const QHeaderView* header = view_->header();
    EXPECT_EQ(header->sectionSize(0), 40);
    EXPECT_EQ(header->sectionSize(1), 75);
    EXPECT_EQ(header->sectionSize(3), 120);
    EXPECT_EQ(model_->headerData(2, Qt::Horizontal).toString(), "Type");
    const auto alignment = [&](int column) {
        return Qt::Alignment(
            model_->headerData(column, Qt::Horizontal, Qt::TextAlignmentRole).toInt());
    };
    EXPECT_TRUE(alignment(0) & Qt::AlignRight);
    EXPECT_TRUE(alignment(2) & Qt::AlignLeft);

    // A column inserted before others moves their cells to the right.
    list_.InsertItem(0, "05:07");
    list_.SetItemText(0, 1, "T Psc");
    EXPECT_EQ(list_.InsertColumn(0, "First", ListView::Align::Left, 10), 0);
    EXPECT_EQ(list_.GetItemText(0, 0), "");
    EXPECT_EQ(list_.GetItemText(0, 1), "05:07");
    EXPECT_EQ(list_.GetItemText(0, 2), "T Psc");
}

TEST_F(ListViewTest, RowsAreInsertedAndTheirCellsSet) {
    AddColumns();
    EXPECT_EQ(list_.InsertItem(0, "a"), 0);
    EXPECT_EQ(list_.InsertItem(57, "c"), 1) << "an index past the end appends";
    EXPECT_EQ(list_.InsertItem(1, "b"), 1);
    EXPECT_EQ(list_.InsertItem(-3, "first"), 0);
    EXPECT_EQ(list_.GetItemCount(), 4);
    EXPECT_TRUE(list_.SetItemText(2, 2, "EA"));
    EXPECT_TRUE(list_.SetItemText(2, 1, "T Psc"));
    EXPECT_TRUE(list_.SetItemText(2, 2, "M"));  // shorter than before
    EXPECT_FALSE(list_.SetItemText(4, 0, "no such row"));
    EXPECT_FALSE(list_.SetItemText(0, 3, "no such column"));
    EXPECT_FALSE(list_.SetItemText(-1, 0, "no such row"));
    EXPECT_EQ(list_.GetItemText(0, 0), "first");
    EXPECT_EQ(list_.GetItemText(2, 0), "b");
    EXPECT_EQ(list_.GetItemText(2, 1), "T Psc");
    EXPECT_EQ(list_.GetItemText(2, 2), "M");
    EXPECT_EQ(list_.GetItemText(3, 1), "") << "cells never set are empty";
    EXPECT_EQ(list_.GetItemText(9, 9), "");

    QApplication::processEvents();
    ASSERT_EQ(model_->rowCount(), 4);
    EXPECT_EQ(Shown(2, 1), "T Psc");
    EXPECT_EQ(Shown(3, 0), "c");
    EXPECT_TRUE(Qt::Alignment(model_->index(0, 0).data(Qt::TextAlignmentRole).toInt()) &
                Qt::AlignRight);

    list_.DeleteAllItems();
    EXPECT_EQ(list_.GetItemCount(), 0);
    EXPECT_EQ(model_->rowCount(), 0);
    EXPECT_EQ(list_.GetColumnCount(), 3) << "deleting rows keeps the columns";
}

TEST_F(ListViewTest, TextIsShownAsUtf8OrElseLatin1AndKeptAsBytes) {
    AddColumns();
    list_.InsertItem(0, "caf\xc3\xa9");
    list_.InsertItem(1, "\xe9t\xe9");  // not UTF-8: Latin-1
    QApplication::processEvents();
    EXPECT_EQ(Shown(0, 0), QString::fromUtf8("caf\xc3\xa9"));
    EXPECT_EQ(Shown(1, 0), QString::fromUtf8("\xc3\xa9t\xc3\xa9"));
    EXPECT_EQ(list_.GetItemText(1, 0), "\xe9t\xe9");
}

TEST_F(ListViewTest, AppendedRowsReachTheViewInOneBatch) {
    AddColumns();
    QSignalSpy inserted(model_, &QAbstractItemModel::rowsInserted);
    for (int i = 0; i < 1000; ++i) {
        const int row = list_.InsertItem(i, std::to_string(i).c_str());
        list_.SetItemText(row, 1, "name");
    }
    EXPECT_EQ(list_.GetItemCount(), 1000);
    EXPECT_EQ(model_->rowCount(), 0) << "not announced before control returns to the loop";
    QApplication::processEvents();
    EXPECT_EQ(model_->rowCount(), 1000);
    ASSERT_EQ(inserted.count(), 1);
    EXPECT_EQ(inserted[0][1].toInt(), 0);
    EXPECT_EQ(inserted[0][2].toInt(), 999);
    EXPECT_EQ(Shown(999, 0), "999");

    // Rows pending when a row goes in elsewhere are announced first.
    list_.InsertItem(1000, "appended");
    list_.InsertItem(0, "top");
    EXPECT_EQ(model_->rowCount(), 1002);
    EXPECT_EQ(Shown(0, 0), "top");
    EXPECT_EQ(Shown(1001, 0), "appended");

    // A view that asks for more gets them at once.
    list_.InsertItem(1002, "asked for");
    ASSERT_TRUE(model_->canFetchMore(QModelIndex()));
    model_->fetchMore(QModelIndex());
    EXPECT_EQ(model_->rowCount(), 1003);
}

TEST_F(ListViewTest, ViewIsASortlessReportWithSelectableRows) {
    AddColumns();
    list_.InsertItem(0, "a");
    QApplication::processEvents();
    EXPECT_FALSE(view_->rootIsDecorated());
    EXPECT_TRUE(view_->uniformRowHeights());
    EXPECT_FALSE(view_->isSortingEnabled());
    EXPECT_EQ(view_->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_TRUE(model_->flags(model_->index(0, 2)) & Qt::ItemIsSelectable);
    EXPECT_FALSE(model_->flags(model_->index(0, 2)) & Qt::ItemIsEditable);
    view_->selectionModel()->select(model_->index(0, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
    EXPECT_TRUE(view_->selectionModel()->isRowSelected(0, QModelIndex()));
}

TEST_F(ListViewTest, WindowsListViewControlIsTheReportView) {
    tktest::TestDialog dialog(testres::IDD_SAMPLE);
    tktest::RunModal(dialog, [&](QWidget*) {
        ListView list;
        list.Attach(dialog.GetControl(testres::IDC_LIST));
        EXPECT_EQ(list.InsertColumn(0, "R.A.", ListView::Align::Right, 40), 0);
        EXPECT_EQ(list.InsertItem(0, "05:07"), 0);
        EXPECT_EQ(list.GetItemText(0, 0), "05:07");
        ListView notAList;
        notAList.Attach(dialog.GetControl(testres::IDC_FIRST));
        EXPECT_EQ(notAList.InsertItem(0, "x"), -1);
    });
    ListView unbound;
    EXPECT_EQ(unbound.InsertColumn(0, "x", ListView::Align::Left, 10), -1);
    EXPECT_EQ(unbound.InsertItem(0, "x"), -1);
    EXPECT_FALSE(unbound.SetItemText(0, 0, "x"));
    EXPECT_EQ(unbound.GetItemCount(), 0);
}

// A million rows of seven cells, filled the way the search window fills
// them: measured and reported, not timed against a limit (sanitizer builds
// are several times slower). The storage per row is checked.
TEST_F(ListViewTest, MillionRowsAreStoredCompactlyAndStayScrollable) {
    tester_.reset();  // the tester re-reads the whole model on every change
    const char* const headings[] = {"R.A.",      "Dec.",   "Name",       "Type",
                                    "Magnitude", "Period", "Description"};
    for (int c = 0; c < 7; ++c) list_.InsertColumn(c, headings[c], ListView::Align::Left, 60);
    view_->resize(700, 500);
    view_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view_.get()));

    constexpr int kRows = 1000000;
    // Varied first two columns, formatted beforehand so that the time is the
    // list view's own.
    std::vector<std::string> ras;
    for (int minutes = 0; minutes < 24 * 60; ++minutes) {
        char text[8];
        std::snprintf(text, sizeof text, "%02d:%02d", minutes / 60, minutes % 60);
        ras.emplace_back(text);
    }
    std::vector<std::string> decs;
    for (int degrees = -90; degrees <= 90; ++degrees) {
        char text[8];
        std::snprintf(text, sizeof text, degrees < 0 ? "%03d" : "%02d", degrees);
        decs.emplace_back(text);
    }
    const std::size_t residentBefore = ResidentBytes();
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kRows; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const int row = list_.InsertItem(i, ras[at % ras.size()].c_str());
        list_.SetItemText(row, 1, decs[at % decs.size()].c_str());
        list_.SetItemText(row, 2, "  V1234 Cyg");
        list_.SetItemText(row, 3, "SRB     ");
        list_.SetItemText(row, 4, "  6.90   9.00 ");
        list_.SetItemText(row, 5, " 120.5000");
        list_.SetItemText(row, 6, "Cygnus near 61 Cyg  ");
    }
    const qint64 fillMs = timer.elapsed();
    const std::size_t residentFilled = ResidentBytes();
    timer.restart();
    QApplication::processEvents();  // one announcement; the view lays out
    const qint64 announceMs = timer.elapsed();
    const std::size_t residentShown = ResidentBytes();

    ASSERT_EQ(model_->rowCount(), kRows);
    const double bytesPerRow = static_cast<double>(model_->StorageBytes()) / kRows;
    EXPECT_LE(bytesPerRow, 120.0);

    timer.restart();
    view_->scrollToBottom();
    QApplication::processEvents();
    const QImage bottom = view_->viewport()->grab().toImage();
    const QRect lastRow = view_->visualRect(model_->index(kRows - 1, 0));
    const int rowAtLastRow = view_->indexAt(lastRow.center()).row();
    view_->verticalScrollBar()->setValue(view_->verticalScrollBar()->maximum() / 2);
    QApplication::processEvents();
    view_->viewport()->grab();
    const qint64 scrollMs = timer.elapsed();
    EXPECT_FALSE(bottom.isNull());
    EXPECT_TRUE(view_->viewport()->rect().contains(lastRow)) << "the last row is in sight";
    EXPECT_EQ(rowAtLastRow, kRows - 1);
    EXPECT_EQ(list_.GetItemText(kRows - 1, 6), "Cygnus near 61 Cyg  ");

    std::printf(
        "[ figures  ] 1,000,000 rows x 7 cells: fill %lld ms, announce + layout %lld ms, "
        "two scrolls + paints %lld ms, storage %.1f bytes/row; resident memory "
        "+%.1f bytes/row filling, +%.1f bytes/row in the view's layout\n",
        static_cast<long long>(fillMs), static_cast<long long>(announceMs),
        static_cast<long long>(scrollMs), bytesPerRow,
        static_cast<double>(residentFilled - residentBefore) / kRows,
        static_cast<double>(residentShown - residentFilled) / kRows);
    RecordProperty("fill_ms", static_cast<int>(fillMs));
    RecordProperty("announce_ms", static_cast<int>(announceMs));
    RecordProperty("scroll_ms", static_cast<int>(scrollMs));
    RecordProperty("bytes_per_row", static_cast<int>(bytesPerRow));

    timer.restart();
    list_.DeleteAllItems();
    QApplication::processEvents();
    std::printf("[ figures  ] delete all rows: %lld ms\n", static_cast<long long>(timer.elapsed()));
    EXPECT_EQ(model_->rowCount(), 0);
}

}  // namespace
