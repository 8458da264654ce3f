// SPDX-License-Identifier: GPL-3.0-or-later
#include "result_table.h"

#include <cstring>
#include <string>

#include "result_columns.h"

namespace velmo_cli {
namespace {

using velmo::kResultColumnCount;
using velmo::kResultColumns;

// Appends `text` padded with blanks to `column`'s width (a longer text is
// kept whole), then the separator unless it is the last column of a table
// that ends there (`more` false), where a left-aligned text is not padded.
void AppendCell(std::string& line, const char* text, std::size_t index, bool more = false) {
    const velmo::ResultColumn& column = kResultColumns[index];
    const std::size_t length = std::strlen(text);
    const bool last = index + 1 == kResultColumnCount && !more;
    const std::size_t pad = length < column.tableWidth ? column.tableWidth - length : 0;
    // One resize and plain copies: a table may have millions of rows. The
    // separator is blank too.
    const std::size_t before = column.rightAligned ? pad : 0;
    const std::size_t after = last ? 0 : (column.rightAligned ? 0 : pad) + 2;
    const std::size_t at = line.size();
    line.resize(at + before + length + after, ' ');
    std::memcpy(&line[at + before], text, length);
}

}  // namespace

void ResultTable::WriteHeader(velmo::BlockWriter& out) {
    std::string line;
    for (std::size_t i = 0; i < kResultColumnCount; ++i) {
        AppendCell(line, kResultColumns[i].heading, i);
    }
    line += '\n';
    out.Append(line.data(), line.size());
}

void ResultTable::WriteCurrentRow(const StarCatalog& catalog, velmo::BlockWriter& out) {
    if (catalog.Cursor() != nullptr) WriteRow(*catalog.Cursor()->record, out);
}

void ResultTable::WriteRow(const StarRecord& record, velmo::BlockWriter& out) {
    std::string line;
    line.reserve(128);
    AppendRow(record, line, false);
    line += '\n';
    out.Append(line.data(), line.size());
}

void ResultTable::AppendHeadings(std::string& line) {
    for (std::size_t i = 0; i < kResultColumnCount; ++i) {
        AppendCell(line, kResultColumns[i].heading, i, true);
    }
}

void ResultTable::AppendCells(const StarRecord& record, std::string& line) {
    AppendRow(record, line, true);
}

void ResultTable::AppendRow(const StarRecord& record, std::string& line, bool more) {
    AppendCell(line, formatter.Ra(record.raHours, record.raMinutes), 0, more);
    AppendCell(line, formatter.Dec(record.decDegrees), 1, more);
    AppendCell(line, record.name, 2, more);
    AppendCell(line, record.type, 3, more);
    AppendCell(line, record.range, 4, more);
    AppendCell(line, formatter.Period(record.period), 5, more);
    AppendCell(line, record.description, 6, more);
}

}  // namespace velmo_cli
