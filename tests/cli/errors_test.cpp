// SPDX-License-Identifier: GPL-3.0-or-later
// velmo-cli on bad input and failing output: each error is one line on
// standard error that names the file and the reason, with status 2; a closed
// pipe ends quietly; a file that cannot be written keeps its content.
#include <sys/stat.h>
#include <unistd.h>

#include "cli_fixture.h"

namespace {

class ErrorsTest : public CliTest {
  protected:
    // Status 2, nothing on stdout, exactly `message` on stderr.
    static void ExpectError(const CliResult& result, const std::string& message) {
        EXPECT_FALSE(result.timedOut) << "velmo-cli did not end";
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, message + "\n");
    }
};

TEST_F(ErrorsTest, CataloguesThatCannotBeReadAreNamedWithTheReason) {
    const std::string missing = PathOf("missing.txt");
    const std::string fifo = PathOf("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const std::string empty = WriteLines("empty.txt", {});
    const std::string prose = WriteLines("prose.txt", {"A list of stars", "", "to be typed in"});
    for (const char* command : {"search", "check"}) {
        SCOPED_TRACE(command);
        ExpectError(RunCli({command, missing}),
                    "velmo-cli: " + missing + ": No such file or directory");
        ExpectError(RunCli({command, dir}), "velmo-cli: " + dir + ": Is a directory");
        // A FIFO without a writer would block a reader for good: refused at once.
        CliRun run;
        run.args = {command, fifo};
        run.timeoutSeconds = 10;
        ExpectError(RunCli(run), "velmo-cli: " + fifo + ": not a regular file");
        ExpectError(RunCli({command, "/dev/null"}), "velmo-cli: /dev/null: not a regular file");
    }
    ExpectError(RunCli({"search", empty}),
                "velmo-cli: " + empty + ": no star line in it (velmo-cli check lists its lines)");
    ExpectError(RunCli({"search", prose}),
                "velmo-cli: " + prose + ": no star line in it (velmo-cli check lists its lines)");

    // A file its reader may not open (root may open anything, so run as nobody).
    const std::string locked = WriteLines("locked.txt", {WorkedLine()});
    ASSERT_EQ(::chmod(locked.c_str(), 0), 0);
    CliRun run;
    run.asNobody = true;
    for (const char* command : {"search", "check"}) {
        run.args = {command, locked};
        ExpectError(RunCli(run), "velmo-cli: " + locked + ": Permission denied");
    }
}

TEST_F(ErrorsTest, WriteErrorsAreReportedAndLeaveTheOldFile) {
    const std::string catalogue = WriteLines("catalogue.txt", {WorkedLine()});
    // A full disk, as the output file and as standard output.
    ExpectError(RunCli({"search", "-o", "/dev/full", catalogue}),
                "velmo-cli: /dev/full: No space left on device");
    CliRun run;
    run.args = {"search", catalogue};
    run.stdoutTo = CliStdout::kDevFull;
    ExpectError(RunCli(run), "velmo-cli: standard output: No space left on device");
    run.args = {"check", catalogue};
    ExpectError(RunCli(run), "velmo-cli: standard output: No space left on device");

    // A folder its user may not write to: the file there keeps its content.
    const std::string locked = PathOf("locked");
    ASSERT_EQ(::mkdir(locked.c_str(), 0755), 0);
    const std::string kept = locked + "/kept.csv";
    WriteFile("locked/kept.csv", "earlier list\n");
    ::chmod(kept.c_str(), 0666);
    run = CliRun{};
    run.asNobody = true;
    run.args = {"search", "-o", kept, catalogue};
    ExpectError(RunCli(run), "velmo-cli: " + kept + ": Permission denied");
    EXPECT_EQ(ReadFile(kept), "earlier list\n");
    run.args = {"search", "-o", locked, catalogue};
    ExpectError(RunCli(run), "velmo-cli: " + locked + ": Is a directory");
    run.args = {"search", "-o", PathOf("no/such/folder.csv"), catalogue};
    ExpectError(RunCli(run),
                "velmo-cli: " + PathOf("no/such/folder.csv") + ": No such file or directory");
}

TEST_F(ErrorsTest, AClosedPipeEndsQuietlyWithStatus2) {
    // Large output (the whole sample, many blocks) and a single short line.
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"search", "--max-mag", "99", "--min-mag", "0",
                                                "--period-most", "100000", SampleCatalogue()},
                                               {"search", "--count", SampleCatalogue()},
                                               {"check", SampleCatalogue()},
                                               {"--help"}}) {
        CliRun run;
        run.args = args;
        run.stdoutTo = CliStdout::kClosedPipe;
        const CliResult result = RunCli(run);
        EXPECT_EQ(result.status, 2) << args[0];
        EXPECT_EQ(result.err, "");
    }
}

}  // namespace
