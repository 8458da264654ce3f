// Runs the real velmo-cli executable as a child process and collects its
// exit status, standard output and standard error.
#pragma once

#include <string>
#include <vector>

#include "catalog_fixture.h"

struct CliResult {
    int status = -1;  // exit status; -1 when it did not exit normally or timed out
    std::string out;  // standard output
    std::string err;  // standard error
    bool timedOut = false;
};

enum class CliStdout {
    kCapture,     // a pipe read by the test
    kClosedPipe,  // a pipe whose read end is closed before the program starts
    kDevFull,     // /dev/full
};

struct CliRun {
    std::vector<std::string> args;  // after the program's name
    CliStdout stdoutTo = CliStdout::kCapture;
    bool asNobody = false;      // drop to nobody/nogroup first (when root)
    std::string numericLocale;  // LC_ALL for the child, when not empty
    std::vector<std::string> environment;  // "NAME=value" set, "NAME" removed, in the child
    double timeoutSeconds = 30;
    // Standard input: the file at stdinPath (any kind: a directory, a FIFO),
    // or, when stdinThroughPipe, a pipe that a helper process fills with
    // stdinText and then closes.
    std::string stdinPath = "/dev/null";
    bool stdinThroughPipe = false;
    std::string stdinText;
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

// `text` split at line feeds (the last, empty piece dropped).
std::vector<std::string> Lines(const std::string& text);
