// SPDX-License-Identifier: GPL-3.0-or-later
// The real velmo-cli executable run as a child process (through the shared
// child-process helper), and a fixture with a folder of catalogues for it.
#pragma once

#include <string>
#include <vector>

#include "catalog_fixture.h"

using CliResult = tktest::ChildResult;
using CliStdout = tktest::ChildStdout;

// How to run the program: its arguments (after its name) and everything the
// shared helper offers (user, standard streams, environment, time limit).
struct CliRun : tktest::ChildRun {
    CliRun() {}  // not an aggregate, so that RunCli({...}) means the arguments
    std::vector<std::string> args;
};

// The velmo-cli under test (the build's, or a copy that nobody can run).
CliResult RunCli(const CliRun& run);
CliResult RunCli(const std::vector<std::string>& args);

// Fixture: a private temporary folder (CatalogTest) that an unprivileged
// user can enter, and helpers for catalogues built from lines.
class CliTest : public CatalogTest {
  protected:
    void SetUp() override;
    // Writes `lines`, each ended by a line feed, as `name`; returns its path.
    std::string WriteLines(const std::string& name, const std::vector<std::string>& lines) const;
};

// The sample catalogue shipped with the program.
std::string SampleCatalogue();

using tktest::SplitLines;
