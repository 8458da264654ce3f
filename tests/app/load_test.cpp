// SPDX-License-Identifier: GPL-3.0-or-later
// "&Load Data..." through the real file dialog: success, cancel, a missing
// file, an unreadable one and a file without a valid line, and the window's
// state after each.
#include <filesystem>
#include <fstream>

#include "res/resource.h"
#include "tests/support/unprivileged.h"
#include "window_fixture.h"

namespace {

class LoadTest : public SearchWindowTest {
  protected:
    void ExpectGroupEnabled(CSearchDlg& dlg, bool enabled) {
        for (int id : EnableGroupIds()) EXPECT_EQ(Enabled(dlg, id), enabled) << id;
        // Never part of the group: display boxes stay disabled, the list enabled.
        EXPECT_FALSE(Enabled(dlg, IDC_FILE_NAME));
        EXPECT_FALSE(Enabled(dlg, IDC_RECORDS_LOADED));
        EXPECT_FALSE(Enabled(dlg, IDC_RECORDS_SEARCHED));
        EXPECT_TRUE(Enabled(dlg, IDC_RESULT_LIST));
    }
};

TEST_F(LoadTest, SuccessEnablesTheCriteriaAndShowsNameAndCount) {
    const std::string path = WriteFile("stars.txt", SmallCatalogue());
    CSearchDlg dlg;
    RunWindow(dlg, [&] {
        EXPECT_EQ(Load(dlg, path, false), "");
        ExpectGroupEnabled(dlg, true);
        EXPECT_EQ(Text(dlg, IDC_FILE_NAME), "stars.txt");
        EXPECT_EQ(dlg.m_fileName, "stars.txt");
        EXPECT_EQ(Text(dlg, IDC_RECORDS_LOADED), "4");
        EXPECT_EQ(Text(dlg, IDC_RECORDS_SEARCHED), "0");
        EXPECT_TRUE(HasFocus(dlg, IDC_RA_WEST));
        EXPECT_EQ(SelectedText(dlg, IDC_RA_WEST), "0");
        EXPECT_TRUE(Rows(dlg).empty()) << "a load lists no rows";
        EXPECT_TRUE(dlg.m_catalog.IsLoaded());
    });
}

TEST_F(LoadTest, ANameTypedWithoutExtensionGetsTxt) {
    WriteFile("stars.txt", SmallCatalogue());
    CSearchDlg dlg;
    RunWindow(dlg, [&] {
        EXPECT_EQ(Load(dlg, PathOf("stars"), false), "");
        EXPECT_EQ(Text(dlg, IDC_FILE_NAME), "stars.txt");
        EXPECT_EQ(Text(dlg, IDC_RECORDS_LOADED), "4");
    });
}

TEST_F(LoadTest, ReloadKeepsSearchedCountSelectsTwoCharactersAndEmptiesTheList) {
    const std::string path = WriteFile("stars.txt", SmallCatalogue());
    CSearchDlg dlg;
    RunWindow(dlg, [&] {
        ASSERT_EQ(Load(dlg, path, false), "");
        Type(dlg, IDC_RA_WEST, "12");
        Click(dlg, IDC_SEARCH_ASC);
        ASSERT_EQ(Rows(dlg).size(), 1u);
        Type(dlg, IDC_RA_EAST, "5");  // typed after the search: replaced by the member
        EXPECT_EQ(Load(dlg, path, false), "");
        EXPECT_TRUE(Rows(dlg).empty());
        EXPECT_EQ(Text(dlg, IDC_RECORDS_SEARCHED), "1");
        EXPECT_EQ(Text(dlg, IDC_RA_EAST), "23");
        EXPECT_TRUE(HasFocus(dlg, IDC_RA_WEST));
        EXPECT_EQ(SelectedText(dlg, IDC_RA_WEST), "12");
    });
}

TEST_F(LoadTest, FailuresDisableTheCriteriaAndShowTheirMessage) {
    const std::string good = WriteFile("stars.txt", SmallCatalogue());
    const std::string noValidLine = WriteFile("notes.txt", "no star here\n\n0000 +00 too short\n");
    const std::string empty = WriteFile("empty.txt", "");
    struct Case {
        std::string typed;  // empty: cancel the dialog
        const char* message;
        bool catalogueKept;
    };
    const Case cases[] = {
        {"", kDataFileError, true},
        {PathOf("missing.txt"), kDataFileError, false},
        {noValidLine, kNoRecordsLoaded, false},
        {empty, kNoRecordsLoaded, false},
    };
    for (const Case& c : cases) {
        CSearchDlg dlg;
        RunWindow(dlg, [&] {
            ASSERT_EQ(Load(dlg, good, false), "");
            Click(dlg, IDC_SEARCH_ASC);
            ASSERT_EQ(Rows(dlg).size(), 2u);

            const std::string message =
                c.typed.empty() ? CancelLoad(dlg) : Load(dlg, c.typed, true);
            EXPECT_EQ(message, c.message) << c.typed;
            ExpectGroupEnabled(dlg, false);
            EXPECT_TRUE(Rows(dlg).empty());
            EXPECT_EQ(Text(dlg, IDC_FILE_NAME), "");
            EXPECT_EQ(Text(dlg, IDC_RECORDS_LOADED), "0");
            EXPECT_EQ(Text(dlg, IDC_RECORDS_SEARCHED), "2") << "unchanged";
            EXPECT_EQ(dlg.m_fileName, "");
            EXPECT_EQ(dlg.m_catalog.IsLoaded(), c.catalogueKept) << c.typed;
        });
    }
}

TEST_F(LoadTest, AnUnreadableCatalogueIsADataFileError) {
    if (tktest::RanAsUnprivilegedUser()) return;
    const std::string path = WriteFile("stars.txt", SmallCatalogue());
    std::filesystem::permissions(path, std::filesystem::perms::owner_write);
    ASSERT_FALSE(std::ifstream(path).is_open()) << "file permissions must bind this user";
    CSearchDlg dlg;
    RunWindow(dlg, [&] {
        EXPECT_EQ(Load(dlg, path, true), kDataFileError);
        ExpectGroupEnabled(dlg, false);
        EXPECT_EQ(Text(dlg, IDC_FILE_NAME), "");
        EXPECT_FALSE(dlg.m_catalog.IsLoaded());
    });
}

TEST_F(LoadTest, AfterASearchWithoutSpecificALoadLeavesTheBoxClearButEverythingEnabled) {
    const std::string path = WriteFile("stars.txt", SmallCatalogue());
    CSearchDlg dlg;
    RunWindow(dlg, [&] {
        ASSERT_EQ(Load(dlg, path, false), "");
        Click(dlg, IDC_SPECIFIC);
        Click(dlg, IDC_SEARCH_ASC);
        ASSERT_EQ(dlg.m_specific, 0);
        ASSERT_EQ(Load(dlg, path, false), "");
        EXPECT_FALSE(Checked(dlg, IDC_SPECIFIC));
        ExpectGroupEnabled(dlg, true);
    });
}

}  // namespace
