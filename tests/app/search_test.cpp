// "Search Asc." and "Search Desc.": the rows, their order and texts, the
// counts, a refused box, and the row texts under a decimal-comma locale.
#include <clocale>

#include "res/resource.h"
#include "window_fixture.h"

namespace {

using RowList = std::vector<std::vector<std::string>>;

const std::vector<std::string> kVAnd = {
    "05:07",          "-05",        "  V0370 And",         "M       ",
    "  6.50   8.00 ", "    1.5000", "Andromeda           "};
const std::vector<std::string> kRCen = {
    "12:00",          "-45",        "      R Cen",         "SRB     ",
    "  5.00   7.00 ", "  300.2500", "Centaurus           "};
const std::vector<std::string> kXOph = {
    "18:30", "00", "      X Oph", "IRR     ", std::string(14, ' '), "", "Ophiuchus           "};
const std::vector<std::string> kTPsc = {
    "23:59",          "05",         "      T Psc",         "EA      ",
    "  6.90   9.00 ", " 2000.0000", "Pisces              "};

using SearchTest = SearchWindowTest;

TEST_F(SearchTest, AscendingAndDescendingListTheSameMatchesInOppositeOrders) {
    CSearchDlg dlg;
    RunLoaded(dlg, [&] {
        Click(dlg, IDC_SEARCH_ASC);
        EXPECT_EQ(Rows(dlg), (RowList{kVAnd, kRCen}));
        EXPECT_EQ(Text(dlg, IDC_RECORDS_SEARCHED), "2");
        Click(dlg, IDC_SEARCH_DESC);
        EXPECT_EQ(Rows(dlg), (RowList{kRCen, kVAnd}));
        EXPECT_EQ(Text(dlg, IDC_RECORDS_SEARCHED), "2");
        EXPECT_EQ(Text(dlg, IDC_RECORDS_LOADED), "4");

        Type(dlg, IDC_PERIOD_MOST, "5000");
        Click(dlg, IDC_SEARCH_DESC);
        EXPECT_EQ(Rows(dlg), (RowList{kTPsc, kRCen, kVAnd}));
    });
}

TEST_F(SearchTest, WithoutSpecificOnlyStarsWithoutMagnitudesAndPeriodMatch) {
    CSearchDlg dlg;
    RunLoaded(dlg, [&] {
        Click(dlg, IDC_SPECIFIC);
        Click(dlg, IDC_SEARCH_ASC);
        EXPECT_EQ(Rows(dlg), (RowList{kXOph}));
        EXPECT_EQ(Text(dlg, IDC_RECORDS_SEARCHED), "1");
        EXPECT_FALSE(Checked(dlg, IDC_SPECIFIC));
    });
}

TEST_F(SearchTest, OneMatchGivesOneRowEitherWayAndNoMatchAnEmptyList) {
    CSearchDlg dlg;
    RunLoaded(dlg, [&] {
        Type(dlg, IDC_RA_WEST, "12");
        Type(dlg, IDC_RA_EAST, "12");
        Click(dlg, IDC_SEARCH_ASC);
        EXPECT_EQ(Rows(dlg), (RowList{kRCen}));
        Click(dlg, IDC_SEARCH_DESC);
        EXPECT_EQ(Rows(dlg), (RowList{kRCen}));

        Type(dlg, IDC_RA_WEST, "3");
        Type(dlg, IDC_RA_EAST, "3");
        for (int button : {IDC_SEARCH_ASC, IDC_SEARCH_DESC}) {
            Click(dlg, button);
            EXPECT_TRUE(Rows(dlg).empty());
            EXPECT_EQ(Text(dlg, IDC_RECORDS_SEARCHED), "0");
        }
    });
}

TEST_F(SearchTest, AWindowThroughHourZeroWrapsAround) {
    CSearchDlg dlg;
    RunLoaded(dlg, [&] {
        Type(dlg, IDC_RA_WEST, "23");
        Type(dlg, IDC_RA_EAST, "5");
        Type(dlg, IDC_PERIOD_MOST, "5000");
        Click(dlg, IDC_SEARCH_ASC);
        EXPECT_EQ(Rows(dlg), (RowList{kVAnd, kTPsc}));
    });
}

TEST_F(SearchTest, ARefusedBoxIsReportedAndTheSearchRunsWithTheMembersAsTheyStand) {
    CSearchDlg dlg;
    RunLoaded(dlg, [&] {
        Type(dlg, IDC_RA_WEST, "12");
        Click(dlg, IDC_SEARCH_ASC);
        ASSERT_EQ(dlg.m_catalog.GetRaWest(), 12);

        Type(dlg, IDC_RA_WEST, "24");
        Type(dlg, IDC_RA_EAST, "11");
        Type(dlg, IDC_DEC_SOUTH, "-10");
        const std::string message = ClickExpectingMessage(dlg, IDC_SEARCH_ASC);
        EXPECT_NE(message.find("23"), std::string::npos) << message;
        EXPECT_EQ(dlg.m_catalog.GetRaWest(), 12) << "the catalogue refuses 24";
        EXPECT_EQ(dlg.m_catalog.GetRaEast(), 23) << "later boxes are not read";
        EXPECT_EQ(Rows(dlg), (RowList{kRCen}));
        EXPECT_EQ(Text(dlg, IDC_RA_WEST), "24");
        EXPECT_EQ(Text(dlg, IDC_RA_EAST), "23");
        EXPECT_EQ(Text(dlg, IDC_DEC_SOUTH), "-90");
        EXPECT_EQ(Text(dlg, IDC_RECORDS_SEARCHED), "1");
    });
}

TEST_F(SearchTest, BothBoundsMovingAtOnceFollowTheSettersOrder) {
    CSearchDlg dlg;
    RunLoaded(dlg, [&] {
        // South is set first and moves to -40; north -50 is then below it
        // and the catalogue refuses it.
        Type(dlg, IDC_DEC_SOUTH, "-40");
        Type(dlg, IDC_DEC_NORTH, "-50");
        Click(dlg, IDC_SEARCH_ASC);
        EXPECT_EQ(dlg.m_catalog.GetDecSouth(), -40);
        EXPECT_EQ(dlg.m_catalog.GetDecNorth(), 90);
        EXPECT_EQ(Rows(dlg), (RowList{kVAnd}));
        EXPECT_EQ(Text(dlg, IDC_DEC_NORTH), "-50") << "the box shows the member, not the catalogue";
    });
}

TEST_F(SearchTest, ASearchWithNothingLoadedEndsAtOnceWithoutRows) {
    // Out of the person's reach (the buttons are disabled), but the walk
    // must still end: Search reports -1 and nothing is listed.
    CSearchDlg dlg;
    RunWindow(dlg, [&] {
        dlg.FillResultList(true);
        EXPECT_TRUE(Rows(dlg).empty());
        EXPECT_EQ(dlg.m_recordsSearched, -1);
        dlg.FillResultList(false);
        EXPECT_TRUE(Rows(dlg).empty());
    });
}

TEST_F(SearchTest, RowTextsKeepThePointUnderADecimalCommaLocale) {
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) {
        GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
    }
    CSearchDlg dlg;
    RunLoaded(dlg, [&] {
        Type(dlg, IDC_PERIOD_MOST, "2500.5");
        Click(dlg, IDC_SEARCH_ASC);
        EXPECT_EQ(Rows(dlg), (RowList{kVAnd, kRCen, kTPsc}));
        EXPECT_EQ(Text(dlg, IDC_PERIOD_MOST), "2500.5");
        const std::string saved = PathOf("found.csv");
        EXPECT_EQ(Save(dlg, "ID_FILE_SAVE_CSV", saved, false), "");
        const std::string csv = ReadFile(saved);
        EXPECT_NE(csv.find(",6.5,8,1.5\n"), std::string::npos) << csv;
        EXPECT_NE(csv.find(",5,7,300.25\n"), std::string::npos) << csv;
    });
    std::setlocale(LC_NUMERIC, "C");
}

}  // namespace
