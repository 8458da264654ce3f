// SPDX-License-Identifier: GPL-3.0-or-later
#include "import_test_support.h"

namespace import_test {

const char kFixtureSummary[] =
    "imported 10 stars; skipped 1 (1 with a negative magnitude); 1 name cut\n";

std::string Fixture(const std::string& name) {
    return std::string(VELMO_IMPORT_FIXTURES) + "/" + name;
}

RunResult RunImport(const std::vector<std::string>& args, const std::string& input,
                    const std::vector<std::string>& environment, bool asNobody) {
    const TempDir io;
    tktest::ChildRun run;
    run.asNobody = asNobody;
    run.stdinPath = io.Write("stdin", input);
    run.environment = environment;
    run.timeoutSeconds = 120;
    std::vector<std::string> command = {VELMO_IMPORT_PROGRAM, "import"};
    command.insert(command.end(), args.begin(), args.end());
    return tktest::RunProgram(command, run);
}

}  // namespace import_test
