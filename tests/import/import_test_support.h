// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers of the import tests: a private temporary folder, files in it, and
// the real program run as a separate process (through the shared helpers).
#pragma once

#include <string>
#include <vector>

#include "tests/support/child_process.h"
#include "tests/support/temp_folder.h"
#include "tests/support/text_files.h"

namespace import_test {

// A fresh folder under /tmp (mode 0755, so that a dropped user can enter
// it), removed with everything in it on destruction.
class TempDir : public tktest::TempFolder {
  public:
    TempDir() : TempFolder("velmo-import") { OpenToEveryone(); }
};

// The summary of importing the eleven fixture stars (stars.*), in any form.
extern const char kFixtureSummary[];

using tktest::ReadFile;
// Path of a checked-in fixture file.
std::string Fixture(const std::string& name);
using tktest::SplitLines;

using RunResult = tktest::ChildResult;

// Runs the import command (`velmo-cli import ARGS...`) with `input` on its
// standard input (a regular file) and `environment` entries ("NAME=value")
// set, each in place of an inherited one of that name; as nobody, when
// `asNobody` and this process is root.
RunResult RunImport(const std::vector<std::string>& args, const std::string& input = "",
                    const std::vector<std::string>& environment = {}, bool asNobody = false);

}  // namespace import_test
