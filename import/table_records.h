// Tables with a header row: CSV (comma), TSV (tab) or ";"-separated, the
// separator being the one of these that occurs most often in the header row
// (outside quotes; on a tie tab, then ";", then comma). Fields may be
// double-quoted as RFC 4180 describes: a quoted field may hold separators,
// line feeds and doubled quotes. Lines starting with "#" are comments;
// blank lines are ignored. Up to two lines right after the header that hold
// no digit at all (units such as "h:m:s" or "mag", or dashes) are skipped.
//
// Columns are found by header name, case not counting: for each column the
// first name of its list that a header has (see kColumnLists in the .cpp),
// unless the command line names the header itself.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "line_reader.h"
#include "star_line.h"

namespace velmo::importing {

// Longest input line read whole; a longer one is a malformed record.
constexpr std::size_t kMaxLine = std::size_t{1} << 20;

// Headers named on the command line (--name-column ...); empty: found by
// the usual names.
struct ColumnNames {
    std::string name, ra, dec, position, type, max, min, range, period, description;
};

// Splits one record at `separator`, unquoting quoted fields into `scratch`
// and pointing `fields` into it. Returns false when the record ends inside a
// quoted field (the caller then adds the next line and splits again).
bool SplitFields(std::string_view record, char separator, std::string* scratch,
                 std::vector<std::string_view>* fields);

// The separator of a header row.
char DetectSeparator(std::string_view header);

class TableReader {
  public:
    // Reads from `lines` (borrowed; must outlive the reader), whose line
    // length it limits to kMaxLine.
    TableReader(velmo::LineReader* lines, const ColumnNames& names);

    // Reads up to and including the header row and finds the columns.
    // False when there is no header row or a needed column is missing;
    // *error then says which columns were missing and which headers were
    // seen. Needed: name, position, type, and a maximum or a range.
    bool ReadHeader(std::string* error);

    // One line per optional column not found, for standard error (the
    // minimum and the period; such stars get blanks there).
    const std::vector<std::string>& Notes() const { return notes; }

    enum class Row { kStar, kMalformed, kEnd };
    // The next data row: kStar with `texts` filled (valid until the next
    // call), kMalformed with *why set (wrong number of fields, an unclosed
    // quote, an over-long line), kEnd at the end of the input or on a read
    // error (then ReadFailed()).
    Row Next(StarTexts* texts, std::string* why);

    // Reading stopped on a read error.
    bool ReadFailed() const { return readFailed; }

    // Line number where the row last returned started, from 1.
    std::size_t RowLine() const { return rowLine; }

  private:
    // The next line, counted; false at the end or on a read error.
    bool NextLine(std::string_view* line);
    // Next line that is neither blank nor a comment; false at the end.
    bool NextContentLine(std::string_view* line);
    // Splits the record starting with `line`, reading further lines while
    // a quote is open. False with *why set when that fails.
    bool SplitRecord(std::string_view line, std::string* why);
    // Index of the column to use for one role, or -1; records a missing
    // column in `missing`.
    int Find(const std::string& override, const char* const* candidates, std::string* missing,
             bool required);

    velmo::LineReader* lines;
    std::size_t lineNumber = 0;  // of the line last read, from 1
    bool readFailed = false;
    ColumnNames names;
    char separator = ',';
    std::size_t headerFields = 0;
    std::vector<std::string> headers;  // as written, unquoted and trimmed
    std::vector<std::string> notes;
    int unitLinesLeft = 0;  // lines after the header still looked at for units
    int nameColumn = -1, raColumn = -1, decColumn = -1, positionColumn = -1, typeColumn = -1;
    int maxColumn = -1, minColumn = -1, rangeColumn = -1, periodColumn = -1;
    int descriptionColumn = -1;
    std::string pending;  // a record spanning several lines
    std::string scratch;  // unquoted fields of the current record
    std::vector<std::string_view> fields;
    std::size_t rowLine = 0;
    std::string badOverride;  // an override naming no header
};

}  // namespace velmo::importing
