// The usage text of velmo-cli (--help) and its version line (--version).
#pragma once

namespace velmo_cli {

// Print to standard output. False when standard output cannot be written
// (a message has then gone to standard error, unless the pipe was closed).
bool PrintUsage();
bool PrintVersion();

}  // namespace velmo_cli
