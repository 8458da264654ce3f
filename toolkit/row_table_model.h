// SPDX-License-Identifier: GPL-3.0-or-later
// RowTableModel: the item model behind a report-mode list view, over a
// RowStore.
//
// Rows appended at the end are stored at once but announced to the views in
// one batch (one rowsInserted for all of them) when control returns to the
// event loop, or earlier when a view asks through fetchMore, or before any
// other change to the rows. rowCount() and data() answer for the announced
// rows only, so a view never sees a row it was not told about; the list
// view's own operations (StoredRowCount, Cell) see every stored row.
// A fetchMore that arrives while a change is being signalled is ignored; the
// queued announcement still comes.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <cstddef>
#include <string_view>
#include <vector>

#include "toolkit/row_store.h"

class QTreeView;
class QWidget;

namespace tk {

class RowTableModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    explicit RowTableModel(QObject* parent = nullptr);

    // Inserts a column (index clamped to 0..count) and returns its index.
    // Cells of later columns move one column to the right.
    int InsertColumn(int index, const QString& heading, Qt::Alignment alignment);
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    QString Heading(int column) const;  // empty for a column that does not exist

    int StoredRowCount() const { return rows_.RowCount(); }
    // Inserts a row (index clamped to 0..StoredRowCount()) whose column 0
    // reads `text`. Returns its index, or -1 when the list is full.
    int InsertRow(int index, std::string_view text);
    // Sets one cell's text. False for a row or column that does not exist.
    bool SetCell(int row, int column, std::string_view text);
    // A cell's text, valid until the next change to the rows; empty for a
    // row or column that does not exist.
    std::string_view Cell(int row, int column) const;
    void RemoveAllRows();

    // Tells the views about every stored row they have not been told of.
    void AnnouncePendingRows();
    // Bytes held by the row storage.
    std::size_t StorageBytes() const { return rows_.BytesHeld(); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

  private:
    struct Column {
        QString heading;
        Qt::Alignment alignment;
    };

    void ScheduleAnnouncement();

    std::vector<Column> columns_;
    RowStore rows_;
    int announced_ = 0;             // rows the views know of: the first `announced_` stored rows
    bool announcementDue_ = false;  // a queued AnnouncePendingRows is on its way
    // Inside a begin/end pair of change signals: a view reacting to them
    // (fetchMore) must not start another change.
    bool changing_ = false;
};

// Creates the report-mode list view widget with its model: no root
// decoration, uniform row heights, no sorting, whole rows selectable, column
// headings shown.
QTreeView* CreateReportView(QWidget* parent, bool border);
// The model of a view made by CreateReportView, or null.
RowTableModel* ReportModelOf(QWidget* widget);

}  // namespace tk
