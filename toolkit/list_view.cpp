// SPDX-License-Identifier: GPL-3.0-or-later
// The list view's operations, on the QTreeView and RowTableModel that the
// dialog builder creates for a ControlKind::ListView control.
#include <QHeaderView>
#include <QTreeView>
#include <algorithm>

#include "toolkit/controls.h"
#include "toolkit/row_table_model.h"
#include "toolkit/text_bytes.h"

namespace tk {

RowTableModel* ListView::Model() const {
    if (modelAttach_ != attachCount_) {
        model_ = ReportModelOf(widget_);
        modelAttach_ = attachCount_;
    }
    return model_;
}

int ListView::InsertColumn(int index, const char* heading, Align align, int widthPixels) {
    RowTableModel* model = Model();
    if (model == nullptr) return -1;
    const Qt::Alignment alignment = align == Align::Right ? Qt::AlignRight : Qt::AlignLeft;
    const int at =
        model->InsertColumn(index, TextFromBytes(heading != nullptr ? heading : ""), alignment);
    static_cast<QTreeView*>(widget_)->header()->resizeSection(at, std::max(0, widthPixels));
    return at;
}

void ListView::DeleteAllItems() {
    if (RowTableModel* model = Model()) model->RemoveAllRows();
}

int ListView::InsertItem(int index, const char* text) {
    RowTableModel* model = Model();
    if (model == nullptr) return -1;
    return model->InsertRow(index, text != nullptr ? text : "");
}

bool ListView::SetItemText(int row, int column, const char* text) {
    RowTableModel* model = Model();
    return model != nullptr && model->SetCell(row, column, text != nullptr ? text : "");
}

int ListView::GetItemCount() const {
    const RowTableModel* model = Model();
    return model != nullptr ? model->StoredRowCount() : 0;
}

int ListView::GetColumnCount() const {
    const RowTableModel* model = Model();
    return model != nullptr ? model->ColumnCount() : 0;
}

std::string ListView::GetItemText(int row, int column) const {
    const RowTableModel* model = Model();
    return model != nullptr ? std::string(model->Cell(row, column)) : std::string();
}

std::string ListView::GetColumnHeading(int column) const {
    const RowTableModel* model = Model();
    return model != nullptr ? BytesFromText(model->Heading(column)) : std::string();
}

}  // namespace tk
