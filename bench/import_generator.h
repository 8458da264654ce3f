// SPDX-License-Identifier: GPL-3.0-or-later
// A seeded generator of inputs for timing `velmo-cli import`: a GCVS
// extract, a CSV table, VOTables and a FITS table of made-up variable stars
// written as real ones are (the same seed gives the same bytes on every
// machine).
//
// GCVS lines mix the two published layouts (compact positions with and
// without a blank before the sign), flags after the designation, limits,
// uncertain values and amplitudes in the minimum, bracketed and missing
// periods, and about 1 % of stars without a position. Table rows use
// sexagesimal positions in two columns, quoted names now and then, and the
// same magnitude and period spellings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "table_writer.h"

namespace velmo_bench {

// Writes `lines` GCVS star lines (after a two-line header) to `path`.
// Returns the bytes written, 0 when the file cannot be written.
std::size_t WriteGcvsExtract(const std::string& path, std::size_t lines, std::uint64_t seed);

// Writes a header row and `rows` CSV rows to `path`. Returns the bytes
// written, 0 when the file cannot be written.
std::size_t WriteStarTable(const std::string& path, std::size_t rows, std::uint64_t seed);

// Writes `rows` stars as a catalogue service delivers them in `form` (a
// VOTable or a FITS table): positions in degrees, the flags of magnitudes
// and periods in columns of their own (l_Min1, u_Min1, ...). Returns false
// when the file cannot be written.
bool WriteServiceTable(const std::string& path, TableForm form, std::size_t rows,
                       std::uint64_t seed);

}  // namespace velmo_bench
