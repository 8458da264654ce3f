// SPDX-License-Identifier: GPL-3.0-or-later
// The format test of a catalogue line and the decoding of its columns.
#include "line_format.h"

#include <cstring>

#include "catalog_fixture.h"

namespace {

class LineFormatTest : public CatalogTest {
  protected:
    // Loads `line` alone; true when it became a record.
    bool Accepts(const std::string& line) {
        const std::int32_t count = LoadLines({line});
        EXPECT_GE(count, 0);
        return count == 1;
    }
    // Loads `line`, which must be valid, and returns its record.
    const StarRecord& Only(const std::string& line) {
        EXPECT_EQ(LoadLines({line}), 1) << line;
        static const StarRecord kNone{};
        return catalog.FirstRecord() != nullptr ? *catalog.FirstRecord() : kNone;
    }
};

TEST_F(LineFormatTest, WorkedLineDecodesEveryField) {
    const std::string line = WorkedLine();
    ASSERT_EQ(line, "0024+38   R AND       M           5.80  15.20  409.3300EXAMPLE DESCRIPTION ");
    const StarRecord& r = Only(line);
    EXPECT_EQ(r.seq, 1);
    EXPECT_EQ(r.raHours, 0);
    EXPECT_EQ(r.raMinutes, 24);
    EXPECT_EQ(r.decDegrees, 38);
    EXPECT_STREQ(r.name, "      R AND");
    EXPECT_STREQ(r.type, "M       ");
    EXPECT_STREQ(r.range, "  5.80  15.20 ");
    EXPECT_EQ(r.maxMagnitude, 5.800000011920929);
    EXPECT_EQ(r.minMagnitude, 15.200000002980232);
    EXPECT_EQ(r.period, 409.33);
    EXPECT_STREQ(r.description, "EXAMPLE DESCRIPTION ");
    EXPECT_EQ(std::string(r.line), line);
    EXPECT_EQ(r.lineLength, 75);
    EXPECT_EQ(r.next, nullptr);
}

TEST_F(LineFormatTest, EachCorruptedColumnRejectsTheLine) {
    const struct {
        std::size_t pos;
        const char* text;
    } cases[] = {
        {0, "A"},
        {1, " "},
        {2, "x"},
        {3, "-"},
        {4, " "},
        {4, "0"},
        {5, "+"},
        {6, "O"},
        {7, "1"},
        {7, "."},
        {8, "X"},
        {9, "0"},
        {10, " "},
        {10, "\t"},
        {10, "\x7f"},
        {22, " "},
        {22, "\x01"},
        // bytes above 127 are in no class, whatever the C library thinks
        {0, "\xb9"},
        {7, "\xe9"},
        {8, "\xa0"},
        {9, "\x85"},
        {10, "\xe9"},
        {22, "\xff"},
    };
    for (const auto& c : cases) {
        const std::string line = WithColumn(WorkedLine(), c.pos, c.text);
        EXPECT_FALSE(Accepts(line)) << "position " << c.pos << ": [" << line << "]";
    }
}

TEST_F(LineFormatTest, AllowedVariantsOfTestedColumnsAreAccepted) {
    const struct {
        std::size_t pos;
        const char* text;
    } cases[] = {
        {4, "-"},    {7, "a"},  {7, "Z"},  {7, "\t"}, {7, "\v"},
        {8, "\t\r"}, {9, "\f"}, {10, "!"}, {10, "~"}, {22, "?"},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(Accepts(WithColumn(WorkedLine(), c.pos, c.text))) << "position " << c.pos;
    }
}

TEST_F(LineFormatTest, BytesAbove127OutsideTestedColumnsAreKept) {
    const std::string line = WithColumn(WithColumn(WorkedLine(), 12, "\xe9\xff"), 60, "\x80\xa0");
    const StarRecord& r = Only(line);
    EXPECT_EQ(std::string(r.line), line);
    EXPECT_EQ(std::string(r.name),
              "      R \xe9\xff"
              "D");
    EXPECT_EQ(std::memcmp(r.description + 5, "\x80\xa0", 2), 0);
}

TEST_F(LineFormatTest, ShortLinesArePaddedAndTooShortOnesSkipped) {
    const std::string full = WorkedLine();
    EXPECT_FALSE(Accepts(full.substr(0, 22)));
    EXPECT_FALSE(Accepts(full.substr(0, 11)));
    EXPECT_FALSE(Accepts(""));

    const StarRecord& r23 = Only(full.substr(0, 23));
    EXPECT_EQ(std::string(r23.line), full.substr(0, 23) + std::string(52, ' '));
    EXPECT_STREQ(r23.type, "M       ");
    EXPECT_EQ(r23.period, 0.0);

    const StarRecord& r55 = Only(full.substr(0, 55));
    EXPECT_EQ(r55.lineLength, 75);
    EXPECT_EQ(std::string(r55.line), full.substr(0, 55) + std::string(20, ' '));
    EXPECT_STREQ(r55.description, "                    ");
    EXPECT_EQ(r55.period, 409.33);
}

TEST_F(LineFormatTest, LongLinesAreStoredWholeAndDecodedFromTheirFirst75) {
    const std::string longLine = WorkedLine() + std::string(200, 'x') + "END";
    const std::string hugeLine = WithColumn(WorkedLine(), 0, "2359") + std::string(3 << 20, '#');
    ASSERT_EQ(LoadLines({longLine, hugeLine, WorkedLine()}), 3);
    const StarRecord* r = catalog.FirstRecord();
    EXPECT_EQ(r->lineLength, 278);
    EXPECT_EQ(std::string(r->line), longLine);
    EXPECT_STREQ(r->description, "EXAMPLE DESCRIPTION ");
    r = r->next;
    EXPECT_EQ(static_cast<std::size_t>(r->lineLength), hugeLine.size());
    EXPECT_EQ(std::string(r->line), hugeLine);
    EXPECT_EQ(r->raHours, 23);
    EXPECT_EQ(r->raMinutes, 59);
    EXPECT_EQ(std::string(r->next->line), WorkedLine());
}

TEST_F(LineFormatTest, CrLfAndLfLineEndsGiveTheSameRecords) {
    const std::string a = WorkedLine();
    const std::string b = WithColumn(WorkedLine().substr(0, 40), 4, "-");
    ASSERT_EQ(LoadText(a + "\n" + b + "\n"), 2);
    const auto withLf = CopyRecords(catalog);
    ASSERT_EQ(LoadText(a + "\r\n" + b + "\r\n"), 2);
    EXPECT_EQ(CopyRecords(catalog), withLf);
    ASSERT_EQ(LoadText(a + "\r\n" + b), 2);  // no line end after the last line
    EXPECT_EQ(CopyRecords(catalog), withLf);

    // Only one carriage return belongs to the line end.
    ASSERT_EQ(LoadText(a + "\r\r\n"), 1);
    EXPECT_EQ(std::string(catalog.FirstRecord()->line), a + "\r");
}

TEST_F(LineFormatTest, NameIsRightJustifiedOnBlanksOnly) {
    StarLine star;
    star.name = "XY Z";
    EXPECT_STREQ(Only(star.Build()).name, "       XY Z");
    star.name = "ABCDEFGHIJK";
    EXPECT_STREQ(Only(star.Build()).name, "ABCDEFGHIJK");
    star.name = "XY\t";
    EXPECT_STREQ(Only(star.Build()).name, "        XY\t");
}

TEST_F(LineFormatTest, SkyPositionDigitsAreDecodedWithoutRangeChecks) {
    StarLine star;
    star.dec = "-00";
    EXPECT_EQ(Only(star.Build()).decDegrees, 0);
    star.dec = "-05";
    EXPECT_EQ(Only(star.Build()).decDegrees, -5);
    star.dec = "+99";
    star.ra = "2575";
    const StarRecord& r = Only(star.Build());
    EXPECT_EQ(r.decDegrees, 99);
    EXPECT_EQ(r.raHours, 25);
    EXPECT_EQ(r.raMinutes, 75);
}

TEST_F(LineFormatTest, MagnitudesUseSinglePrecisionWeights) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"12.34", 12.340000003576279},
        {" 7.5 ", 7.500000007450581},
        {"10.00", 10.0},
        {"     ", 0.0},
        {"-1.5x", 1.5000000074505806},
        {"1a.b2", 10.019999999552965},
    };
    for (const auto& c : cases) {
        StarLine star;
        star.maxMag = c.text;
        star.minMag = c.text;
        const StarRecord& r = Only(star.Build());
        EXPECT_EQ(r.maxMagnitude, c.value) << "[" << c.text << "]";
        EXPECT_EQ(r.minMagnitude, c.value) << "[" << c.text << "]";
    }
    StarLine star;
    star.maxMag = " 7.5 ";
    EXPECT_GT(Only(star.Build()).maxMagnitude, 7.5);
}

TEST_F(LineFormatTest, PeriodsScaleOnlyTheWholePartByK) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"  12.5   ", 12.5},         {"0001.2345", 1.2345}, {"  12K5   ", 12000.5},
        {"   1K    ", 1000.0},       {"   1k    ", 1.0},    {"         ", 0.0},
        {"9999K9999", 9999000.9999},
    };
    for (const auto& c : cases) {
        StarLine star;
        star.period = c.text;
        EXPECT_EQ(Only(star.Build()).period, c.value) << "[" << c.text << "]";
    }
}

TEST_F(LineFormatTest, SeqCountsOnlyValidLines) {
    ASSERT_EQ(LoadLines({"A catalogue title", "", WorkedLine(), "junk", WorkedLine(),
                         WithColumn(WorkedLine(), 4, "*"), WorkedLine()}),
              3);
    std::int32_t expected = 1;
    for (const StarRecord* r = catalog.FirstRecord(); r != nullptr; r = r->next) {
        EXPECT_EQ(r->seq, expected++);
    }
    EXPECT_EQ(expected, 4);
}

TEST_F(LineFormatTest, ZeroBytesInsideALineAreKept) {
    std::string line = WorkedLine();
    line[60] = '\0';
    const StarRecord& r = Only(line);
    EXPECT_EQ(r.lineLength, 75);
    EXPECT_EQ(std::string(r.line, 75), line);
}

}  // namespace

namespace {

// The format test looks at the given length only, never at the bytes behind
// it: a valid line cut anywhere before position 23 fails, whatever follows
// in memory.
TEST(FormatTestLength, BytesBeyondTheGivenLengthAreNeverRead) {
    const std::string line = WorkedLine();
    ASSERT_TRUE(velmo::PassesFormatTest(line.data(), line.size()));
    for (std::size_t length = 0; length < 23; ++length) {
        EXPECT_FALSE(velmo::PassesFormatTest(line.data(), length)) << "length " << length;
    }
    EXPECT_TRUE(velmo::PassesFormatTest(line.data(), 23));
}

}  // namespace
