// Test-only stand-in for the command-line program's dispatch: runs
// `velmo_import_driver import ...` as `velmo-cli import ...` runs.
#include <cstdio>
#include <cstring>

#include "import_command.h"

int main(int argc, char* argv[]) {
    if (argc < 2 || std::strcmp(argv[1], "import") != 0) {
        std::fputs("usage: velmo_import_driver import [OPTIONS] INPUT [-o FILE]\n", stderr);
        return 2;
    }
    return RunImportCommand(argc - 1, argv + 1);
}
