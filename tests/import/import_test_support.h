// Helpers of the import tests: a private temporary folder, files in it, and
// the real program run as a separate process.
#pragma once

#include <string>
#include <vector>

namespace import_test {

// A fresh folder under /tmp (mode 0755, so that a dropped user can enter
// it), removed with everything in it on destruction.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string Path(const std::string& name) const { return path + "/" + name; }
    // Writes `contents` to `name`; returns its path.
    std::string Write(const std::string& name, const std::string& contents) const;

  private:
    std::string path;
};

// The summary of importing the eleven fixture stars (stars.*), in any form.
extern const char kFixtureSummary[];

std::string ReadFile(const std::string& path);
// Path of a checked-in fixture file.
std::string Fixture(const std::string& name);
// Lines of `text` without their line feeds.
std::vector<std::string> SplitLines(const std::string& text);

// What a run of the program left behind.
struct RunResult {
    int status = -1;  // exit status, or -1 when it did not exit normally
    std::string out;  // standard output
    std::string err;  // standard error
    long peakKib = 0;  // the most memory it held at once (resident, KiB)
};

// Runs the import command (`PROGRAM import ARGS...`) with `input` on its
// standard input and `environment` entries ("NAME=value") added, each in
// place of an inherited one of that name. The
// program is the real velmo-cli when it is built, else the test driver.
// With `user` set, runs it as that unprivileged user through setpriv.
RunResult RunImport(const std::vector<std::string>& args, const std::string& input = "",
                    const std::vector<std::string>& environment = {}, const std::string& user = "");

}  // namespace import_test
