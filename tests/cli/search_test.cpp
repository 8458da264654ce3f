// SPDX-License-Identifier: GPL-3.0-or-later
// velmo-cli search: its output against the engine's own saves, the table
// against the window's row texts, the order, the count and exit statuses.
#include <algorithm>

#include "cli_fixture.h"
#include "criteria.h"
#include "star_catalog.h"

namespace {

class SearchCommandTest : public CliTest {
  protected:
    // What the engine's own SaveCsv (csv true) or SaveText writes for the
    // search of `path` with `criteria` (in the order of velmo::Criteria: the
    // maximum's limit before the minimum's), set as the window sets them.
    std::string EngineSave(const std::string& path, bool csv, const velmo::Criteria& criteria,
                           bool specific = true) {
        StarCatalog engine;
        EXPECT_GT(engine.Load(path.c_str()), 0);
        EXPECT_TRUE(velmo::SetCriteria(engine, criteria, specific));
        EXPECT_GT(engine.Search(specific), 0) << "pick criteria that match something";
        const std::string saved = PathOf(csv ? "engine.csv" : "engine.txt");
        EXPECT_GT(csv ? engine.SaveCsv(saved.c_str()) : engine.SaveText(saved.c_str()), 0);
        return ReadFile(saved);
    }

    // Catalogue lines for the table, the period pair and the modes.
    std::string Crafted() {
        StarLine south;  // 05:07, -05, period 1.5
        south.ra = "0507";
        south.dec = "-05";
        south.name = "S Ori";
        south.maxMag = " 6.50";
        south.minMag = " 7.00";
        south.period = "   1.5000";
        south.description = "South";
        StarLine zero = south;  // 00:00, -00, no period
        zero.ra = "0000";
        zero.dec = "-00";
        zero.name = "Z Psc";
        zero.period = "";
        zero.description = "Zero";
        StarLine bare = zero;  // nothing given: only the unspecified mode takes it
        bare.ra = "2359";
        bare.dec = "+45";
        bare.name = "B Cyg";
        bare.maxMag = bare.minMag = "";
        bare.description = "Bare";
        StarLine slow = south;  // period 30000.5 days
        slow.ra = "1200";
        slow.dec = "+89";
        slow.name = "L Umi";
        slow.period = "  30K5   ";
        slow.description = "Slow";
        return WriteLines("crafted.txt", {south.Build(), zero.Build(), bare.Build(), slow.Build()});
    }
};

TEST_F(SearchCommandTest, DefaultsAreTheWindowsInitialCriteria) {
    // The window starts with 0-23 h, -90..90, Max > 7, Min < 6, 0-1000 days,
    // "Specific?" ticked. The engine's own initial longest period differs
    // (10000), and the sample has stars between the two.
    const std::string expected =
        EngineSave(SampleCatalogue(), true, {0, 23, -90, 90, 7.0f, 6.0f, 0.0, 1000.0});
    CliRun run;
    run.args = {"search", SampleCatalogue()};
    run.environment = {"LC_ALL=de_DE.UTF-8"};  // a decimal comma must change nothing
    const CliResult result = RunCli(run);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, expected);

    run.args = {"search",    "--max-mag", "7.5",           "--min-mag", "6.25",
                "--ra-west", "3",         "--period-most", "1e3",       SampleCatalogue()};
    EXPECT_EQ(RunCli(run).out,
              EngineSave(SampleCatalogue(), true, {3, 23, -90, 90, 7.5f, 6.25f, 0.0, 1000.0}));
}

TEST_F(SearchCommandTest, CsvAndTextAreTheEnginesSavesInEitherOrderOnStdoutAndInAFile) {
    // The benchmarked job: RA through hour 0, a declination band, 1-500 days.
    const std::vector<std::string> job = {
        "--ra-west", "22", "--ra-east", "2", "--dec-south",    "-30", "--dec-north",   "60",
        "--max-mag", "9",  "--min-mag", "6", "--period-least", "1",   "--period-most", "500"};
    for (const bool csv : {true, false}) {
        const std::string expected =
            EngineSave(SampleCatalogue(), csv, {22, 2, -30, 60, 9.0f, 6.0f, 1.0, 500.0});
        std::vector<std::string> args = {"search", "--format", csv ? "csv" : "text"};
        args.insert(args.end(), job.begin(), job.end());
        args.push_back(SampleCatalogue());
        CliResult result = RunCli(args);
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.out, expected);

        const std::string file = WriteFile("out", "earlier content\n");
        std::vector<std::string> toFile = args;
        toFile.insert(toFile.begin() + 1, {"-o", file});
        result = RunCli(toFile);
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(ReadFile(file), expected);

        // --descending: the same lines from the last to the first, the CSV
        // header still on top.
        std::vector<std::string> lines = SplitLines(expected);
        std::reverse(lines.begin() + (csv ? 1 : 0), lines.end());
        args.insert(args.begin() + 1, "--descending");
        result = RunCli(args);
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(SplitLines(result.out), lines);
    }
}

TEST_F(SearchCommandTest, TableRowsAreTheWindowsRowTexts) {
    const std::string path = Crafted();
    const CliResult result =
        RunCli({"search", "--format", "table", "--period-most", "100000", "--max-mag", "7", path});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(
        SplitLines(result.out),
        (std::vector<std::string>{
            " R.A.  Dec.         Name  Type      Magnitude           Period  Description",
            "05:07   -05        S Ori  M           6.50   7.00       1.5000  South               ",
            "12:00    89        L Umi  M           6.50   7.00   30000.5000  Slow                ",
        }));
    // A star without a period shows an empty period cell; -00 shows as 00.
    const CliResult bare = RunCli({"search", "--format", "table", "--unspecified", "--descending",
                                   "--ra-west", "23", "--ra-east", "0", path});
    EXPECT_EQ(bare.status, 0);
    EXPECT_EQ(
        SplitLines(bare.out),
        (std::vector<std::string>{
            " R.A.  Dec.         Name  Type      Magnitude           Period  Description",
            "23:59    45        B Cyg  M                                     Bare                ",
        }));
    const StarLine zeroStar = [] {
        StarLine star;
        star.ra = "0000";
        star.dec = "-00";
        return star;
    }();
    const CliResult zero = RunCli({"search", "--format", "table", "--max-mag", "99", "--min-mag",
                                   "0", WriteLines("zero.txt", {zeroStar.Build()})});
    ASSERT_EQ(SplitLines(zero.out).size(), 2u);
    EXPECT_EQ(SplitLines(zero.out)[1].substr(0, 12), "00:00    00 ");
}

TEST_F(SearchCommandTest, CountModesAndThePeriodPairGiveTheirStatus) {
    const std::string path = Crafted();
    // Both bounds above the engine's initial longest period (10000): the
    // order of the setters must not matter. A longest period of 0 is refused.
    CliResult result = RunCli({"search", "--count", "--period-least", "20000", "--period-most",
                               "50000", "--max-mag", "7", path});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "1\n");
    result = RunCli({"search", "--count", "--period-most", "0", "--max-mag", "99", path});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "velmo-cli: --period-most 0: Most must be greater than 0.\n");
    // Unspecified: the magnitude and period pair play no part, and may be inverted.
    result = RunCli({"search", "--count", "--unspecified", "--period-least", "500", "--period-most",
                     "100", path});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "1\n");
    // Nothing found: status 1, the CSV header alone, the text empty, also in
    // a file that held something before.
    result = RunCli({"search", "--dec-south", "90", path});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, "Hr,Min,Deg,Name,Type,Range,Desc,Max,Min,Period\n");
    const std::string file = WriteFile("out.txt", "yesterday's list\n");
    result = RunCli({"search", "--format", "text", "--dec-south", "90", "-o", file, path});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(ReadFile(file), "");
}

}  // namespace
