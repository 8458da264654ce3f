// SPDX-License-Identifier: GPL-3.0-or-later
// The transfer table towards the members: bounds, refused values, which box
// fails and which members keep their values; and the "Specific?" box.
#include "res/resource.h"
#include "tests/support/modal.h"
#include "window_fixture.h"

namespace {

class TransferTest : public SearchWindowTest {
  protected:
    // Transfers to the members with a message box answered; returns its text
    // ("" when the transfer passed and so showed none).
    static std::string TransferExpectingMessage(CSearchDlg& dlg, bool& result) {
        std::string message;
        tktest::AnswerMessageBox(&message);
        result = dlg.TransferData(true);
        tktest::WaitForAnswers();
        return message;
    }
};

TEST_F(TransferTest, TheBoundsThemselvesPass) {
    CSearchDlg dlg;
    RunLoaded(dlg, [&] {
        const std::pair<const char*, const char*> bounds[] = {{"0", "23"}, {"23", "0"}};
        for (const auto& [west, east] : bounds) {
            Type(dlg, IDC_RA_WEST, west);
            Type(dlg, IDC_RA_EAST, east);
            Type(dlg, IDC_DEC_SOUTH, "-90");
            Type(dlg, IDC_DEC_NORTH, "90");
            Type(dlg, IDC_MAG_MAX, "99");
            Type(dlg, IDC_MAG_MIN, "0");
            Type(dlg, IDC_PERIOD_LEAST, "100000");
            Type(dlg, IDC_PERIOD_MOST, "0");
            EXPECT_TRUE(dlg.TransferData(true));
            EXPECT_EQ(dlg.m_raWest, std::stoi(west));
            EXPECT_EQ(dlg.m_raEast, std::stoi(east));
            EXPECT_EQ(dlg.m_decSouth, -90);
            EXPECT_EQ(dlg.m_decNorth, 90);
            EXPECT_EQ(dlg.m_maxMag, 99.0f);
            EXPECT_EQ(dlg.m_minMag, 0.0f);
            EXPECT_EQ(dlg.m_periodLeast, 100000.0);
            EXPECT_EQ(dlg.m_periodMost, 0.0);
        }
        Type(dlg, IDC_MAG_MAX, "6.1");
        Type(dlg, IDC_PERIOD_MOST, " 1.25e3 ");
        EXPECT_TRUE(dlg.TransferData(true));
        EXPECT_EQ(dlg.m_maxMag, 6.1f);
        EXPECT_EQ(dlg.m_periodMost, 1250.0);
    });
}

TEST_F(TransferTest, AValueJustOutsideItsRangeFailsAtItsRowAndLaterMembersKeepTheirValues) {
    struct Case {
        int id;
        const char* text;
        const char* low;
        const char* high;
    };
    const Case cases[] = {
        {IDC_RA_WEST, "24", "0", "23"},
        {IDC_RA_EAST, "-1", "0", "23"},
        {IDC_DEC_SOUTH, "-91", "-90", "90"},
        {IDC_DEC_NORTH, "91", "-90", "90"},
        {IDC_MAG_MAX, "99.5", "0", "99"},
        {IDC_MAG_MIN, "-0.5", "0", "99"},
        {IDC_PERIOD_LEAST, "100001", "0", "100000"},
        {IDC_PERIOD_MOST, "-1", "0", "100000"},
        {IDC_RA_WEST, "70000", "0", "23"},  // beyond 16 bits: refused, not wrapped
    };
    for (const Case& c : cases) {
        CSearchDlg dlg;
        RunLoaded(dlg, [&] {
            // Members before: the initial values; every later box gets a new value.
            for (int id = c.id + 1; id <= IDC_PERIOD_MOST; ++id) Type(dlg, id, "5");
            Type(dlg, c.id, c.text);
            bool result = true;
            const std::string message = TransferExpectingMessage(dlg, result);
            EXPECT_FALSE(result) << c.text;
            EXPECT_NE(message.find(c.low), std::string::npos) << message;
            EXPECT_NE(message.find(c.high), std::string::npos) << message;
            EXPECT_TRUE(HasFocus(dlg, c.id)) << "focus goes to the refused box " << c.id;

            // The refused value is stored (16-bit rows refuse what does not fit);
            // the rows after it are not read.
            switch (c.id) {
                case IDC_RA_WEST:
                    EXPECT_EQ(dlg.m_raWest, c.text == std::string("24") ? 24 : 0);
                    EXPECT_EQ(dlg.m_raEast, 23);
                    break;
                case IDC_RA_EAST:
                    EXPECT_EQ(dlg.m_raEast, -1);
                    EXPECT_EQ(dlg.m_decSouth, -90);
                    break;
                case IDC_DEC_SOUTH:
                    EXPECT_EQ(dlg.m_decSouth, -91);
                    EXPECT_EQ(dlg.m_decNorth, 90);
                    break;
                case IDC_DEC_NORTH:
                    EXPECT_EQ(dlg.m_decNorth, 91);
                    EXPECT_EQ(dlg.m_maxMag, 7.0f);
                    break;
                case IDC_MAG_MAX:
                    EXPECT_EQ(dlg.m_maxMag, 99.5f);
                    EXPECT_EQ(dlg.m_minMag, 6.0f);
                    break;
                case IDC_MAG_MIN:
                    EXPECT_EQ(dlg.m_minMag, -0.5f);
                    EXPECT_EQ(dlg.m_periodLeast, 0.0);
                    break;
                case IDC_PERIOD_LEAST:
                    EXPECT_EQ(dlg.m_periodLeast, 100001.0);
                    EXPECT_EQ(dlg.m_periodMost, 1000.0);
                    break;
                case IDC_PERIOD_MOST:
                    EXPECT_EQ(dlg.m_periodMost, -1.0);
                    break;
            }
            EXPECT_EQ(dlg.m_specific, 1);
            EXPECT_EQ(dlg.m_recordsLoaded, 4);
        });
    }
}

TEST_F(TransferTest, TextThatIsNotANumberLeavesTheMemberUnchanged) {
    const char* texts[] = {"", "abc", "7x", "--1"};
    for (const char* text : texts) {
        CSearchDlg dlg;
        RunLoaded(dlg, [&] {
            Type(dlg, IDC_RA_WEST, "3");
            Type(dlg, IDC_MAG_MAX, text);
            Type(dlg, IDC_MAG_MIN, "2");
            bool result = true;
            const std::string message = TransferExpectingMessage(dlg, result);
            EXPECT_FALSE(result) << '"' << text << '"';
            EXPECT_FALSE(message.empty());
            EXPECT_TRUE(HasFocus(dlg, IDC_MAG_MAX));
            EXPECT_EQ(dlg.m_raWest, 3) << "rows before the failing one are transferred";
            EXPECT_EQ(dlg.m_maxMag, 7.0f) << '"' << text << '"';
            EXPECT_EQ(dlg.m_minMag, 6.0f) << "rows after the failing one are not";
        });
    }
}

TEST_F(TransferTest, SpecificTogglesExactlyTheMagnitudeAndPeriodBoxes) {
    CSearchDlg dlg;
    RunLoaded(dlg, [&] {
        Type(dlg, IDC_MAG_MAX, "8.5");
        const std::vector<std::string> before = {Text(dlg, IDC_MAG_MAX), Text(dlg, IDC_MAG_MIN),
                                                 Text(dlg, IDC_PERIOD_LEAST),
                                                 Text(dlg, IDC_PERIOD_MOST)};
        for (int round = 0; round < 2; ++round) {
            const bool nowTicked = round == 1;
            Click(dlg, IDC_SPECIFIC);
            EXPECT_EQ(Checked(dlg, IDC_SPECIFIC), nowTicked);
            for (int id : EnableGroupIds()) {
                const bool toggled = id >= IDC_MAG_MAX && id <= IDC_PERIOD_MOST;
                EXPECT_EQ(Enabled(dlg, id), toggled ? nowTicked : true) << id;
            }
            EXPECT_EQ(dlg.m_specific, 1) << "changes only at the next transfer";
            const std::vector<std::string> after = {Text(dlg, IDC_MAG_MAX), Text(dlg, IDC_MAG_MIN),
                                                    Text(dlg, IDC_PERIOD_LEAST),
                                                    Text(dlg, IDC_PERIOD_MOST)};
            EXPECT_EQ(after, before);
        }
        Click(dlg, IDC_SPECIFIC);
        // Disabled boxes are still read: 8.5 reaches its member.
        EXPECT_TRUE(dlg.TransferData(true));
        EXPECT_EQ(dlg.m_specific, 0);
        EXPECT_EQ(dlg.m_maxMag, 8.5f);
    });
}

TEST_F(TransferTest, TowardsTheControlsFloatsReadBackAsTheSameValue) {
    CSearchDlg dlg;
    RunLoaded(dlg, [&] {
        dlg.m_maxMag = 6.1f;
        dlg.m_minMag = 1.0f / 3.0f;
        dlg.m_periodMost = 0.1 + 0.2;
        dlg.m_fileName = "other.txt";
        dlg.m_specific = 0;
        EXPECT_TRUE(dlg.TransferData(false));
        EXPECT_EQ(Text(dlg, IDC_MAG_MAX), "6.1");
        EXPECT_EQ(Text(dlg, IDC_FILE_NAME), "other.txt");
        EXPECT_FALSE(Checked(dlg, IDC_SPECIFIC));
        dlg.m_minMag = 0.0f;
        dlg.m_periodMost = 0.0;
        EXPECT_TRUE(dlg.TransferData(true));
        EXPECT_EQ(dlg.m_minMag, 1.0f / 3.0f);
        EXPECT_EQ(dlg.m_periodMost, 0.1 + 0.2);
    });
}

}  // namespace
