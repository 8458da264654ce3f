// SPDX-License-Identifier: GPL-3.0-or-later
// Writes rows of text cells as the tables catalogue services and archives
// deliver: a VOTable (TABLEDATA, BINARY or BINARY2) or a FITS binary
// table. For the import's tests and its timings in bench/: the same rows in
// every form.
//
// Numbers are given as text and stored in the column's binary type, so a
// float column holds the nearest float ("5.805" becomes 5.8049998). An
// empty cell is a null: NaN for floating point, -2147483648 (declared as the
// column's null value) for integers, an empty text.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace velmo_bench {

struct WrittenColumn {
    enum Type { kText, kFloat, kDouble, kInt };
    std::string name;
    Type type = kText;
    std::string ucd;   // VOTable only; empty: none
    std::string unit;  // empty: none
    int width = 16;    // characters of a FITS text column
};

enum class TableForm { kTableData, kBinary, kBinary2, kFits };

class TableWriter {
  public:
    // Creates (or replaces) `path`. Check Ok() before writing rows.
    TableWriter(const std::string& path, TableForm form, std::vector<WrittenColumn> columns);
    ~TableWriter();
    TableWriter(const TableWriter&) = delete;
    TableWriter& operator=(const TableWriter&) = delete;

    bool Ok() const { return ok; }
    // One row: a cell for each column.
    void Row(const std::vector<std::string>& cells);
    // Ends the table and closes the file; false when something failed.
    bool Finish();

  private:
    void FlushFits();
    void Base64(const unsigned char* bytes, std::size_t size);

    TableForm form;
    std::vector<WrittenColumn> columns;
    bool ok = true;
    bool finished = false;
    std::FILE* out = nullptr;                     // VOTable
    void* fits = nullptr;                         // fitsfile*
    std::string row;                              // a binary row being put together
    std::string pending;                          // base64 input not yet a whole group of three
    int lineChars = 0;                            // base64 characters on the current line
    std::vector<std::vector<std::string>> chunk;  // FITS rows not yet written
    long long written = 0;                        // FITS rows written
};

}  // namespace velmo_bench
