// SPDX-License-Identifier: GPL-3.0-or-later
// Splitting table rows and finding their columns.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "import_test_support.h"
#include "line_reader.h"
#include "table_records.h"

namespace velmo::importing {
namespace {

std::vector<std::string> Split(const std::string& record, char separator, bool* complete) {
    std::string scratch;
    std::vector<std::string_view> fields;
    *complete = SplitFields(record, separator, &scratch, &fields);
    return std::vector<std::string>(fields.begin(), fields.end());
}

using Fields = std::vector<std::string>;

TEST(SplitFieldsTest, FollowsQuotingRules) {
    bool complete = false;
    EXPECT_EQ(Split("a,b,,c", ',', &complete), (Fields{"a", "b", "", "c"}));
    EXPECT_TRUE(complete);
    EXPECT_EQ(Split("\"R And\",\"a, b\",\"say \"\"hi\"\"\"", ',', &complete),
              (Fields{"R And", "a, b", "say \"hi\""}));
    EXPECT_EQ(Split(" \"x\" ,y", ',', &complete), (Fields{"x ", "y"}));
    EXPECT_EQ(Split("\"\",", ',', &complete), (Fields{"", ""}));
    EXPECT_EQ(Split("a;b\tc", ';', &complete), (Fields{"a", "b\tc"}));
    EXPECT_EQ(Split("a\t\"b\tc\"\t", '\t', &complete), (Fields{"a", "b\tc", ""}));
    EXPECT_EQ(Split("", ',', &complete), (Fields{""}));
    EXPECT_TRUE(complete);
    Split("a,\"b, and", ',', &complete);
    EXPECT_FALSE(complete) << "a quote left open continues on the next line";
    EXPECT_EQ(Split("a,\"b\nc\",d", ',', &complete), (Fields{"a", "b\nc", "d"}));
    EXPECT_TRUE(complete);
}

TEST(SplitFieldsTest, SeparatorIsTheCommonestOfTheHeaderRow) {
    EXPECT_EQ(DetectSeparator("Name,RAJ2000,DEJ2000"), ',');
    EXPECT_EQ(DetectSeparator("Name\tRA\tDec"), '\t');
    EXPECT_EQ(DetectSeparator("Name;Coords;Type,Class;Mag"), ';');
    EXPECT_EQ(DetectSeparator("\"a;b;c\",d,e"), ',');
    EXPECT_EQ(DetectSeparator("Name"), ',');
}

// Reads a table from a real file through the reader.
class TableReaderTest : public ::testing::Test {
  protected:
    void Open(const std::string& text, const ColumnNames& names = {}) {
        const std::string path = dir.Write("table.csv", text);
        fd = ::open(path.c_str(), O_RDONLY);
        ASSERT_GE(fd, 0);
        source = std::make_unique<velmo::LineReader>(fd);
        reader = std::make_unique<TableReader>(source.get(), names);
    }
    void TearDown() override {
        if (fd >= 0) ::close(fd);
    }

    // "name|ra|dec|type|max|min|period|description" for each star row,
    // "line N: why" for each malformed one.
    std::vector<std::string> Rows() {
        std::vector<std::string> rows;
        StarTexts texts;
        std::string why;
        for (;;) {
            const TableReader::Row row = reader->Next(&texts, &why);
            if (row == TableReader::Row::kEnd) break;
            if (row == TableReader::Row::kMalformed) {
                rows.push_back("line " + std::to_string(reader->RowLine()) + ": " + why);
                continue;
            }
            std::string text(texts.name);
            for (std::string_view part :
                 {texts.combinedPosition ? texts.position : texts.ra, texts.dec, texts.type,
                  texts.rangeColumn ? texts.range : texts.max, texts.min, texts.period,
                  texts.description}) {
                text += "|";
                text += part;
            }
            rows.push_back(text);
        }
        return rows;
    }

    import_test::TempDir dir;
    int fd = -1;
    std::unique_ptr<velmo::LineReader> source;
    std::unique_ptr<TableReader> reader;
};

TEST_F(TableReaderTest, SkipsCommentsUnitsAndDashesAndTakesColumnsByName) {
    Open(
        "\xEF\xBB\xBF# exported\n\nPer\tvarname\tRA\tDE\tVarType\tMag\tConst\n"
        "d\t\th:m:s\td:m:s\t\tmag\t\n---\t---\t---\t---\t---\t---\t---\n"
        "409.2\tR And\t00 24 01.95\t+38 34 37.3\tM\t5.8 - 15.2 V\tAnd\n"
        "# a comment between rows\n"
        "\t\"omi\nCet\"\t02 19 20.79\t-02 58 39.5\tM\t2.0 - 10.1\tCet\r\n");
    std::string error;
    ASSERT_TRUE(reader->ReadHeader(&error)) << error;
    EXPECT_TRUE(reader->Notes().empty());
    EXPECT_EQ(Rows(), (std::vector<std::string>{
                          "R And|00 24 01.95|+38 34 37.3|M|5.8 - 15.2 V||409.2|And",
                          "omi\nCet|02 19 20.79|-02 58 39.5|M|2.0 - 10.1|||Cet",
                      }));
}

TEST_F(TableReaderTest, FirstNameOfEachListWinsAndOverridesTakeAnyHeader) {
    Open(
        "ID,Name,Position,RA,Dec,Class,Type,MinMag,magMax,P,Period,Mine\n"
        "1,R And,0 0 +1 0,01 02 03,+04 05 06,C,M,15.2,5.8,1,409.2,x\n");
    std::string error;
    ASSERT_TRUE(reader->ReadHeader(&error)) << error;
    EXPECT_EQ(Rows(), (std::vector<std::string>{"R And|01 02 03|+04 05 06|M|5.8|15.2|409.2|"}));

    ColumnNames names;
    names.name = "id";
    names.position = "POSITION";
    names.period = "p";
    names.description = "mine";
    Open(
        "ID,Name,Position,RA,Dec,Class,Type,MinMag,magMax,P,Period,Mine\n"
        "1,R And,0 0 +1 0,01 02 03,+04 05 06,C,M,15.2,5.8,1,409.2,x\n",
        names);
    ASSERT_TRUE(reader->ReadHeader(&error)) << error;
    EXPECT_EQ(Rows(), (std::vector<std::string>{"1|0 0 +1 0||M|5.8|15.2|1|x"}));
}

TEST_F(TableReaderTest, MissingColumnsAreNamedWithTheHeadersSeen) {
    Open("Star;Right ascension;Declination;Kind;Brightness\nR And;1;2;M;5\n");
    std::string error;
    EXPECT_FALSE(reader->ReadHeader(&error));
    EXPECT_EQ(error,
              "no column for: RAJ2000, _RAJ2000, RA_ICRS, RAdeg, RA; DEJ2000, _DEJ2000, DE_ICRS, "
              "DEdeg, Dec, DE (or one of Coords, Coords(J2000), Position); Type, VarType, "
              "VarClass, Class; max, magMax, MaxMag (or one of Mag, Range, Magnitude); headers "
              "seen: 'Star', 'Right ascension', 'Declination', 'Kind', 'Brightness'");

    ColumnNames names;
    names.type = "Variability";
    Open("Name,Coords,Type,Mag\n", names);
    EXPECT_FALSE(reader->ReadHeader(&error));
    EXPECT_EQ(error,
              "no column named 'Variability'; headers seen: 'Name', 'Coords', 'Type', "
              "'Mag'");

    Open("# nothing but comments\n\n   \n");
    EXPECT_FALSE(reader->ReadHeader(&error));
    EXPECT_EQ(error, "no header row: the input holds no line but blank lines and comments");
}

TEST_F(TableReaderTest, OptionalColumnsMissingAreNoted) {
    Open("Name,Coords,Type,max\nR And,00 24 01.95 +38 34 37.3,M,5.8\n");
    std::string error;
    ASSERT_TRUE(reader->ReadHeader(&error)) << error;
    EXPECT_EQ(reader->Notes(),
              (std::vector<std::string>{
                  "no minimum column (min, Min1, magMin, MinMag): minima are left blank",
                  "no period column (Period, Per, P): periods are left blank"}));
    EXPECT_EQ(Rows(), (std::vector<std::string>{"R And|00 24 01.95 +38 34 37.3||M|5.8|||"}));
}

TEST_F(TableReaderTest, RaggedRowsAndOpenQuotesAreMalformed) {
    Open(
        "Name,Coords,Type,Range\n"
        "R And,00 24 +38,M,5.8 - 15.2\n"
        "R And,00 24 +38,M\n"
        "R, And,00 24 +38,M,5.8\n"
        "T CrB,15 59 +25,NR,2.0 - 10.8\n"
        "\"X Y,00 00 +00,M,5\n"
        "more\n");
    std::string error;
    ASSERT_TRUE(reader->ReadHeader(&error)) << error;
    EXPECT_EQ(Rows(), (std::vector<std::string>{
                          "R And|00 24 +38||M|5.8 - 15.2|||",
                          "line 3: row has 3 fields, the header 4",
                          "line 4: row has 5 fields, the header 4",
                          "T CrB|15 59 +25||NR|2.0 - 10.8|||",
                          "line 6: quote not closed before the end of the input",
                      }));
}

// Flag columns, as catalogue services write them, join their value: "("
// and ")" around it, "<" or ">" before it, ":" after it.
TEST_F(TableReaderTest, FlagColumnsJoinTheirValues) {
    Open(
        "Name\tRAJ2000\tDEJ2000\tType\tl_magMax\tmagMax\tu_magMax\tl_Min1\tMin1\t\t"
        "U_MIN1\tl_Per\tPer\t)\tn_Per\n"
        "WW And\t1\t2\tEA\t\t10.92\t\t(\t0.67\t)\t\t\t23.28\t\t*\n"
        "RX And\t1\t2\tUGZ\t<\t10.2\t:\t\t14.9\t\t:\t(\t13\t)\t\n"
        "DD Eri\t1\t2\tSR\t\t9.1\t\t(\t(0.5)\t)\t\t>\t100\t\tV\n"
        "Only amp\t1\t2\tM\t\t\t\t(\t0.5\t\t\t\t\t\t\n");
    std::string error;
    ASSERT_TRUE(reader->ReadHeader(&error)) << error;
    EXPECT_EQ(Rows(), (std::vector<std::string>{
                          "WW And|1|2|EA|10.92|(0.67)|23.28|",
                          "RX And|1|2|UGZ|<10.2:|14.9:|(13)|",
                          "DD Eri|1|2|SR|9.1|(0.5)|>100|",
                          "Only amp|1|2|M||(0.5)||",
                      }));
}

TEST(JoinFlagsTest, PutsEachFlagWhereAValueHasIt) {
    struct Case {
        const char* value;
        const char* flags;
        const char* joined;
    };
    const Case cases[] = {
        {"0.67", "()", "(0.67)"},   {"0.67", "(", "(0.67)"},
        {"(0.67)", "()", "(0.67)"}, {"5.8", "<", "<5.8"},
        {"<5.8", "<", "<5.8"},      {"5.8", ":", "5.8:"},
        {"5.8:", ":", "5.8:"},      {"13", "(:)", "(13:)"},
        {"100", ">", ">100"},       {"", "(", ""},
        {" 2.1 ", "V*", "2.1"},     {"0.5", "0.03", "0.5"},
        {"(0.67", ")", "(0.67)"},   {"0.67", ")", "0.67"},
    };
    for (const Case& c : cases) {
        std::string out;
        JoinFlags(c.value, c.flags, &out);
        EXPECT_EQ(out, c.joined) << c.value << " with " << c.flags;
    }
}

// Faults found with hostile tables.
TEST_F(TableReaderTest, AQuotedLineBreakInTheFirstRowKeepsTheRow) {
    Open(
        "Name,Type,Description,RAJ2000,DEJ2000,max\n"
        "R And,M,\"Mira\nstar\",00 24 01.95,+38 34 37.3,5.8\n"
        "deg,,,,,mag\n");
    std::string error;
    ASSERT_TRUE(reader->ReadHeader(&error)) << error;
    EXPECT_EQ(Rows(), (std::vector<std::string>{
                          "R And|00 24 01.95|+38 34 37.3|M|5.8|||Mira\nstar",
                          "deg||||mag|||",
                      }));
    // A star without a digit in the columns used is still a star.
    Open("Name,Coords,Type,max\n,h:m:s,,mag\nX And,,M,\n");
    ASSERT_TRUE(reader->ReadHeader(&error)) << error;
    EXPECT_EQ(Rows(), (std::vector<std::string>{"X And|||M||||"}));
}

TEST_F(TableReaderTest, AnUnclosedQuoteCostsAtMostTheRecordLimit) {
    std::string text = "Name,Coords,Type,max\n\"X,1 +2,M,5\n";
    for (int i = 0; i < 1500; ++i) {
        text += "S" + std::to_string(i) + ",1 +2,M,5\n";
    }
    Open(text);
    std::string error;
    ASSERT_TRUE(reader->ReadHeader(&error)) << error;
    StarTexts texts;
    std::string why;
    ASSERT_EQ(reader->Next(&texts, &why), TableReader::Row::kMalformed);
    EXPECT_EQ(why,
              "record of 1000 lines runs past 1000 lines (a quote not closed?); its lines are "
              "not read");
    EXPECT_TRUE(reader->RowTooLong());
    EXPECT_EQ(reader->RowLine(), 2u);
    EXPECT_EQ(reader->RowLines(), 1000u);
    const std::vector<std::string> rest = Rows();
    ASSERT_EQ(rest.size(), 501u);
    EXPECT_EQ(rest.front(), "S999|1 +2||M|5|||");

    Open("Name,Coords,Type,max\nR And,\"" + std::string(100000, 'x') + "\",M,5\nT,1 +2,M,5\n");
    ASSERT_TRUE(reader->ReadHeader(&error)) << error;
    EXPECT_EQ(Rows(), (std::vector<std::string>{
                          "line 2: line longer than 65536 bytes, not read",
                          "T|1 +2||M|5|||",
                      }));
}

TEST_F(TableReaderTest, SemicolonTablesReadDecimalCommas) {
    Open("Name;Coords;Type;max;min;Period\nR, And;00 24 01,95 +38 34 37,3;M;5,8;15,2;409,2\n");
    std::string error;
    ASSERT_TRUE(reader->ReadHeader(&error)) << error;
    EXPECT_EQ(Rows(),
              (std::vector<std::string>{"R, And|00 24 01.95 +38 34 37.3||M|5.8|15.2|409.2|"}));
}

// The engine's line reader as the import uses it: reading a descriptor to
// its end, looking ahead, and cutting lines past a limit.
TEST(ImportLinesTest, HandsOutLinesOfAnyEndingAndCutsOverlongOnes) {
    import_test::TempDir dir;
    const std::size_t limit = 1000;
    const std::string longLine(300 * 1024, 'x');
    const std::string path =
        dir.Write("lines", "a\r\nb\n\n" + longLine + "\nc\rd\n" + longLine + "\nlast");
    const int fd = ::open(path.c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    velmo::LineReader source(fd);
    source.LimitLineLength(limit);
    const char* text = nullptr;
    std::size_t length = 0;
    ASSERT_TRUE(source.Peek(3, text, length));
    EXPECT_EQ(std::string(text, 3), "a\r\n");
    std::vector<std::string> lines;
    std::vector<bool> cut;
    while (source.Next(text, length) == velmo::LineReader::Status::kLine) {
        lines.emplace_back(text, length);
        cut.push_back(source.LineCut());
    }
    ::close(fd);
    EXPECT_EQ(source.ReadError(), 0);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "a");
    EXPECT_EQ(lines[1], "b");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], std::string(limit, 'x'));
    EXPECT_TRUE(cut[3]);
    EXPECT_EQ(lines[4], "c\rd");
    EXPECT_FALSE(cut[4]);
    EXPECT_EQ(lines[5], std::string(limit, 'x'));
    EXPECT_EQ(lines[6], "last");
}

}  // namespace
}  // namespace velmo::importing
