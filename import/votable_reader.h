// SPDX-License-Identifier: GPL-3.0-or-later
// VOTables (the Virtual Observatory's XML tables, versions 1.1 to 1.4):
// the first TABLE of the document, its rows serialised as TABLEDATA,
// BINARY or BINARY2 (base64 streams). Read with Expat as a stream: memory
// stays bounded whatever the number of rows.
//
// Columns are FIELDs, found by name, UCD and unit as column_map.h
// describes. Cells become texts: TABLEDATA cells as written, binary numbers
// as binary_text.h writes them, char and unicodeChar arrays as UTF-8 text.
// Empty cells, a FIELD's VALUES null value, NaN and BINARY2 null flags are
// "not given".
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "column_map.h"
#include "row_reader.h"

namespace velmo::importing {

class VotableReader : public RowReader {
  public:
    // Reads `head` (the start of the input, already read) and then the
    // open descriptor `fd` (borrowed) to its end.
    VotableReader(int fd, std::string_view head, const ColumnNames& names);
    ~VotableReader() override;

    bool ReadHeader(std::string* error) override;
    const std::vector<std::string>& Notes() const override;
    Row Next(StarTexts* texts, std::string* why) override;
    // The line of a TABLEDATA row ("12"), or the number of a binary row
    // ("row 12").
    std::string Where() const override;
    bool ReadFailed() const override;
    int ReadError() const override;
    std::string Fault() const override;

    struct State;  // the parse, shared with Expat's callbacks

  private:
    std::unique_ptr<State> state;
};

}  // namespace velmo::importing
