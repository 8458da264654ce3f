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

// Keep in step with the man page, velmo-cli.1.
constexpr char kUsage[] =
    "Usage: velmo-cli COMMAND [OPTIONS] FILE\n"
    "Searches, checks and imports fixed-column catalogues of variable stars.\n"
    "\n"
    "Commands:\n"
    "  search   list the stars of CATALOGUE that meet the criteria\n"
    "  check    report every line of CATALOGUE that is not a star line\n"
    "  import   convert a GCVS extract, a table with a header row, a VOTable\n"
    "           or a FITS table into catalogue lines\n"
    "\n"
    "velmo-cli search [OPTIONS] CATALOGUE\n"
    "  --ra-west H         first hour of right ascension, 0-23 (default 0)\n"
    "  --ra-east H         last hour of right ascension, 0-23 (default 23);\n"
    "                      west above east means a window through hour 0\n"
    "  --dec-south D       southern limit of declination, -90..90 (default -90)\n"
    "  --dec-north D       northern limit of declination, -90..90 (default 90)\n"
    "  --max-mag M         \"Max >\": maximum magnitude at most M, 0-99 (default 7)\n"
    "  --min-mag M         \"Min <\": minimum magnitude at least M, 0-99 (default 6)\n"
    "  --period-least P    shortest period in days, 0-100000 (default 0)\n"
    "  --period-most P     longest period in days, 0-100000 (default 1000)\n"
    "  --unspecified       stars listed without magnitudes and period instead;\n"
    "                      the magnitude and period options then play no part\n"
    "  --format F          csv, text (the catalogue lines) or table (default csv)\n"
    "  --descending        list from the last match to the first\n"
    "  --count             print only the number of matches\n"
    "  -o, --output FILE   write to FILE, replacing it only by a complete new one\n"
    "                      (default: standard output)\n"
    "\n"
    "velmo-cli check [OPTIONS] CATALOGUE\n"
    "  --max-reports N     report at most N lines, 0 or more (default 100);\n"
    "                      the closing summary still counts every line\n"
    "  Each report reads FILE:LINE: why; the last line counts the star lines,\n"
    "  the other lines and the blank lines.\n"
    "\n"
    "velmo-cli import [OPTIONS] INPUT [-o FILE]\n"
    "  --kind gcvs|table|votable|fits, --ra-hours, --NAME-column HEADER,\n"
    "  -v/--verbose, -o/--output FILE: see velmo-cli import --help.\n"
    "\n"
    "  -h, --help          show this text\n"
    "      --version       show the version\n"
    "\n"
    "Exit status: 0 when a star matched (check: every non-blank line is a star\n"
    "line; import: a star was written), 1 when none did (check: some lines are\n"
    "not), 2 on any error.\n";

bool Print(const char* text) {
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

}  // namespace

bool PrintUsage() { return Print(kUsage); }

bool PrintVersion() { return Print("velmo-cli " VELMO_VERSION "\n"); }

}  // namespace velmo_cli
