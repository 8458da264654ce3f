// SPDX-License-Identifier: GPL-3.0-or-later
// What the import reads tables through, whatever their format (text
// tables, VOTables, FITS binary tables): a header that says where the
// columns are, then one row at a time.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "star_line.h"

namespace velmo::importing {

class RowReader {
  public:
    virtual ~RowReader() = default;

    // Reads up to the first row and finds the columns. False when that
    // fails; *error then says why (a missing column, a broken file).
    virtual bool ReadHeader(std::string* error) = 0;

    // One line per optional column not found, for standard error.
    virtual const std::vector<std::string>& Notes() const = 0;

    enum class Row { kStar, kMalformed, kEnd };
    // The next row: kStar with `texts` filled (valid until the next call),
    // kMalformed with *why set, kEnd at the end of the input or when
    // reading stopped (see ReadFailed and Fault).
    virtual Row Next(StarTexts* texts, std::string* why) = 0;

    // Where the row last returned starts, for messages after "INPUT:": a
    // line number ("12") or a row number ("row 12").
    virtual std::string Where() const = 0;

    // Input lines lost with the last malformed row (a record past the
    // reader's limits); 0 when its lines were read.
    virtual std::size_t LostLines() const { return 0; }

    // After kEnd: reading stopped on a failed read (errno in ReadError), or
    // on a fault of the content, which Fault describes; both false/empty
    // when the input ended as it should.
    virtual bool ReadFailed() const = 0;
    virtual int ReadError() const = 0;
    virtual std::string Fault() const { return std::string(); }
};

}  // namespace velmo::importing
