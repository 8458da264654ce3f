// SPDX-License-Identifier: GPL-3.0-or-later
// "-" as the catalogue of search, check and plan: standard input as a pipe
// (for search also as a redirected file) gives what the file itself gives,
// also with "-o -"; a standard input that cannot be read, and a copy that
// cannot be kept, end with status 2 and a message; nothing is left in the
// temporary folder.
#include <dirent.h>
#include <sys/stat.h>

#include "cli_fixture.h"

namespace {

class StdinTest : public CliTest {
  protected:
    static std::string Sample() { return ReadFile(SampleCatalogue()); }

    static CliRun ThroughPipe(std::vector<std::string> args, const std::string& text) {
        CliRun run;
        run.args = std::move(args);
        run.stdinThroughPipe = true;
        run.stdinText = text;
        return run;
    }

    // The names in `folder`, "." and ".." left out.
    static std::vector<std::string> Entries(const std::string& folder) {
        std::vector<std::string> names;
        if (DIR* d = ::opendir(folder.c_str())) {
            while (const dirent* entry = ::readdir(d)) {
                const std::string name = entry->d_name;
                if (name != "." && name != "..") names.push_back(name);
            }
            ::closedir(d);
        }
        return names;
    }
};

TEST_F(StdinTest, SearchReadsAPipeAndARedirectedFileAsTheFileItself) {
    const std::vector<std::string> criteria = {"search", "--ra-west", "22", "--ra-east",
                                               "2",      "--max-mag", "9",  "--descending"};
    for (const char* format : {"csv", "text", "table"}) {
        std::vector<std::string> args = criteria;
        args.insert(args.end(), {"--format", format});
        std::vector<std::string> fromFile = args, fromStdin = args;
        fromFile.push_back(SampleCatalogue());
        fromStdin.push_back("-");
        const CliResult expected = RunCli(fromFile);
        ASSERT_EQ(expected.status, 0) << expected.err;

        // The copy goes to TMPDIR: a private folder here, empty afterwards.
        const std::string spool = dir + "/spool";
        ASSERT_EQ(::mkdir(spool.c_str(), 0700), 0);
        CliRun piped = ThroughPipe(fromStdin, Sample());
        ::setenv("TMPDIR", spool.c_str(), 1);
        const CliResult pipeResult = RunCli(piped);
        CliRun redirected;
        redirected.args = fromStdin;
        redirected.stdinPath = SampleCatalogue();
        const CliResult fileResult = RunCli(redirected);
        ::unsetenv("TMPDIR");
        for (const CliResult* result : {&pipeResult, &fileResult}) {
            EXPECT_EQ(result->status, 0) << format;
            EXPECT_EQ(result->err, "") << format;
            EXPECT_EQ(result->out, expected.out) << format;
        }
        EXPECT_EQ(Entries(spool), std::vector<std::string>()) << "a copy was left behind";
        ::rmdir(spool.c_str());
    }
}

TEST_F(StdinTest, CheckReadsAPipeAsItComesAndNamesItStandardInput) {
    const std::string good = WorkedLine();
    const std::vector<std::string> lines = {good, WithColumn(good, 4, "x"), "", good.substr(0, 21)};
    const std::string path = WriteLines("damaged.txt", lines);
    const CliResult fromFile = RunCli({"check", path});
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    const CliResult piped = RunCli(ThroughPipe({"check", "-"}, text));
    EXPECT_EQ(piped.status, 1);
    EXPECT_EQ(piped.err, "");
    std::string expected = fromFile.out;
    for (std::size_t at; (at = expected.find(path + ":")) != std::string::npos;) {
        expected.replace(at, path.size(), "(standard input)");
    }
    EXPECT_EQ(piped.out, expected);
    EXPECT_EQ(SplitLines(piped.out).back(), "1 star lines, 2 other lines, 1 blank lines");

    // A whole catalogue through the pipe, larger than the pipe's buffer.
    const CliResult sample = RunCli(ThroughPipe({"check", "-"}, Sample()));
    EXPECT_EQ(sample.status, 0);
    EXPECT_EQ(sample.out, "4464 star lines, 0 other lines, 0 blank lines\n");
}

TEST_F(StdinTest, PlanReadsAPipeAndWritesToDashAsToStandardOutput) {
    const std::vector<std::string> night = {"plan",       "--site", "50,10",     "--date",
                                            "2026-01-10", "--utc",  "--max-mag", "7"};
    std::vector<std::string> fromFile = night, fromStdin = night;
    fromFile.push_back(SampleCatalogue());
    fromStdin.insert(fromStdin.end(), {"-o", "-", "-"});
    const CliResult expected = RunCli(fromFile);
    ASSERT_EQ(expected.status, 0) << expected.err;
    ASSERT_GT(SplitLines(expected.out).size(), 2u) << "a night with stars in it";
    const CliResult piped = RunCli(ThroughPipe(fromStdin, Sample()));
    EXPECT_EQ(piped.status, 0);
    EXPECT_EQ(piped.err, "");
    EXPECT_EQ(piped.out, expected.out);
}

TEST_F(StdinTest, UnreadableInputAndAnUnwritableCopyEndWithAMessage) {
    // A directory as standard input opens, but reading it fails.
    for (const char* command : {"search", "check"}) {
        CliRun run;
        run.args = {command, "-"};
        run.stdinPath = dir;
        const CliResult result = RunCli(run);
        EXPECT_EQ(result.status, 2) << command;
        EXPECT_EQ(result.out, "") << command;
        EXPECT_EQ(result.err.rfind("velmo-cli: (standard input): ", 0), 0u) << result.err;
    }
    ::setenv("TMPDIR", (dir + "/missing").c_str(), 1);
    const CliResult noRoom = RunCli(ThroughPipe({"search", "-"}, Sample()));
    ::unsetenv("TMPDIR");
    EXPECT_EQ(noRoom.status, 2);
    EXPECT_EQ(noRoom.out, "");
    EXPECT_EQ(noRoom.err, "velmo-cli: (standard input): cannot keep a copy in " + dir +
                              "/missing: No such file or directory\n");
    // An empty standard input holds no star line, as an empty file does.
    const CliResult empty = RunCli({"search", "-"});
    EXPECT_EQ(empty.status, 2);
    EXPECT_NE(empty.err.find("(standard input): no star line"), std::string::npos) << empty.err;
}

}  // namespace
