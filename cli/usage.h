// SPDX-License-Identifier: GPL-3.0-or-later
// The usage texts of velmo-cli: the overview (velmo-cli --help), the
// version line (--version), and the answer to a command's own --help and
// --version. Each command owns its help text (COMMAND_usage.txt, compiled in
// as kCommandUsage); its option parser records what was asked in an
// InfoRequest and the command answers with AnswerInfoRequest.
#pragma once

namespace velmo_cli {

// Print to standard output. False when standard output cannot be written
// (a message has then gone to standard error, unless the pipe was closed).
bool PrintUsage();
bool PrintVersion();
bool PrintText(const char* text);

// What a command's options asked for instead of its work.
enum class InfoRequest { kNone, kHelp, kVersion };

// Prints `help` for kHelp or the version line for kVersion; returns the
// exit status to end with (0, or 2 when standard output cannot be written).
int AnswerInfoRequest(InfoRequest request, const char* help);

}  // namespace velmo_cli
