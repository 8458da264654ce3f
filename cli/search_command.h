// SPDX-License-Identifier: GPL-3.0-or-later
// velmo-cli search [OPTIONS] CATALOGUE: loads the catalogue, applies the
// criteria, searches and writes the matches (csv, text or table), or only
// their number.
#pragma once

#include <cstdint>

#include "block_writer.h"
#include "result_table.h"
#include "search_options.h"
#include "star_catalog.h"

namespace velmo_cli {

// Loads `options.catalogue` into `catalog`, pushes the criteria and searches
// in the options' mode. Returns the number of matches (the result list holds
// them), or -1 after a message naming the file.
std::int32_t SearchCatalogue(StarCatalog& catalog, const SearchOptions& options);

// Search's output formats, a row at a time: the heading of `format` (the
// CSV header, the table's headings; none for text), then one row per record
// (the CSV line, the catalogue line, the table row).
class ResultRows {
  public:
    explicit ResultRows(OutputFormat chosen) : format(chosen) {}
    void WriteHeading(velmo::BlockWriter& out);
    void WriteRow(const StarRecord& record, velmo::BlockWriter& out);

  private:
    OutputFormat format;
    ResultTable table;
};

// `argv[0]` is "search", the options and the catalogue follow. Returns the
// exit status: 0 when at least one star matched, 1 when none did, 2 on any
// error (after a message on standard error).
int RunSearchCommand(int argc, char* argv[]);

}  // namespace velmo_cli
