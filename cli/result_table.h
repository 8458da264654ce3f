// SPDX-License-Identifier: GPL-3.0-or-later
// The table format of the search command: the window's seven result columns
// as aligned text, one row a line, with the window's row texts.
#pragma once

#include <string>

#include "block_writer.h"
#include "row_text.h"
#include "star_catalog.h"

namespace velmo_cli {

class ResultTable {
  public:
    // The column headings: "R.A.", "Dec.", "Name", "Type", "Magnitude",
    // "Period", "Description", each aligned as its column.
    void WriteHeader(velmo::BlockWriter& out);

    // One row for the record under the catalogue's cursor (nothing without
    // one): "%02d:%02d", the declination, name, type, range, "%10.4f" period
    // or blanks, description; the stored texts as they are, blanks included.
    // Columns are padded to their width (right-aligned: R.A., Dec., Name,
    // Period) and separated by two blanks.
    void WriteCurrentRow(const StarCatalog& catalog, velmo::BlockWriter& out);
    // The same row for `record`.
    void WriteRow(const StarRecord& record, velmo::BlockWriter& out);

    // The headings / the row of `record` without the line end, appended to
    // `line`, for a table that goes on to the right (plan's): the last
    // column is then padded to its width and followed by the separator too.
    static void AppendHeadings(std::string& line);
    void AppendCells(const StarRecord& record, std::string& line);

  private:
    void AppendRow(const StarRecord& record, std::string& line, bool more);

    ResultRowFormatter formatter;
};

}  // namespace velmo_cli
