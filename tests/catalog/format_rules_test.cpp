// SPDX-License-Identifier: GPL-3.0-or-later
// The rules of the format test: FindFormatBreak names the first rule a line
// breaks, and agrees with PassesFormatTest on every line.
#include <cstring>
#include <string>

#include "catalog_fixture.h"
#include "line_format.h"

namespace {

using Kind = velmo::FormatBreak::Kind;

velmo::FormatBreak Break(const std::string& line) {
    return velmo::FindFormatBreak(line.data(), line.size());
}

// What each tested position accepts, written out independently of the
// engine's table: the digits, the signs, white space or letters ...
bool Accepted(std::size_t pos, int byte) {
    const bool digit = byte >= '0' && byte <= '9';
    const bool space = byte == ' ' || (byte >= 9 && byte <= 13);
    const bool letter = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z');
    switch (pos) {
        case 0:
        case 1:
        case 2:
        case 3:
        case 5:
        case 6:
            return digit;
        case 4:
            return byte == '+' || byte == '-';
        case 7:
            return space || letter;
        case 8:
        case 9:
            return space;
        case 10:
        case 22:
            return byte >= 33 && byte <= 126;
        default:
            return true;  // not tested
    }
}

TEST(FormatRulesTest, EveryByteAtEveryPositionIsJudgedAsTheRulesSay) {
    const std::string worked = WorkedLine();
    ASSERT_EQ(Break(worked).kind, Kind::kNone);
    for (std::size_t pos = 0; pos < 30; ++pos) {
        for (int byte = 0; byte < 256; ++byte) {
            std::string line = worked;
            line[pos] = static_cast<char>(byte);
            const velmo::FormatBreak found = Break(line);
            const bool passes = velmo::PassesFormatTest(line.data(), line.size());
            SCOPED_TRACE("position " + std::to_string(pos) + " byte " + std::to_string(byte));
            EXPECT_EQ(passes, Accepted(pos, byte));
            EXPECT_EQ(passes, found.kind == Kind::kNone);
            if (!passes) {
                EXPECT_EQ(found.kind, Kind::kWrongByte);
                EXPECT_EQ(found.position, pos);
                EXPECT_EQ(found.found, static_cast<unsigned char>(byte));
            }
        }
    }
}

TEST(FormatRulesTest, TheFirstBrokenRuleIsReportedWithWhatItExpects) {
    // Positions 4 and 22 both broken: position 4 comes first.
    std::string line = WithColumn(WithColumn(WorkedLine(), 4, "x"), 22, " ");
    velmo::FormatBreak found = Break(line);
    EXPECT_EQ(found.kind, Kind::kWrongByte);
    EXPECT_EQ(found.position, 4u);
    EXPECT_EQ(found.found, 'x');
    EXPECT_EQ(found.expected, velmo::ByteClass::kSign);

    found = Break(WithColumn(WorkedLine(), 22, " "));
    EXPECT_EQ(found.position, 22u);
    EXPECT_EQ(found.found, ' ');
    EXPECT_EQ(found.expected, velmo::ByteClass::kPrintableNonBlank);

    found = Break(WithColumn(WorkedLine(), 7, "."));
    EXPECT_EQ(found.expected, velmo::ByteClass::kSpaceOrLetter);
    found = Break(WithColumn(WorkedLine(), 9, "0"));
    EXPECT_EQ(found.expected, velmo::ByteClass::kSpace);
    found = Break(WithColumn(WorkedLine(), 1, "O"));
    EXPECT_EQ(found.expected, velmo::ByteClass::kDigit);
}

TEST(FormatRulesTest, ALineEndingBeforeATestedPositionIsTooShort) {
    const std::string worked = WorkedLine();
    EXPECT_EQ(velmo::kFormatTestMinLength, 23u);
    for (std::size_t length = 0; length < velmo::kFormatTestMinLength; ++length) {
        const velmo::FormatBreak found = Break(worked.substr(0, length));
        SCOPED_TRACE("length " + std::to_string(length));
        EXPECT_FALSE(velmo::PassesFormatTest(worked.data(), length));
        EXPECT_EQ(found.kind, Kind::kTooShort);
        // The first rule whose position lies beyond the end: 0-10, then 22.
        EXPECT_EQ(found.position, length <= 10 ? length : 22u);
    }
    EXPECT_EQ(Break(worked.substr(0, 23)).kind, Kind::kNone);

    // A wrong byte inside a short line is reported before its length.
    const velmo::FormatBreak found = Break("0024x38   R AND");
    EXPECT_EQ(found.kind, Kind::kWrongByte);
    EXPECT_EQ(found.position, 4u);
}

TEST(FormatRulesTest, RandomLinesGetTheSameVerdictFromBoth) {
    std::uint32_t state = 12345;
    for (int i = 0; i < 5000; ++i) {
        std::string line = RandomStarLine(state);
        // Scramble a few bytes among the tested positions.
        for (int k = static_cast<int>(state % 3); k > 0; --k) {
            state = state * 1103515245u + 12345u;
            line[(state >> 8) % 24] = static_cast<char>((state >> 16) & 0xff);
        }
        state = state * 1103515245u + 12345u;
        line.resize(line.size() - (state >> 20) % 4 * (line.size() > 60 ? 15 : 0));
        EXPECT_EQ(velmo::PassesFormatTest(line.data(), line.size()),
                  Break(line).kind == Kind::kNone)
            << line;
    }
}

}  // namespace
