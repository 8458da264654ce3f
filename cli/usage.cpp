// SPDX-License-Identifier: GPL-3.0-or-later
#include "usage.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "block_writer.h"
#include "options.h"

#ifndef VELMO_VERSION
#define VELMO_VERSION "unknown"
#endif

namespace velmo_cli {
namespace {

// Keep in step with the man page, velmo-cli.1; each command's options are
// in its own COMMAND_usage.txt.
constexpr char kUsage[] =
    "Usage: velmo-cli COMMAND [OPTIONS] FILE\n"
    "Searches, checks and imports fixed-column catalogues of variable stars.\n"
    "\n"
    "Commands:\n"
    "  search   list the stars of CATALOGUE that meet the criteria\n"
    "  check    report every line of CATALOGUE that is not a star line\n"
    "  import   convert a GCVS extract, a table with a header row, a VOTable\n"
    "           or a FITS table into catalogue lines\n"
    "  plan     list the stars of CATALOGUE that meet the criteria and can be\n"
    "           observed on one night from one site\n"
    "\n"
    "velmo-cli COMMAND --help shows the options of one command. A CATALOGUE\n"
    "or INPUT of \"-\" is standard input.\n"
    "\n"
    "  -h, --help          show this text\n"
    "      --version       show the version\n"
    "\n"
    "Exit status: 0 when a star matched (check: every non-blank line is a star\n"
    "line; import: a star was written), 1 when none did (check: some lines are\n"
    "not), 2 on any error.\n";

}  // namespace

bool PrintText(const char* text) {
    velmo::BlockWriter out(STDOUT_FILENO);
    out.Append(text, std::strlen(text));
    if (out.Finish()) {
        return true;
    }
    if (out.Error() != EPIPE) {
        PrintError(std::string("standard output: ") + std::strerror(out.Error()));
    }
    return false;
}

bool PrintUsage() { return PrintText(kUsage); }

bool PrintVersion() { return PrintText("velmo-cli " VELMO_VERSION "\n"); }

int AnswerInfoRequest(InfoRequest request, const char* help) {
    const bool printed = request == InfoRequest::kVersion ? PrintVersion() : PrintText(help);
    return printed ? kExitFound : kExitTrouble;
}

}  // namespace velmo_cli
