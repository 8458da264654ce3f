// SPDX-License-Identifier: GPL-3.0-or-later
// Tables with a header row: CSV (comma), TSV (tab) or ";"-separated, the
// separator being the one of these that occurs most often in the header row
// (outside quotes; on a tie tab, then ";", then comma). Fields may be
// double-quoted as RFC 4180 describes: a quoted field may hold separators,
// line feeds and doubled quotes. Lines starting with "#" are comments;
// blank lines are ignored. Up to two records right after the header whose
// columns in use hold no digit, with nothing or dashes under the name
// (units such as "h:m:s" or "mag", or dashes), are units lines: not stars,
// but a right ascension's "h" or "deg" counts.
// In a ";"-separated table a decimal comma is a decimal point.
//
// Each record is read in one pass over its characters. A record longer than
// kMaxRecordBytes or kMaxRecordLines (an unclosed quote, most likely) is
// malformed: its lines are skipped and reading goes on after them.
//
// Columns are found as column_map.h describes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "column_map.h"
#include "line_reader.h"
#include "row_reader.h"
#include "star_line.h"

namespace velmo::importing {

// Limits of one record (a header or a row).
constexpr std::size_t kMaxRecordBytes = std::size_t{64} << 10;
constexpr std::size_t kMaxRecordLines = 1000;

// Splits records into fields in one pass, line by line: unquoting quoted
// fields, which may go on over line feeds.
class RecordSplitter {
  public:
    explicit RecordSplitter(char fieldSeparator = ',') : separator(fieldSeparator) {}
    void SetSeparator(char c) { separator = c; }

    // Starts a new record.
    void Start();
    // Adds one line of the record (without its line feed). True when the
    // record is complete; false while a quoted field is still open, when
    // the next line belongs to it.
    bool Add(std::string_view line);
    // Bytes of field text held so far.
    std::size_t Size() const { return plain ? plainSize : text.size(); }
    // The fields of the completed record; valid until the next Start, and
    // those of a record of one line without quotes while that line is.
    const std::vector<std::string_view>& Fields();

  private:
    // A record of one line without quotes, the most common by far: its
    // fields are the line's own text.
    void SplitPlain(std::string_view line);
    void Append(const char* from, const char* to);
    void EndField();

    char separator;
    std::string text;                                         // unquoted field texts
    std::vector<std::pair<std::size_t, std::size_t>> bounds;  // of each field in `text`
    std::vector<std::string_view> fields;
    std::size_t fieldStart = 0;
    bool inQuote = false;
    bool blankSoFar = true;  // the field so far holds blanks only, no quote
    bool plain = false;      // the record was split by SplitPlain
    std::size_t plainSize = 0;
};

// Splits one record at `separator` (see RecordSplitter), pointing `fields`
// into `scratch`. False when the record ends inside a quoted field.
bool SplitFields(std::string_view record, char separator, std::string* scratch,
                 std::vector<std::string_view>* fields);

// The separator of a header row.
char DetectSeparator(std::string_view header);

class TableReader : public RowReader {
  public:
    // Reads from `lines` (borrowed; must outlive the reader), whose line
    // length it limits to kMaxRecordBytes.
    TableReader(velmo::LineReader* lines, const ColumnNames& names);

    // Reads up to and including the header row and finds the columns.
    // False when there is no header row or a needed column is missing;
    // *error then says which columns were missing and which headers were
    // seen. Needed: name, position, type, and a maximum or a range.
    bool ReadHeader(std::string* error) override;

    // One line per optional column not found, for standard error (the
    // minimum and the period; such stars get blanks there).
    const std::vector<std::string>& Notes() const override { return map.Notes(); }

    // The next data row: kStar with `texts` filled (valid until the next
    // call), kMalformed with *why set (wrong number of fields, an unclosed
    // quote, a record past the limits), kEnd at the end of the input or on a
    // read error (then ReadFailed()).
    Row Next(StarTexts* texts, std::string* why) override;

    // Line number where the row last returned started, from 1, and how many
    // lines it took.
    std::size_t RowLine() const { return rowLine; }
    std::size_t RowLines() const { return lineNumber + 1 - rowLine; }
    // The last malformed row went past the limits, so its lines were lost.
    bool RowTooLong() const { return tooLong; }

    std::string Where() const override;
    std::size_t LostLines() const override { return tooLong ? RowLines() : 0; }
    // Reading stopped on a read error.
    bool ReadFailed() const override { return readFailed; }
    int ReadError() const override { return lines->ReadError(); }

  private:
    // The next line, counted; false at the end or on a read error.
    bool NextLine(std::string_view* line);
    // Next line that is neither blank nor a comment; false at the end.
    bool NextContentLine(std::string_view* line);
    // Reads the record starting with `line`. False with *why set when it
    // runs past the input or the limits.
    bool ReadRecord(std::string_view line, std::string* why);

    velmo::LineReader* lines;
    std::size_t lineNumber = 0;  // of the line last read, from 1
    bool readFailed = false;
    ColumnNames names;
    ColumnMap map;
    RecordSplitter splitter;
    int unitLinesLeft = 0;  // records after the header still looked at for units
    std::size_t rowLine = 0;
    bool tooLong = false;
};

}  // namespace velmo::importing
