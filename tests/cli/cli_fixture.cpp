// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli_fixture.h"

#include <sys/stat.h>

CliResult RunCli(const std::vector<std::string>& args) {
    CliRun run;
    run.args = args;
    return RunCli(run);
}

CliResult RunCli(const CliRun& run) {
    std::vector<std::string> command = {VELMO_CLI};
    command.insert(command.end(), run.args.begin(), run.args.end());
    return tktest::RunProgram(command, run);
}

void CliTest::SetUp() {
    tempFolder.OpenToEveryone();  // an unprivileged run must reach its files
}

std::string CliTest::WriteLines(const std::string& name,
                                const std::vector<std::string>& lines) const {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    const std::string path = WriteFile(name, text);
    ::chmod(path.c_str(), 0644);
    return path;
}

std::string SampleCatalogue() { return VELMO_DATA_DIR "/bright-variable-stars.txt"; }
