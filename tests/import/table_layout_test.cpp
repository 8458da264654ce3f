// SPDX-License-Identifier: GPL-3.0-or-later
// Tables as spreadsheets and services write them, through the real program:
// a header whose names hold as many commas as there are tabs is still a
// tab-separated header, and CR-LF line ends around an empty line are no
// malformed row.
#include <gtest/gtest.h>

#include <string>

#include "import_test_support.h"

namespace {

using import_test::ReadFile;
using import_test::RunImport;
using import_test::TempDir;

const char kTwoStars[] =
    "0024+38   R And       M           5.80  15.20          Andromeda           \n"
    "1559+25   T CrB       NR          2.00  10.80          Corona Borealis     \n";
const char kNote[] = ": no period column (Period, Per, P): periods are left blank\n";

TEST(TableLayoutTest, TabsWinATieWithCommasInsideHeaderNames) {
    TempDir dir;
    // Three tabs, and three commas inside the names.
    const std::string input = dir.Write("tie.tsv",
                                        "Name\tCoords, J2000\tType, class\tMag, V\n"
                                        "R And\t00 24 01.95 +38 34 37.3\tM\t5.8 - 15.2\n"
                                        "T CrB\t15 59 30.2 +25 55 13\tNR\t2.0 - 10.8\n");
    const auto result = RunImport({"--position-column", "Coords, J2000", "--type-column",
                                   "Type, class", "--range-column", "Mag, V", input});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, kTwoStars);
}

TEST(TableLayoutTest, CrLfLineEndsAroundAnEmptyLineAreNoMalformedRow) {
    TempDir dir;
    const std::string rows =
        "Name,Coords,Type,Mag\r\n"
        "R And,00 24 01.95 +38 34 37.3,M,5.8 - 15.2\r\n"
        "\r\n"
        "T CrB,15 59 30.2 +25 55 13,NR,2.0 - 10.8\r\n"
        "\r\n";
    const std::string input = dir.Write("crlf.csv", rows);
    const auto result = RunImport({"--verbose", input});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, kTwoStars);
    EXPECT_EQ(result.err, "velmo-cli: note: " + input + kNote + "imported 2 stars\n");
}

}  // namespace
