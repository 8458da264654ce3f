// SPDX-License-Identifier: GPL-3.0-or-later
// The exports, byte for byte: CSV and catalogue lines, empty results,
// nothing loaded, unwritable paths, full disks, and the number locale.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "block_writer.h"
#include "catalog_fixture.h"
#include "line_layout.h"
#include "tests/support/numeric_locale.h"

namespace {

namespace layout = velmo::line_layout;

constexpr char kHeader[] = "Hr,Min,Deg,Name,Type,Range,Desc,Max,Min,Period\n";

class ExportTest : public CatalogTest {};

TEST_F(ExportTest, CsvWritesEveryFieldByteForByte) {
    StarLine south;
    south.ra = "2359";
    south.dec = "-05";
    south.name = "A\"B C";
    south.type = "EA/SD";
    south.maxMag = " 7.00";
    south.minMag = "12.50";
    south.period = "1234.5678";
    south.description = "Carina";
    StarLine minusZero;
    minusZero.dec = "-00";
    minusZero.maxMag = "";
    minusZero.minMag = "";
    minusZero.period = "1234K5678";
    StarLine kilo = minusZero;
    kilo.period = " 999K9999";
    ASSERT_EQ(LoadLines({WorkedLine(), south.Build(), minusZero.Build(), kilo.Build()}), 4);

    const std::string path = PathOf("out.csv");
    EXPECT_EQ(catalog.SaveCsv(path.c_str()), 4);
    EXPECT_EQ(ReadFile(path), std::string(kHeader) +
                                  "0,24,38,\"      R AND\",\"M       \",\"  5.80  15.20 \","
                                  "\"EXAMPLE DESCRIPTION \",5.8,15.2,409.33\n"
                                  "23,59,-5,\"      A\"\"B C\",\"EA/SD   \",\"  7.00  12.50 \","
                                  "\"Carina              \",7,12.5,1234.57\n"
                                  "0,24,0,\"      R AND\",\"M       \",\"              \","
                                  "\"EXAMPLE DESCRIPTION \",0,0,1.234e+06\n"
                                  "0,24,0,\"      R AND\",\"M       \",\"              \","
                                  "\"EXAMPLE DESCRIPTION \",0,0,999001\n");
    EXPECT_EQ(catalog.OutputPath(), path);
}

TEST_F(ExportTest, TextWritesTheStoredLines) {
    const std::string shortLine = WorkedLine().substr(0, 40);
    const std::string longLine = WorkedLine() + "+ 24 more characters here";
    ASSERT_EQ(LoadText(WorkedLine() + "\r\n" + shortLine + "\n" + longLine), 3);
    const std::string path = PathOf("out.txt");
    EXPECT_EQ(catalog.SaveText(path.c_str()), 3);
    EXPECT_EQ(ReadFile(path),
              WorkedLine() + "\n" + shortLine + std::string(35, ' ') + "\n" + longLine + "\n");
}

// A double quote as the last stored character of each text field is doubled
// like any other.
TEST_F(ExportTest, QuoteInTheLastPositionOfAFieldIsDoubled) {
    std::string line = WorkedLine();
    line = WithColumn(line, layout::kName.first, "ABCDEFGHIJ\"");  // 11 characters
    line = WithColumn(line, layout::kType.first, "EA/SD  \"");     // 8
    line = WithColumn(line, layout::kRange.End() - 1, "\"");
    line = WithColumn(line, layout::kDescription.End() - 1, "\"");
    ASSERT_EQ(LoadLines({line}), 1);
    const std::string path = PathOf("quotes.csv");
    ASSERT_EQ(catalog.SaveCsv(path.c_str()), 1);
    EXPECT_EQ(ReadFile(path),
              std::string(kHeader) +
                  "0,24,38,\"ABCDEFGHIJ\"\"\",\"EA/SD  \"\"\",\"  5.80  15.20\"\"\","
                  "\"EXAMPLE DESCRIPTION\"\"\",5.8,15.2,409.33\n");
}

// Lines around and beyond the size of the writer's block are written whole,
// after shorter lines and before them.
TEST_F(ExportTest, LinesOfABlockAndLongerAreWrittenWhole) {
    constexpr std::size_t kBlock = velmo::BlockWriter::kBlockSize;
    std::vector<std::string> lines;
    for (const std::size_t length : {kBlock - 1, kBlock, kBlock + 1, 3 * kBlock + 7}) {
        lines.push_back(WorkedLine());
        std::string longLine = WorkedLine() + std::string(length - 75, 'x');
        longLine.back() = 'E';
        lines.push_back(longLine);
    }
    lines.push_back(WorkedLine());
    ASSERT_EQ(LoadLines(lines), static_cast<std::int32_t>(lines.size()));
    std::string expected;
    for (const std::string& line : lines) expected += line + "\n";
    const std::string path = PathOf("long.txt");
    ASSERT_EQ(catalog.SaveText(path.c_str()), static_cast<std::int32_t>(lines.size()));
    EXPECT_TRUE(ReadFile(path) == expected) << "the written file differs from the lines loaded";
}

TEST_F(ExportTest, EmptyResultTouchesNoFile) {
    ASSERT_EQ(LoadLines({WorkedLine()}), 1);
    ASSERT_EQ(catalog.SaveText(PathOf("first.txt").c_str()), 1);
    catalog.SetRaWest(5);
    catalog.SetRaEast(5);
    ASSERT_EQ(catalog.Search(true), 0);
    const std::string csv = WriteFile("out.csv", "old content\n");
    const std::string text = WriteFile("out.txt", "old content\n");
    EXPECT_EQ(catalog.SaveCsv(csv.c_str()), 0);
    EXPECT_EQ(catalog.SaveText(text.c_str()), 0);
    EXPECT_EQ(catalog.SaveCsv(PathOf("new.csv").c_str()), 0);
    EXPECT_EQ(ReadFile(csv), "old content\n");
    EXPECT_EQ(ReadFile(text), "old content\n");
    EXPECT_NE(access(PathOf("new.csv").c_str(), F_OK), 0);
    EXPECT_EQ(catalog.OutputPath(), PathOf("first.txt"));
}

TEST_F(ExportTest, NothingLoadedTouchesNoFile) {
    const std::string path = WriteFile("keep.txt", "keep me\n");
    EXPECT_EQ(catalog.SaveCsv(path.c_str()), 0);
    EXPECT_EQ(catalog.SaveText(path.c_str()), 0);
    EXPECT_EQ(catalog.SaveCsv(PathOf("new.csv").c_str()), 0);
    EXPECT_EQ(ReadFile(path), "keep me\n");
    EXPECT_NE(access(PathOf("new.csv").c_str(), F_OK), 0);
    EXPECT_STREQ(catalog.OutputPath(), "");
}

TEST_F(ExportTest, UnopenablePathFailsAndTheNextSaveWorks) {
    ASSERT_EQ(LoadLines({WorkedLine()}), 1);
    const std::string badPaths[] = {dir, PathOf("no/such/dir.csv")};
    for (const std::string& bad : badPaths) {
        EXPECT_EQ(catalog.SaveCsv(bad.c_str()), -1) << bad;
        EXPECT_EQ(catalog.OutputPath(), bad);
        EXPECT_EQ(catalog.SaveText(bad.c_str()), -1) << bad;
    }
    EXPECT_EQ(catalog.SaveCsv(nullptr), -1);
    const std::string good = PathOf("good.txt");
    EXPECT_EQ(catalog.SaveText(good.c_str()), 1);
    EXPECT_EQ(ReadFile(good), WorkedLine() + "\n");
}

TEST_F(ExportTest, FullDiskIsAnError) {
    if (access("/dev/full", W_OK) != 0) {
        GTEST_SKIP() << "no writable /dev/full on this machine";
    }
    ASSERT_EQ(LoadLines({WorkedLine(), WorkedLine()}), 2);
    EXPECT_EQ(catalog.SaveCsv("/dev/full"), -1);
    EXPECT_EQ(catalog.SaveText("/dev/full"), -1);
    const std::string path = PathOf("after.csv");
    EXPECT_EQ(catalog.SaveCsv(path.c_str()), 2);  // no error state carried over

    // A result list bigger than one write block fails as well.
    std::vector<std::string> lines(30000, WorkedLine());
    ASSERT_EQ(LoadLines(lines), 30000);
    EXPECT_EQ(catalog.SaveText("/dev/full"), -1);
    EXPECT_EQ(catalog.SaveCsv("/dev/full"), -1);
}

TEST_F(ExportTest, SavingKeepsTheCursorAndWritesCatalogueOrder) {
    ASSERT_EQ(LoadLines({WithColumn(WorkedLine(), 0, "0100"), WithColumn(WorkedLine(), 0, "0200"),
                         WithColumn(WorkedLine(), 0, "0300")}),
              3);
    catalog.MoveLast();
    catalog.MovePrev();
    const ResultNode* cursor = catalog.Cursor();
    const std::string path = PathOf("out.txt");
    ASSERT_EQ(catalog.SaveText(path.c_str()), 3);
    EXPECT_EQ(catalog.SaveCsv(PathOf("out.csv").c_str()), 3);
    EXPECT_EQ(catalog.Cursor(), cursor);
    EXPECT_FALSE(catalog.IsAtFirst());
    EXPECT_FALSE(catalog.IsAtLast());
    EXPECT_EQ(ReadFile(path).substr(0, 4), "0100");
}

TEST_F(ExportTest, SavingAgainReplacesTheFile) {
    ASSERT_EQ(LoadLines({WorkedLine(), WorkedLine()}), 2);
    std::string path = dir + "/" + std::string(200, 'd');
    ASSERT_EQ(mkdir(path.c_str(), 0700), 0);
    path += "/" + std::string(200, 'f') + ".txt";  // longer than 255 characters
    ASSERT_EQ(catalog.SaveText(path.c_str()), 2);
    ASSERT_EQ(LoadLines({WithColumn(WorkedLine(), 0, "0100")}), 1);
    ASSERT_EQ(catalog.SaveText(path.c_str()), 1);
    EXPECT_EQ(ReadFile(path), WithColumn(WorkedLine(), 0, "0100") + "\n");
    EXPECT_EQ(catalog.OutputPath(), path);
}

// SaveText then Load gives the same records, whatever the line ends and
// lengths of the original file.
TEST_F(ExportTest, SavedTextLoadsBackToTheSameRecords) {
    std::uint32_t state = 2024;
    std::string text;
    for (int i = 0; i < 2000; ++i) {
        std::string line = RandomStarLine(state);
        if (i % 97 == 0) {
            line += std::string(static_cast<std::size_t>(300 + i % 7), '=');
        }
        text += line + (i % 3 == 0 ? "\r\n" : "\n");
        if (i % 50 == 0) {
            text += "skipped line\n";
        }
    }
    ASSERT_EQ(LoadText(text), 2000);
    const auto original = CopyRecords(catalog);
    const std::string saved = PathOf("saved.txt");
    ASSERT_EQ(catalog.SaveText(saved.c_str()), 2000);
    StarCatalog reloaded;
    ASSERT_EQ(reloaded.Load(saved.c_str()), 2000);
    EXPECT_EQ(CopyRecords(reloaded), original);
}

TEST_F(ExportTest, NumbersKeepTheDecimalPointUnderADecimalCommaLocale) {
    StarLine star;
    star.maxMag = "12.50";
    star.minMag = "14.25";
    star.period = "   0.0750";
    ASSERT_EQ(LoadLines({star.Build()}), 1);

    const tktest::ScopedNumericLocale german({"de_DE.UTF-8", "de_DE.utf8", "de_DE"}, true);
    if (!german.Ok()) {
        GTEST_SKIP() << "no de_DE locale on this machine (scripts/setup generates one)";
    }
    char probe[16];
    std::snprintf(probe, sizeof probe, "%g", 12.5);
    ASSERT_STREQ(probe, "12,5") << "the locale does not use a decimal comma";

    const std::string path = PathOf("out.csv");
    ASSERT_EQ(catalog.SaveCsv(path.c_str()), 1);
    const std::string csv = ReadFile(path);
    EXPECT_EQ(csv.substr(csv.rfind("\","), std::string::npos), "\",12.5,14.25,0.075\n");
}

}  // namespace
