// SPDX-License-Identifier: GPL-3.0-or-later
// velmo-cli: the catalogue engine from scripts and terminals. Picks the
// command from the first argument and hands it the rest.
//
//   velmo-cli search [OPTIONS] CATALOGUE
//   velmo-cli check [OPTIONS] CATALOGUE
//   velmo-cli import [OPTIONS] INPUT [-o FILE]
//   velmo-cli plan [SEARCH OPTIONS] [PLAN OPTIONS] CATALOGUE
//   velmo-cli --help | --version
#include <csignal>
#include <cstring>
#include <new>
#include <string>

#include "check_command.h"
#include "import_command.h"
#include "options.h"
#include "plan_command.h"
#include "search_command.h"
#include "usage.h"

namespace {

int Dispatch(int argc, char* argv[]) {
    using namespace velmo_cli;
    if (argc < 2) {
        PrintError("no command given (search, check, import or plan); velmo-cli --help tells more");
        return kExitTrouble;
    }
    const char* command = argv[1];
    if (std::strcmp(command, "--help") == 0 || std::strcmp(command, "-h") == 0) {
        return PrintUsage() ? kExitFound : kExitTrouble;
    }
    if (std::strcmp(command, "--version") == 0) {
        return PrintVersion() ? kExitFound : kExitTrouble;
    }
    if (std::strcmp(command, "search") == 0) {
        return RunSearchCommand(argc - 1, argv + 1);
    }
    if (std::strcmp(command, "check") == 0) {
        return RunCheckCommand(argc - 1, argv + 1);
    }
    if (std::strcmp(command, "import") == 0) {
        return RunImportCommand(argc - 1, argv + 1);
    }
    if (std::strcmp(command, "plan") == 0) {
        return RunPlanCommand(argc - 1, argv + 1);
    }
    PrintError("unknown command " + Quoted(command) +
               " (search, check, import or plan); velmo-cli --help tells more");
    return kExitTrouble;
}

}  // namespace

int main(int argc, char* argv[]) {
    // A closed pipe shows as EPIPE from write, which ends the output quietly,
    // instead of a signal that kills the process mid-write.
    std::signal(SIGPIPE, SIG_IGN);
    try {
        return Dispatch(argc, argv);
    } catch (const std::bad_alloc&) {
        velmo_cli::PrintError("out of memory");
        return velmo_cli::kExitTrouble;
    }
}
