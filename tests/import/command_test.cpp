// SPDX-License-Identifier: GPL-3.0-or-later
// The real import command run as a separate process on real files.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "import_test_support.h"
#include "line_layout.h"
#include "star_catalog.h"

namespace {

using import_test::Fixture;
using import_test::ReadFile;
using import_test::RunImport;
using import_test::SplitLines;
using import_test::TempDir;

using import_test::kFixtureSummary;

// The same eleven stars in GCVS form and as tables with different header
// spellings, separators and position forms give the same lines.
TEST(ImportCommandTest, EveryFixtureGivesTheExpectedLines) {
    const std::string expected = ReadFile(Fixture("stars.expected.txt"));
    ASSERT_EQ(SplitLines(expected).size(), 10u);
    for (const char* name : {"stars.gcvs.txt", "stars.csv", "stars.tsv", "stars-semicolon.csv"}) {
        SCOPED_TRACE(name);
        const auto result = RunImport({Fixture(name)});
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.out, expected);
        EXPECT_EQ(result.err, kFixtureSummary);
    }
}

TEST(ImportCommandTest, WrittenLinesLoadBackToThePublishedValues) {
    TempDir dir;
    const std::string out = dir.PathOf("stars.txt");
    ASSERT_EQ(RunImport({Fixture("stars.gcvs.txt"), "-o", out}).status, 0);
    struct Star {
        const char* name;  // right-justified as the record holds it
        int hours, minutes, degrees;
        const char* type;
        double max, min, period;
    };
    const Star stars[] = {
        {"      R And", 0, 24, 38, "M       ", 5.8, 15.2, 409.2},
        {"    omi Cet", 2, 19, -2, "M       ", 2.0, 10.1, 331.96},
        {"    bet Per", 3, 8, 40, "EA/SD   ", 2.09, 3.30, 2.8673},
        {"    del Ori", 5, 32, 0, "EA/DM   ", 2.14, 2.26, 5.7324},
        {"    alf Vir", 13, 25, -11, "ELL+BCEP", 0.95, 1.05, 4.0146},
        {"      T CrB", 15, 59, 25, "NR      ", 2.0, 10.8, 0},
        {"     RR Lyr", 19, 25, 42, "RRAB    ", 7.06, 8.12, 0.5669},
        {"Nova Del 20", 20, 23, 20, "NA      ", 4.3, 17.6, 0},
        {"    mu. Cep", 21, 43, 58, "SRC     ", 3.43, 5.1, 730},
        {"    gam Cas", 0, 56, 60, "GCAS    ", 1.6, 3.0, 0},
    };
    StarCatalog catalog;
    ASSERT_EQ(catalog.Load(out.c_str()), 10);
    const StarRecord* record = catalog.FirstRecord();
    for (const Star& star : stars) {
        ASSERT_NE(record, nullptr);
        SCOPED_TRACE(star.name);
        EXPECT_STREQ(record->name, star.name);
        EXPECT_EQ(record->raHours, star.hours);
        EXPECT_EQ(record->raMinutes, star.minutes);
        EXPECT_EQ(record->decDegrees, star.degrees);
        EXPECT_STREQ(record->type, star.type);
        EXPECT_NEAR(record->maxMagnitude, star.max, 1e-6);
        EXPECT_NEAR(record->minMagnitude, star.min, 1e-6);
        EXPECT_NEAR(record->period, star.period, 1e-9);
        record = record->next;
    }
    // del Ori lies between 0 and -1 degree: "-00", still south.
    EXPECT_EQ(std::string(catalog.FirstRecord()->next->next->next->line).substr(0, 7), "0532-00");
}

// Splits a sample line into the fields of a CSV row as a catalogue service
// would export it: "hh mm" and "+dd" positions, no description column.
std::string SampleRowAsCsv(const std::string& line) {
    namespace layout = velmo::line_layout;
    const auto field = [&](layout::Field at) { return line.substr(at.first, at.width); };
    const auto trimmed = [&](layout::Field at) {
        const std::string text = field(at);
        const auto first = text.find_first_not_of(' ');
        if (first == std::string::npos) return std::string();
        return text.substr(first, text.find_last_not_of(' ') - first + 1);
    };
    return "\"" + trimmed(layout::kName) + "\"," + field(layout::kRaHours) + " " +
           field(layout::kRaMinutes) + "," + field(layout::kDeclination) + "," +
           trimmed(layout::kType) + "," + trimmed(layout::kMaxMagnitude) + "," +
           trimmed(layout::kMinMagnitude) + "," + trimmed(layout::kPeriod) + "\n";
}

TEST(ImportCommandTest, SampleCatalogueAsCsvComesBackByteForByte) {
    const std::string sample = ReadFile(std::string(VELMO_DATA_DIR) + "/bright-variable-stars.txt");
    const std::vector<std::string> lines = SplitLines(sample);
    ASSERT_EQ(lines.size(), 4464u);
    std::string csv = "GCVS,RAJ2000,DEJ2000,VarType,magMax,magMin,Period\n";
    for (const std::string& line : lines) csv += SampleRowAsCsv(line);
    TempDir dir;
    const std::string out = dir.PathOf("sample.txt");
    const auto result = RunImport({dir.Write("sample.csv", csv), "--output", out});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "imported 4464 stars\n");
    const std::vector<std::string> back = SplitLines(ReadFile(out));
    ASSERT_EQ(back.size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        ASSERT_EQ(back[i], lines[i]) << "sample line " << i + 1;
    }
}

TEST(ImportCommandTest, VerboseTellsEveryReasonWithItsLine) {
    TempDir dir;
    const std::string input = dir.Write(
        "mixed.gcvs",
        "header line\n"
        "000001 |R     And *|002401.95 +383437.3 |M         |  5.8    |  15.2      |x|V|e|y|"
        "   409.2   |\n"
        "000002 |NO    Pos  |                    |M         |  5.8    |  15.2      |x|V|e|y|"
        "           |\n"
        "000003 |NO    Typ  |002401.95 +383437.3 |          |  5.8    |  15.2      |x|V|e|y|"
        "           |\n"
        "000004 |eta   Car *|104503.59 -594104.3 |SDOR      | -0.8    |   7.9      |x|V|e|y|"
        "           |\n"
        "000005 |SHORT Lin  |002401.95 +383437.3 |M\n"
        "000006 |V1234 Sagittarii |002401.95 +383437.3 |M+EA/DM+ELL |5.8|(9.5)|x|V|e|y|"
        "(29000)|\n");
    const auto result = RunImport({"--verbose", input});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out,
              "0024+38   R And       M           5.80  15.20  409.2000Andromeda           \n"
              "0024+38   V1234 Sagit M+EA/DM+    5.80  15.30                              \n");
    EXPECT_EQ(result.err,
              input + ":3: skipped: no position\n" + input + ":4: skipped: no type\n" + input +
                  ":5: skipped: maximum -0.8 is negative\n" + input +
                  ":6: skipped: 4 fields, a GCVS record has 11 up to the period\n" + input +
                  ":7: name 'V1234 Sagittarii' cut to 'V1234 Sagit'; type 'M+EA/DM+ELL' cut "
                  "to 'M+EA/DM+'\n"
                  "imported 2 stars; skipped 4 (1 without a position, 1 without a type, 1 with a "
                  "negative magnitude, 1 malformed); 1 name and 1 type cut\n");
}

// A service's export: flags in columns of their own, a units line that
// puts the right ascension in hours, a component letter after the
// constellation.
TEST(ImportCommandTest, ServiceExportsWithFlagColumnsGiveTheCatalogueValues) {
    const auto result = RunImport({Fixture("service-flags.tsv")});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out,
              "0019+32   WW And      EA         10.92  11.59   23.2852Andromeda           \n"
              "0100+41   RX And      UGZ        10.20  14.90          Andromeda           \n"
              "0330-09   DD Eri      SRB         9.10   9.80          Eridanus            \n"
              "2306+61   CE CasA     DCEP       10.92  11.59    5.1410Cassiopeia          \n"
              "2306+61   Amp only    M                                                    \n");
    EXPECT_EQ(result.err, "imported 5 stars; 1 amplitude without a maximum left blank\n");

    // A units line says degrees; --ra-hours still has the last word.
    TempDir dir;
    const std::string input = dir.Write(
        "deg.csv", "Name,RAJ2000,DEJ2000,Type,max\n,deg,deg,,mag\nR And,6.0,38.5,M,5.8\n");
    EXPECT_EQ(RunImport({input}).out.substr(0, 7), "0024+38");
    EXPECT_EQ(RunImport({"--ra-hours", input}).out.substr(0, 7), "0600+38");
}

// One unclosed quote loses at most the record limit's lines, quickly, and
// says so even without --verbose.
TEST(ImportCommandTest, AnUnclosedQuoteIsReportedAndReadingGoesOn) {
    std::string csv =
        "Name,RAJ2000,DEJ2000,Type,max,min,P\n\"R And,00 24 01.95,+38 34 37.3,M,5.8,,\n";
    for (int i = 0; i < 24083; ++i) {
        csv += "X" + std::to_string(i) + " And,00 24 01.95,+38 34 37.3,M,5.8,,\n";
    }
    TempDir dir;
    const std::string input = dir.Write("open-quote.csv", csv);
    const auto result = RunImport({input});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(SplitLines(result.out).size(), 23084u);
    EXPECT_EQ(result.err, "velmo-cli: note: " + input +
                              ":2: record of 1000 lines runs past 1000 lines (a quote not "
                              "closed?); its lines are not read\n"
                              "imported 23084 stars; skipped 1 (1 malformed); 1000 lines in 1 "
                              "overlong record not read\n");
}

TEST(ImportCommandTest, StatusIsOneWhenNothingIsWrittenAndTwoOnErrors) {
    TempDir dir;
    struct Case {
        std::string content;
        std::vector<std::string> extra;
        int status;
        std::string err;  // expected standard error after "INPUT" is replaced
    };
    const Case cases[] = {
        {"",
         {},
         2,
         "velmo-cli: INPUT: no header row: the input holds no line but blank lines and "
         "comments\n"},
        {"", {"--kind=gcvs"}, 1, "imported 0 stars\n"},
        {"Name,Coords,Type,Mag\n",
         {},
         1,
         "velmo-cli: note: INPUT: no period column (Period, Per, P): periods are left blank\n"
         "imported 0 stars\n"},
        {"Name,RA,Dec,Kind\nR And,1,2,M\n",
         {},
         2,
         "velmo-cli: INPUT: no column for: Type, VarType, VarClass, Class; max, magMax, "
         "MaxMag (or one of Mag, Range, Magnitude); headers seen: 'Name', 'RA', 'Dec', 'Kind'\n"},
        {std::string("\x7f"
                     "ELF\x02\x01\x01\0\0\0\0\xff\xfe,\xd0\n\x01\x02|\x03\0",
                     22),
         {},
         2,
         "velmo-cli: INPUT: no column for: Name, GCVS, VarName, Designation, Star, ID; "
         "RAJ2000, _RAJ2000, RA_ICRS, RAdeg, RA; DEJ2000, _DEJ2000, DE_ICRS, DEdeg, Dec, DE (or "
         "one of Coords, Coords(J2000), Position); Type, VarType, VarClass, Class; max, magMax, "
         "MaxMag (or one of Mag, Range, Magnitude); headers seen: "
         "'\\x7FELF\\x02\\x01\\x01\\x00\\x00\\x00"
         "\\x00\xff\xfe', '\xd0'\n"},
        {std::string("000001|\0\xff|\x01", 11),
         {"--kind", "gcvs"},
         1,
         "imported 0 stars; skipped 1 (1 malformed)\n"},
        {"Name,Coords,Type,Mag,Per\nX Y,junk,M,5,1\n",
         {},
         1,
         "imported 0 stars; skipped 1 (1 with an unreadable position)\n"},
    };
    int index = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(index);
        const std::string input = dir.Write("input" + std::to_string(index++), c.content);
        std::vector<std::string> args = c.extra;
        args.push_back(input);
        const auto result = RunImport(args);
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(result.out, "");
        std::string err = c.err;
        for (auto at = err.find("INPUT"); at != std::string::npos; at = err.find("INPUT")) {
            err.replace(at, 5, input);
        }
        EXPECT_EQ(result.err, err);
    }

    const auto missing = RunImport({dir.PathOf("no-such-file")});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.err, "velmo-cli: cannot read '" + dir.PathOf("no-such-file") +
                               "': No such file or directory\n");
    const auto folder = RunImport({dir.PathOf("")});
    EXPECT_EQ(folder.status, 2);
    EXPECT_NE(folder.err.find("Is a directory"), std::string::npos) << folder.err;
}

TEST(ImportCommandTest, OptionErrorsAndHelp) {
    const auto help = RunImport({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: velmo-cli import [OPTIONS] INPUT [-o FILE]\n", 0), 0u);
    EXPECT_EQ(help.out, ReadFile(VELMO_IMPORT_USAGE_FILE));
    struct Case {
        std::vector<std::string> args;
        const char* err;
    };
    const Case cases[] = {
        {{}, "velmo-cli: import: no INPUT given; see 'velmo-cli import --help'\n"},
        {{"a", "b"},
         "velmo-cli: import: one INPUT only, got 'a' and 'b'; see 'velmo-cli import "
         "--help'\n"},
        {{"--kind=csv", "a"},
         "velmo-cli: import: --kind must be gcvs, table, votable or fits, not 'csv'; see "
         "'velmo-cli import --help'\n"},
        {{"--colour", "a"},
         "velmo-cli: import: unknown option '--colour'; see 'velmo-cli import --help'\n"},
        {{"--ra", "a"},
         "velmo-cli: import: ambiguous option '--ra' (--ra-hours, --ra-column, --range-column); "
         "see 'velmo-cli import --help'\n"},
        {{"a", "-o"},
         "velmo-cli: import: option '-o' needs a value; see 'velmo-cli import --help'\n"},
    };
    for (const Case& c : cases) {
        const auto result = RunImport(c.args);
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, c.err);
    }
}

TEST(ImportCommandTest, OutputFileIsReplacedOnlyByACompleteImport) {
    TempDir dir;
    const std::string out = dir.Write("out.txt", "old content\n");
    ::chmod(out.c_str(), 0640);
    // Nothing to write: the old file stays.
    const std::string empty = dir.Write("empty.csv", "Name,Coords,Type,Mag,P\n");
    EXPECT_EQ(RunImport({empty, "-o", out}).status, 1);
    EXPECT_EQ(ReadFile(out), "old content\n");
    // An error: the old file stays, no temporary file is left.
    EXPECT_EQ(RunImport({dir.PathOf("missing.csv"), "-o", out}).status, 2);
    EXPECT_EQ(RunImport({Fixture("stars.csv"), "--kind=gcvs", "-o", out}).status, 1);
    EXPECT_EQ(ReadFile(out), "old content\n");
    const auto noFolder = RunImport({Fixture("stars.csv"), "-o", dir.PathOf("no/such.txt")});
    EXPECT_EQ(noFolder.status, 2);
    EXPECT_EQ(noFolder.err,
              "velmo-cli: " + dir.PathOf("no/such.txt") + ": No such file or directory\n");
    // Written: replaced whole, permissions kept, nothing on standard output.
    const auto result = RunImport({"-o", out, Fixture("stars.tsv")});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(ReadFile(out), ReadFile(Fixture("stars.expected.txt")));
    struct stat info {};
    ASSERT_EQ(::stat(out.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    // The input is never the output: refused before anything is read.
    EXPECT_EQ(RunImport({"-o", out, "--kind", "table", out}).status, 2);
    const std::string copy = dir.Write("copy.gcvs", ReadFile(Fixture("stars.gcvs.txt")));
    const auto same = RunImport({"-o", copy, copy});
    EXPECT_EQ(same.status, 2);
    EXPECT_EQ(same.err, "velmo-cli: " + copy + ": output would replace the input\n");
    EXPECT_EQ(ReadFile(copy), ReadFile(Fixture("stars.gcvs.txt")));
    int entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.PathOf(""))) {
        (void)entry;
        ++entries;
    }
    EXPECT_EQ(entries, 3) << "out.txt, empty.csv and copy.gcvs only";
}

TEST(ImportCommandTest, FullDiskClosedPipeAndUnreadableInputEndWithTwo) {
    const auto full = RunImport({Fixture("stars.csv"), "-o", "/dev/full"});
    EXPECT_EQ(full.status, 2);
    EXPECT_EQ(full.err, "velmo-cli: cannot write '/dev/full': No space left on device\n");

    // A reader that goes away after the first bytes: quiet status 2.
    TempDir dir;
    std::string big = "Name,Coords,Type,Mag,P\n";
    for (int i = 0; i < 200000; ++i) big += "R And,00 24 01.95 +38 34 37.3,M,5.8 - 15.2,409.2\n";
    const std::string input = dir.Write("big.csv", big);
    const std::string err = dir.PathOf("err");
    const std::string command = "set -o pipefail; '" + std::string(VELMO_IMPORT_PROGRAM) +
                                "' import '" + input + "' 2>'" + err + "' | head -c 100 >/dev/null";
    EXPECT_EQ(tktest::RunProgram({"bash", "-c", command}).status, 2);
    EXPECT_EQ(ReadFile(err), "");

    // A file its user may not read (root reads everything, so drop to nobody).
    const std::string secret = dir.Write("secret.csv", "Name,Coords,Type,Mag\n");
    ::chmod(secret.c_str(), 0);
    const auto denied = RunImport({secret}, "", {}, true);
    EXPECT_EQ(denied.status, 2);
    EXPECT_EQ(denied.err, "velmo-cli: cannot read '" + secret + "': Permission denied\n");
}

TEST(ImportCommandTest, StandardInputAndDecimalCommaLocaleGiveTheSameLines) {
    const std::string expected = ReadFile(Fixture("stars.expected.txt"));
    const auto piped = RunImport({"-"}, ReadFile(Fixture("stars.tsv")), {"LC_ALL=de_DE.UTF-8"});
    EXPECT_EQ(piped.status, 0);
    EXPECT_EQ(piped.out, expected);
    const auto verbose = RunImport({"-v", "-"}, ReadFile(Fixture("stars.csv")));
    EXPECT_EQ(verbose.err.rfind("(standard input):6: skipped: maximum -0.8 is negative\n", 0), 0u)
        << verbose.err;
}

TEST(ImportCommandTest, DecimalHoursAndColumnOverridesFromTheCommandLine) {
    TempDir dir;
    const std::string input = dir.Write("hours.csv",
                                        "Designation,Alpha,Delta,Type,Bright,Faint,Days\n"
                                        "R And,0.400542,38.577,M,5.8,15.2,409.2\n");
    const auto result =
        RunImport({"--ra-hours", "--ra-column=alpha", "--dec-column", "DELTA", "--max-column",
                   "Bright", "--min-column=Faint", "--period-column=Days", input});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out,
              "0024+38   R And       M           5.80  15.20  409.2000Andromeda           \n");
    EXPECT_EQ(result.err, "imported 1 star\n");
}

}  // namespace
