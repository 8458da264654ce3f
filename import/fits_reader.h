// SPDX-License-Identifier: GPL-3.0-or-later
// FITS binary tables: the first binary-table extension of a FITS file, read
// with CFITSIO in chunks of rows, so that memory stays bounded.
//
// Columns are found by TTYPEn name as column_map.h describes, with units
// from TUNITn. Cells become texts: numbers as binary_text.h writes them
// (scaled integers as the doubles they stand for), character columns as
// their text. TNULLn values and NaN are "not given".
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "column_map.h"
#include "row_reader.h"

namespace velmo::importing {

class FitsReader : public RowReader {
  public:
    // Reads the file `path`, which must be a regular file (CFITSIO seeks).
    FitsReader(const std::string& path, const ColumnNames& names);
    ~FitsReader() override;

    bool ReadHeader(std::string* error) override;
    const std::vector<std::string>& Notes() const override;
    Row Next(StarTexts* texts, std::string* why) override;
    // "row N", from 1.
    std::string Where() const override;
    bool ReadFailed() const override { return false; }  // told as a Fault
    int ReadError() const override { return 0; }
    std::string Fault() const override;

    struct State;

  private:
    std::unique_ptr<State> state;
};

}  // namespace velmo::importing
