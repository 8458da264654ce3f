// The table format of the search command: the window's seven result columns
// as aligned text, one row a line, with the window's row texts.
#pragma once

#include "block_writer.h"
#include "row_text.h"
#include "star_catalog.h"

namespace velmo_cli {

class ResultTable {
  public:
    // The column headings: "R.A.", "Dec.", "Name", "Type", "Magnitude",
    // "Period", "Description", each aligned as its column.
    void WriteHeader(velmo::BlockWriter& out);

    // One row for the record under the catalogue's cursor: "%02d:%02d",
    // the declination, name, type, range, "%10.4f" period or blanks,
    // description; the stored texts as they are, blanks included. Columns
    // are padded to their width (right-aligned: R.A., Dec., Name, Period)
    // and separated by two blanks.
    void WriteCurrentRow(const StarCatalog& catalog, velmo::BlockWriter& out);

  private:
    ResultRowFormatter formatter;
};

}  // namespace velmo_cli
