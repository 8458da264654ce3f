// SPDX-License-Identifier: GPL-3.0-or-later
// The kind of an import's input, told from its first bytes.
#pragma once

#include <string_view>

namespace velmo::importing {

enum class InputKind { kGcvs, kTable, kVotable, kFits };

// From `head`, the start of the input (`whole`: all of it): FITS when it
// starts with the FITS signature "SIMPLE  =", a VOTable when it starts
// (after a byte order mark and white space) with an XML prolog, comment or
// <VOTABLE>; else GCVS records when a line of it is one (LooksLikeGcvs),
// else a table.
InputKind DetectKind(std::string_view head, bool whole);

}  // namespace velmo::importing
