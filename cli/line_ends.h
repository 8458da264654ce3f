// SPDX-License-Identifier: GPL-3.0-or-later
// Whether a catalogue file ends its lines the old Macintosh way, with
// carriage returns only: the loader, which splits at line feeds, then reads
// the whole file as one long line.
#pragma once

namespace velmo_cli {

// The words that tell the user so, after "FILE: ".
constexpr const char* kCarriageReturnsOnly =
    "line ends are carriage returns only; the catalogue needs line feeds";

// True when the file `path` holds at least one carriage return and no line
// feed. Reads only up to the first line feed, so an ordinary file costs one
// small read. False when it cannot be read, and for "-" (standard input,
// which cannot be read twice: check judges it from the lines it read).
bool EndsLinesWithCarriageReturnsOnly(const char* path);

}  // namespace velmo_cli
