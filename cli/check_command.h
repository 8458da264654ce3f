// SPDX-License-Identifier: GPL-3.0-or-later
// velmo-cli check [OPTIONS] CATALOGUE: reports every non-blank line that is
// not a star line, as FILE:LINE: why, and closes with a count of the star
// lines, the other lines and the blank lines.
#pragma once

#include <string>

#include "line_format.h"

namespace velmo_cli {

// `argv[0]` is "check", the options and the catalogue follow. Returns the
// exit status: 0 when every non-blank line is a star line, 1 when some are
// not, 2 on any error (after a message on standard error).
int RunCheckCommand(int argc, char* argv[]);

// Why a line is not a star line, for a line of `length` characters that
// breaks `rule` (not kNone): "position 4 is 'x', expected '+' or '-'", or
// "line has 21 characters, a star line needs at least 23".
std::string DescribeFormatBreak(const velmo::FormatBreak& rule, std::size_t length);

}  // namespace velmo_cli
