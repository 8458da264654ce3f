// SPDX-License-Identifier: GPL-3.0-or-later
// The two export formats, one result row at a time: SaveCsv and SaveText
// write through these, and so does any other program that writes results
// (in whatever order it walks them).
#pragma once

#include "block_writer.h"
#include "star_catalog.h"

namespace velmo {

// "Hr,Min,Deg,Name,Type,Range,Desc,Max,Min,Period" and a line feed.
void WriteCsvHeader(BlockWriter& out);

// One CSV line: Hr,Min,Deg as decimal integers; Name, Type, Range and Desc
// as their full stored width inside double quotes, a double quote inside
// doubled; Max, Min, Period as printf("%g") gives them in the C locale.
void WriteCsvRow(BlockWriter& out, const StarRecord& record);

// The record's stored line, byte for byte, and a line feed.
void WriteTextRow(BlockWriter& out, const StarRecord& record);

}  // namespace velmo
