#include "result_table.h"

#include <cstring>
#include <string>

namespace velmo_cli {
namespace {

struct Column {
    const char* heading;
    std::size_t width;  // the width of the column's row texts
    bool right;         // right-aligned
};

// In the window's order. The stored fields have fixed widths (name 11,
// type 8, range 14, description 20); "HH:MM" is 5 wide, a declination at
// most 3 ("-90"), a period 10.
const Column kColumns[] = {
    {"R.A.", 5, true},        {"Dec.", 4, true},    {"Name", 11, true},         {"Type", 8, false},
    {"Magnitude", 14, false}, {"Period", 10, true}, {"Description", 20, false},
};
constexpr std::size_t kColumnCount = sizeof kColumns / sizeof kColumns[0];

// Appends `text` padded with blanks to `column`'s width (a longer text is
// kept whole), then the separator unless it is the last column of a table
// that ends there (`more` false), where a left-aligned text is not padded.
void AppendCell(std::string& line, const char* text, std::size_t index, bool more = false) {
    const Column& column = kColumns[index];
    const std::size_t length = std::strlen(text);
    const bool last = index + 1 == kColumnCount && !more;
    const std::size_t pad = length < column.width ? column.width - length : 0;
    // One resize and plain copies: a table may have millions of rows. The
    // separator is blank too.
    const std::size_t before = column.right ? pad : 0;
    const std::size_t after = last ? 0 : (column.right ? 0 : pad) + 2;
    const std::size_t at = line.size();
    line.resize(at + before + length + after, ' ');
    std::memcpy(&line[at + before], text, length);
}

}  // namespace

void ResultTable::WriteHeader(velmo::BlockWriter& out) {
    std::string line;
    for (std::size_t i = 0; i < kColumnCount; ++i) {
        AppendCell(line, kColumns[i].heading, i);
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
    for (std::size_t i = 0; i < kColumnCount; ++i) {
        AppendCell(line, kColumns[i].heading, i, true);
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
