// velmo-cli search [OPTIONS] CATALOGUE: loads the catalogue, applies the
// criteria, searches and writes the matches (csv, text or table), or only
// their number.
#pragma once

namespace velmo_cli {

// `argv[0]` is "search", the options and the catalogue follow. Returns the
// exit status: 0 when at least one star matched, 1 when none did, 2 on any
// error (after a message on standard error).
int RunSearchCommand(int argc, char* argv[]);

}  // namespace velmo_cli
