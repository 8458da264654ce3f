// SPDX-License-Identifier: GPL-3.0-or-later
// velmo-cli check: one report per non-blank line that is not a star line,
// naming the first rule it breaks, and a summary that agrees with Load.
#include "cli_fixture.h"
#include "star_catalog.h"

namespace {

class CheckCommandTest : public CliTest {};

TEST_F(CheckCommandTest, EachBrokenRuleIsReportedWithItsPositionAndByte) {
    const std::string good = WorkedLine();
    const std::string path =
        WriteLines("mixed.txt", {
                                    good, WithColumn(good, 0, "A"),   // 2
                                    WithColumn(good, 3, "-"),         // 3
                                    WithColumn(good, 4, "x"),         // 4
                                    WithColumn(good, 6, "O"),         // 5
                                    "",                               // 6, blank
                                    WithColumn(good, 7, "."),         // 7
                                    WithColumn(good, 8, "X"),         // 8
                                    WithColumn(good, 9, "\xe9"),      // 9
                                    "  \t \r",                        // 10, blank
                                    WithColumn(good, 10, " "),        // 11
                                    WithColumn(good, 22, "\t"),       // 12
                                    good.substr(0, 21),               // 13
                                    good.substr(0, 8),                // 14
                                    WithColumn(good, 4, " ") + "\r",  // 15, CRLF line end
                                    WithColumn(good, 12, "\x01"),     // 16: untested position
                                    good.substr(0, 23),               // 17
                                });
    const CliResult result = RunCli({"check", path});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "");
    const std::string p = path + ":";
    EXPECT_EQ(SplitLines(result.out),
              (std::vector<std::string>{
                  p + "2: position 0 is 'A', expected a digit",
                  p + "3: position 3 is '-', expected a digit",
                  p + "4: position 4 is 'x', expected '+' or '-'",
                  p + "5: position 6 is 'O', expected a digit",
                  p + "7: position 7 is '.', expected white space or a letter",
                  p + "8: position 8 is 'X', expected white space",
                  p + "9: position 9 is '\\xe9', expected white space",
                  p + "11: position 10 is ' ', expected a printable character other than a blank",
                  p + "12: position 22 is '\\t', expected a printable character other than a "
                      "blank",
                  p + "13: line has 21 characters, a star line needs at least 23",
                  p + "14: line has 8 characters, a star line needs at least 23",
                  p + "15: position 4 is ' ', expected '+' or '-'",
                  "3 star lines, 12 other lines, 2 blank lines",
              }));
}

// Files that look sound line by line yet hold no usable catalogue: check
// says why and ends with 1; search gives the same hint.
TEST_F(CheckCommandTest, NoStarLineAndCarriageReturnsOnlyAreReported) {
    const std::string empty = WriteLines("empty.txt", {});
    const std::string blank = WriteLines("blank.txt", {"", "   "});
    for (const std::string& path : {empty, blank}) {
        const CliResult result = RunCli({"check", path});
        EXPECT_EQ(result.status, 1) << path;
        EXPECT_EQ(SplitLines(result.out).front(), path + ": no star line");
    }
    // Old Macintosh line ends: one long line to the loader.
    std::string mac;
    for (int i = 0; i < 3; ++i) mac += WorkedLine() + "\r";
    const std::string path = WriteFile("mac.txt", mac);
    const std::string hint =
        path + ": line ends are carriage returns only; the catalogue needs line feeds";
    CliResult result = RunCli({"check", path});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(SplitLines(result.out),
              (std::vector<std::string>{hint, "1 star lines, 0 other lines, 0 blank lines"}));
    CliRun piped;  // standard input, which check reads once, as it comes
    piped.args = {"check", "-"};
    piped.stdinThroughPipe = true;
    piped.stdinText = mac;
    result = RunCli(piped);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(SplitLines(result.out).front(),
              "(standard input): line ends are carriage returns only; the catalogue needs line "
              "feeds");
    result = RunCli({"search", "--count", "--max-mag", "99", "--min-mag", "0", path});
    EXPECT_EQ(result.out, "1\n") << "the loader's rule stays";
    EXPECT_EQ(result.err, "velmo-cli: " + hint + "\n");
    // CR-LF line ends, and a carriage return inside a line-feed file, are fine.
    const std::string crlf = WriteFile("crlf.txt", WorkedLine() + "\r\n" + WorkedLine() + "\r\n");
    result = RunCli({"check", crlf});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "2 star lines, 0 other lines, 0 blank lines\n");
    piped.stdinText = ReadFile(crlf);
    EXPECT_EQ(RunCli(piped).status, 0);
    EXPECT_EQ(RunCli({"search", "--count", crlf}).err, "");
}

TEST_F(CheckCommandTest, MaxReportsCapsTheReportsButNotTheCounts) {
    std::vector<std::string> lines(250, "not a star");
    lines.push_back(WorkedLine());
    const std::string path = WriteLines("many.txt", lines);
    CliResult result = RunCli({"check", path});
    EXPECT_EQ(result.status, 1);
    std::vector<std::string> out = SplitLines(result.out);
    ASSERT_EQ(out.size(), 101u);  // the default 100, then the summary
    EXPECT_EQ(out[99], path + ":100: position 0 is 'n', expected a digit");
    EXPECT_EQ(out[100], "1 star lines, 250 other lines, 0 blank lines");

    result = RunCli({"check", "--max-reports", "0", path});
    EXPECT_EQ(result.out, "1 star lines, 250 other lines, 0 blank lines\n");
    result = RunCli({"check", "--max-reports=1000", path});
    EXPECT_EQ(SplitLines(result.out).size(), 251u);

    // Every non-blank line a star line: status 0 and the summary alone.
    result = RunCli({"check", "--max-reports", "3", SampleCatalogue()});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "4464 star lines, 0 other lines, 0 blank lines\n");
}

TEST_F(CheckCommandTest, StarLinesAreExactlyTheLinesLoadKeeps) {
    // Random lines, some scrambled at the tested positions, some cut short.
    std::uint32_t state = 2024;
    std::vector<std::string> lines;
    for (int i = 0; i < 3000; ++i) {
        std::string line = RandomStarLine(state);
        if (i % 3 == 0) line[static_cast<std::size_t>(i % 24)] = static_cast<char>(' ' + i % 95);
        if (i % 7 == 0) line.resize(static_cast<std::size_t>(i % 30));
        lines.push_back(line);
    }
    const std::string path = WriteLines("random.txt", lines);
    StarCatalog engine;
    const std::int32_t loaded = engine.Load(path.c_str());
    ASSERT_GT(loaded, 0);
    const CliResult result = RunCli({"check", "--max-reports", "0", path});
    EXPECT_EQ(result.out.substr(0, result.out.find(' ')), std::to_string(loaded));
}

}  // namespace
