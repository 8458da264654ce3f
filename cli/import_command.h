// SPDX-License-Identifier: GPL-3.0-or-later
// `velmo-cli import`: converts a GCVS extract or a table of variable stars
// (CSV, TSV or ";"-separated with a header row) into catalogue lines, in
// input order, to standard output or atomically to a file (-o FILE). See
// import_usage.txt for the options.
//
// Standard error gets one closing summary line ("imported N stars; skipped
// ..."), with --verbose one line per skipped or changed star first
// ("INPUT:LINE: why"), notes on optional columns missing from a table
// ("velmo-cli: note: ...") and every error message ("velmo-cli: ...", naming
// the file). On a closed pipe (EPIPE) the command ends quietly with 2.
// With -o FILE, FILE is replaced only when at least one star was written
// and everything succeeded; otherwise it keeps every byte it had.
#pragma once

// Runs `velmo-cli import ...`: argv[0] is "import", options follow.
// Returns the exit status (0 stars written, 1 none, 2 error).
int RunImportCommand(int argc, char* argv[]);
