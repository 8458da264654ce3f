// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/row_table_model.h"

#include <QHeaderView>
#include <QTreeView>
#include <algorithm>
#include <limits>

#include "toolkit/text_bytes.h"

namespace tk {
namespace {

// Alignment as the views read it from a model: an int of Qt::Alignment bits.
QVariant AlignmentValue(Qt::Alignment horizontal) {
    return QVariant(static_cast<int>((horizontal | Qt::AlignVCenter).toInt()));
}

}  // namespace

RowTableModel::RowTableModel(QObject* parent) : QAbstractTableModel(parent) {}

int RowTableModel::InsertColumn(int index, const QString& heading, Qt::Alignment alignment) {
    const int at = std::clamp(index, 0, ColumnCount());
    changing_ = true;
    beginInsertColumns(QModelIndex(), at, at);
    columns_.insert(columns_.begin() + at, Column{heading, alignment});
    if (at < ColumnCount() - 1) rows_.InsertEmptyCell(at);
    endInsertColumns();
    changing_ = false;
    return at;
}

QString RowTableModel::Heading(int column) const {
    if (column < 0 || column >= ColumnCount()) return QString();
    return columns_[static_cast<std::size_t>(column)].heading;
}

int RowTableModel::InsertRow(int index, std::string_view text) {
    const int stored = StoredRowCount();
    if (stored == std::numeric_limits<int>::max()) return -1;
    const int at = std::clamp(index, 0, stored);
    if (at == stored) {
        rows_.InsertRow(at, text);
        ScheduleAnnouncement();
        return at;
    }
    AnnouncePendingRows();
    changing_ = true;
    beginInsertRows(QModelIndex(), at, at);
    rows_.InsertRow(at, text);
    ++announced_;
    endInsertRows();
    changing_ = false;
    return at;
}

bool RowTableModel::SetCell(int row, int column, std::string_view text) {
    if (row < 0 || row >= StoredRowCount() || column < 0 || column >= ColumnCount()) return false;
    rows_.SetCell(row, column, text);
    if (row < announced_) {
        const QModelIndex cell = index(row, column);
        emit dataChanged(cell, cell, {Qt::DisplayRole});
    }
    return true;
}

std::string_view RowTableModel::Cell(int row, int column) const {
    if (row < 0 || row >= StoredRowCount() || column < 0 || column >= ColumnCount()) return {};
    return rows_.Cell(row, column);
}

void RowTableModel::RemoveAllRows() {
    changing_ = true;
    beginResetModel();
    rows_.Clear();
    announced_ = 0;
    endResetModel();
    changing_ = false;
}

void RowTableModel::ScheduleAnnouncement() {
    if (announcementDue_) return;
    announcementDue_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            announcementDue_ = false;
            AnnouncePendingRows();
        },
        Qt::QueuedConnection);
}

void RowTableModel::AnnouncePendingRows() {
    const int stored = StoredRowCount();
    if (changing_ || announced_ >= stored) return;
    // The rows are already stored; rowCount() keeps answering the old count
    // until the views have been told, as beginInsertRows requires.
    changing_ = true;
    beginInsertRows(QModelIndex(), announced_, stored - 1);
    announced_ = stored;
    endInsertRows();
    changing_ = false;
}

int RowTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : announced_;
}

int RowTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount();
}

QVariant RowTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= announced_ || index.column() >= ColumnCount()) {
        return QVariant();
    }
    switch (role) {
        case Qt::DisplayRole:
            return TextFromBytes(rows_.Cell(index.row(), index.column()));
        case Qt::TextAlignmentRole:
            return AlignmentValue(columns_[static_cast<std::size_t>(index.column())].alignment);
        default:
            return QVariant();
    }
}

QVariant RowTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount()) {
        return QVariant();
    }
    const Column& column = columns_[static_cast<std::size_t>(section)];
    switch (role) {
        case Qt::DisplayRole:
            return column.heading;
        case Qt::TextAlignmentRole:
            return AlignmentValue(column.alignment);
        default:
            return QVariant();
    }
}

Qt::ItemFlags RowTableModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

bool RowTableModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && !changing_ && announced_ < StoredRowCount();
}

void RowTableModel::fetchMore(const QModelIndex& parent) {
    if (!parent.isValid()) AnnouncePendingRows();
}

QTreeView* CreateReportView(QWidget* parent, bool border) {
    auto* view = new QTreeView(parent);
    auto* model = new RowTableModel(view);
    view->setModel(model);
    view->setRootIsDecorated(false);
    view->setItemsExpandable(false);
    view->setUniformRowHeights(true);
    view->setSortingEnabled(false);
    view->setAllColumnsShowFocus(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    view->setFrameShape(border ? QFrame::StyledPanel : QFrame::NoFrame);
    QHeaderView* header = view->header();
    header->setVisible(true);
    header->setStretchLastSection(false);
    header->setSectionsMovable(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return view;
}

RowTableModel* ReportModelOf(QWidget* widget) {
    auto* view = qobject_cast<QTreeView*>(widget);
    if (view == nullptr) return nullptr;
    return qobject_cast<RowTableModel*>(view->model());
}

}  // namespace tk
