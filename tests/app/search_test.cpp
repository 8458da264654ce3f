// SPDX-License-Identifier: GPL-3.0-or-later
// "Search Asc." and "Search Desc.": the rows, their order and texts, the
// counts, refused boxes and pairs, bounds that move past the old ones, and
// the row texts under a decimal-comma locale.
#include <QTest>

#include "res/resource.h"
#include "tests/support/modal.h"
#include "tests/support/numeric_locale.h"
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

// The state a refused search must leave alone: rows, count, criteria.
struct Snapshot {
    RowList rows;
    std::string searched;
    std::vector<double> criteria;
    bool operator==(const Snapshot& other) const {
        return rows == other.rows && searched == other.searched && criteria == other.criteria;
    }
};

class SearchTest : public SearchWindowTest {
  protected:
    static Snapshot Take(CSearchDlg& dlg) {
        const StarCatalog& c = dlg.m_catalog;
        return Snapshot{Rows(dlg),
                        Text(dlg, IDC_RECORDS_SEARCHED),
                        {double(c.GetRaWest()), double(c.GetRaEast()), double(c.GetDecSouth()),
                         double(c.GetDecNorth()), c.GetMaxMagLimit(), c.GetMinMagLimit(),
                         c.GetPeriodLeast(), c.GetPeriodMost()}};
    }
};

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

TEST_F(SearchTest, ARefusedBoxStopsTheCommandAndKeepsWhatWasTyped) {
    struct Case {
        int refused;
        const char* text;
        bool byEnter;  // Enter in the box instead of a click on "Search Asc."
    };
    const Case cases[] = {
        {IDC_RA_WEST, "24", false},
        {IDC_PERIOD_MOST, "99999999999", true},
        {IDC_MAG_MIN, "abc", false},
        {IDC_DEC_NORTH, "", true},
    };
    for (const Case& c : cases) {
        CSearchDlg dlg;
        RunLoaded(dlg, [&] {
            Type(dlg, IDC_RA_WEST, "12");
            Click(dlg, IDC_SEARCH_ASC);
            ASSERT_EQ(Rows(dlg), (RowList{kRCen}));
            const Snapshot before = Take(dlg);

            // New values in every box, the refused one among them.
            const char* typed[] = {"1", "22", "-80", "80", "9", "1", "2", "500"};
            for (int id = IDC_RA_WEST; id <= IDC_PERIOD_MOST; ++id) {
                Type(dlg, id, id == c.refused ? c.text : typed[id - IDC_RA_WEST]);
            }
            std::string message;
            tktest::AnswerMessageBox(&message);
            if (c.byEnter) {
                QTest::keyClick(dlg.GetControl(c.refused), Qt::Key_Return);
            } else {
                Click(dlg, IDC_SEARCH_ASC);
            }
            tktest::WaitForAnswers();

            EXPECT_FALSE(message.empty()) << c.text;
            EXPECT_TRUE(Take(dlg) == before) << "no search ran for \"" << c.text << '"';
            for (int id = IDC_RA_WEST; id <= IDC_PERIOD_MOST; ++id) {
                EXPECT_EQ(Text(dlg, id), id == c.refused ? c.text : typed[id - IDC_RA_WEST])
                    << "box " << id << " keeps what was typed";
            }
            EXPECT_TRUE(HasFocus(dlg, c.refused)) << c.text;
            EXPECT_EQ(SelectedText(dlg, c.refused), c.text) << "the whole text is selected";
            EXPECT_NE(dlg.Window(), nullptr);
        });
    }
}

TEST_F(SearchTest, InvertedPairsAreRefusedWithTheirOwnMessage) {
    struct Case {
        bool specific;
        const char* south;
        const char* north;
        const char* least;
        const char* most;
        const char* message;  // nullptr: the search runs
        int focus;
    };
    const Case cases[] = {
        {true, "10", "5", "0", "1000", "South must not be greater than North.", IDC_DEC_SOUTH},
        {false, "10", "5", "0", "1000", "South must not be greater than North.", IDC_DEC_SOUTH},
        {true, "-90", "90", "500", "100", "Least must not be greater than Most.", IDC_PERIOD_LEAST},
        {true, "6", "5", "500", "100", "South must not be greater than North.", IDC_DEC_SOUTH},
        // The catalogue cannot hold a longest period of 0, so none is searched.
        {true, "-90", "90", "0", "0", "Most must be greater than 0.", IDC_PERIOD_MOST},
        {true, "-90", "90", "0", "0.0", "Most must be greater than 0.", IDC_PERIOD_MOST},
        {true, "-90", "90", "5", "0", "Least must not be greater than Most.", IDC_PERIOD_LEAST},
        {false, "-90", "90", "0", "0", nullptr, 0},
        {false, "-90", "90", "500", "100", nullptr, 0},        // the period plays no part
        {true, "-45", "-45", "300.25", "300.25", nullptr, 0},  // equal bounds pass
    };
    for (const Case& c : cases) {
        CSearchDlg dlg;
        RunLoaded(dlg, [&] {
            Click(dlg, IDC_SEARCH_DESC);
            const Snapshot before = Take(dlg);
            Type(dlg, IDC_DEC_SOUTH, c.south);
            Type(dlg, IDC_DEC_NORTH, c.north);
            Type(dlg, IDC_PERIOD_LEAST, c.least);
            Type(dlg, IDC_PERIOD_MOST, c.most);
            if (!c.specific) Click(dlg, IDC_SPECIFIC);

            if (c.message == nullptr) {
                Click(dlg, IDC_SEARCH_ASC);
                EXPECT_EQ(Rows(dlg), c.specific ? RowList{kRCen} : RowList{kXOph}) << c.south;
                return;
            }
            EXPECT_EQ(ClickExpectingMessage(dlg, IDC_SEARCH_ASC), c.message);
            EXPECT_TRUE(Take(dlg) == before) << "no search ran";
            EXPECT_TRUE(HasFocus(dlg, c.focus));
            EXPECT_EQ(SelectedText(dlg, c.focus), Text(dlg, c.focus));
            EXPECT_EQ(Text(dlg, IDC_DEC_SOUTH), c.south);
            EXPECT_EQ(Text(dlg, IDC_PERIOD_MOST), c.most);
        });
    }
}

// As a user meets it: 0 typed in Most and Enter pressed there.
TEST_F(SearchTest, AMostOfZeroTypedAndEnteredSearchesNothing) {
    CSearchDlg dlg;
    RunLoaded(dlg, [&] {
        Click(dlg, IDC_SEARCH_DESC);
        const Snapshot before = Take(dlg);
        Type(dlg, IDC_PERIOD_MOST, "0");
        QWidget* most = dlg.GetControl(IDC_PERIOD_MOST);
        most->setFocus();
        std::string message;
        tktest::AnswerMessageBox(&message);
        QTest::keyClick(most, Qt::Key_Return);
        tktest::WaitForAnswers();
        EXPECT_EQ(message, "Most must be greater than 0.");
        EXPECT_TRUE(Take(dlg) == before) << "no search ran";
        EXPECT_TRUE(HasFocus(dlg, IDC_PERIOD_MOST));
        EXPECT_EQ(SelectedText(dlg, IDC_PERIOD_MOST), "0");
        EXPECT_EQ(Text(dlg, IDC_PERIOD_LEAST), "0");
    });
}

TEST_F(SearchTest, AValidPairIsTakenWholeWhateverThePreviousBounds) {
    CSearchDlg dlg;
    RunLoaded(dlg, [&] {
        // Each step moves both pairs wholly past the previous ones.
        struct Step {
            const char* south;
            const char* north;
            const char* least;
            const char* most;
            RowList rows;
        };
        const Step steps[] = {
            {"-90", "-50", "0", "10", {}},
            {"0", "10", "1000", "3000", {kTPsc}},
            {"-50", "-40", "100", "500", {kRCen}},
            {"-10", "-1", "1", "2", {kVAnd}},
            {"-90", "90", "0", "100000", {kVAnd, kRCen, kTPsc}},
        };
        for (const Step& step : steps) {
            Type(dlg, IDC_DEC_SOUTH, step.south);
            Type(dlg, IDC_DEC_NORTH, step.north);
            Type(dlg, IDC_PERIOD_LEAST, step.least);
            Type(dlg, IDC_PERIOD_MOST, step.most);
            Click(dlg, IDC_SEARCH_ASC);
            EXPECT_EQ(dlg.m_catalog.GetDecSouth(), std::stoi(step.south));
            EXPECT_EQ(dlg.m_catalog.GetDecNorth(), std::stoi(step.north));
            EXPECT_EQ(dlg.m_catalog.GetPeriodLeast(), std::stod(step.least));
            EXPECT_EQ(dlg.m_catalog.GetPeriodMost(), std::stod(step.most));
            EXPECT_EQ(Rows(dlg), step.rows) << step.south << ".." << step.north;
        }
    });
}

TEST_F(SearchTest, InTheSampleCatalogueTheCountsFollowTheCriteriaAsTyped) {
    WriteFile("sample.txt", ReadFile(VELMO_SAMPLE_PATH));
    CSearchDlg dlg;
    RunWindow(dlg, [&] {
        ASSERT_EQ(Load(dlg, "sample.txt", false), "");
        const auto searchFor = [&](const char* south, const char* north, const char* least,
                                   const char* most) {
            Type(dlg, IDC_DEC_SOUTH, south);
            Type(dlg, IDC_DEC_NORTH, north);
            Type(dlg, IDC_PERIOD_LEAST, least);
            Type(dlg, IDC_PERIOD_MOST, most);
            Click(dlg, IDC_SEARCH_ASC);
            return Text(dlg, IDC_RECORDS_SEARCHED);
        };
        EXPECT_EQ(searchFor("-90", "90", "0", "100000"), "189");
        EXPECT_EQ(searchFor("-90", "90", "0", "1000"), "184");
        // Out of range: refused, and the count stays.
        Type(dlg, IDC_PERIOD_MOST, "99999999999");
        EXPECT_FALSE(ClickExpectingMessage(dlg, IDC_SEARCH_ASC).empty());
        EXPECT_EQ(Text(dlg, IDC_RECORDS_SEARCHED), "184");

        EXPECT_EQ(searchFor("-90", "-50", "0", "10"), "1");
        EXPECT_EQ(searchFor("10", "20", "100", "200"), "2") << "both pairs taken whole";
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
    const tktest::ScopedNumericLocale german({"de_DE.UTF-8"});
    if (!german.Ok()) {
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
}

}  // namespace
