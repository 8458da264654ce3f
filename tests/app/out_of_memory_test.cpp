// SPDX-License-Identifier: GPL-3.0-or-later
// Running out of memory in the middle of a load, a search or a save: the
// program keeps running, reports it, and is left in a consistent state.
// Memory runs out on demand: this program's operator new refuses large
// allocations while a test asks it to (tests/support/failing_allocation.h).
#include <QAbstractItemView>
#include <QWidget>
#include <cstdio>

#include "res/resource.h"
#include "tests/support/failing_allocation.h"
#include "tests/support/modal.h"
#include "window_fixture.h"

namespace {

constexpr const char* kOutOfMemory = "Not enough memory to complete the command.";
constexpr std::size_t kMiB = std::size_t{1} << 20;

class OutOfMemoryTest : public SearchWindowTest {
  protected:
    void TearDown() override {
        tktest::StopFailingAllocations();
        SearchWindowTest::TearDown();
    }

    // Answers the next message box: records its text, lets allocations
    // succeed again, then presses OK.
    static void AnswerAndRecover(std::string* text) {
        tktest::WhenModal([text](QWidget* box) {
            *text = tktest::MessageBoxText(box);
            tktest::StopFailingAllocations();
            tktest::PressOk(box);
        });
    }

    // `count` stars that all match the initial criteria, in catalogue order.
    static std::string ManyStars(int count) {
        std::string text;
        for (int i = 0; i < count; ++i) {
            char position[16];
            char name[16];
            std::snprintf(position, sizeof position, "%02d%02d-%02d", i / 60 % 24, i % 60, i % 90);
            std::snprintf(name, sizeof name, "V%06d", i);
            text += StarLine(position, name, "M", "  6.50   8.00 ", "   1.5000", "Many") + "\n";
        }
        return text;
    }
};

TEST_F(OutOfMemoryTest, ALoadThatRunsOutLeavesNothingLoadedAndSaysDataFileError) {
    const std::string stars = WriteFile("stars.txt", SmallCatalogue());
    // A line of 4 MiB: reading it needs a block of that size.
    const std::string huge =
        WriteFile("huge.txt", SmallCatalogue() + std::string(4 * kMiB, 'x') + "\n");
    CSearchDlg dlg;
    RunWindow(dlg, [&] {
        ASSERT_EQ(Load(dlg, stars, false), "");
        Click(dlg, IDC_SEARCH_ASC);
        ASSERT_EQ(Rows(dlg).size(), 2u);

        std::string message;
        tktest::WhenModal([&](QWidget* files) {
            tktest::TypeFileName(files, huge);
            tktest::FailAllocationsOfAtLeast(kMiB);
        });
        AnswerAndRecover(&message);
        Menu(dlg, "ID_FILE_LOAD");
        tktest::WaitForAnswers();

        EXPECT_GE(tktest::RefusedAllocations(), 1u);
        EXPECT_EQ(message, kDataFileError);
        EXPECT_FALSE(dlg.m_catalog.IsLoaded());
        EXPECT_FALSE(Enabled(dlg, IDC_SEARCH_ASC));
        EXPECT_TRUE(Rows(dlg).empty());
        EXPECT_EQ(Text(dlg, IDC_FILE_NAME), "");
        EXPECT_EQ(Text(dlg, IDC_RECORDS_LOADED), "0");

        // The program goes on: the same file loads once memory is there.
        EXPECT_EQ(Load(dlg, huge, false), "");
        EXPECT_EQ(Text(dlg, IDC_RECORDS_LOADED), "4");
    });
}

TEST_F(OutOfMemoryTest, ASearchThatRunsOutListsNothingAndSaysSo) {
    constexpr int kStars = 70000;
    const std::string path = WriteFile("many.txt", ManyStars(kStars));
    CSearchDlg dlg;
    RunWindow(dlg, [&] {
        ASSERT_EQ(Load(dlg, path, false), "");
        Type(dlg, IDC_RA_EAST, "12");
        Click(dlg, IDC_SEARCH_ASC);
        const std::size_t before = Rows(dlg).size();
        ASSERT_GT(before, 0u);
        Type(dlg, IDC_RA_EAST, "23");

        // Memory runs out part-way through listing the 70000 matches.
        std::string message;
        AnswerAndRecover(&message);
        tktest::FailAllocationsOfAtLeast(kMiB / 2);
        Click(dlg, IDC_SEARCH_DESC);
        tktest::WaitForAnswers();

        EXPECT_GE(tktest::RefusedAllocations(), 1u);
        EXPECT_EQ(message, kOutOfMemory);
        EXPECT_EQ(dlg.m_resultList.GetItemCount(), 0) << "nothing half-listed";
        EXPECT_TRUE(Rows(dlg).empty());
        EXPECT_EQ(Text(dlg, IDC_RECORDS_SEARCHED), std::to_string(kStars))
            << "the results the catalogue holds";
        EXPECT_TRUE(Enabled(dlg, IDC_SEARCH_ASC));

        Click(dlg, IDC_SEARCH_DESC);
        const auto rows = Rows(dlg);
        ASSERT_EQ(rows.size(), std::size_t{kStars});
        EXPECT_EQ(rows.front()[2], "    V069999");
    });
}

TEST_F(OutOfMemoryTest, ASaveThatRunsOutSaysSoAndTheNextSaveWorks) {
    const std::string stars = WriteFile("stars.txt", SmallCatalogue());
    CSearchDlg dlg;
    RunWindow(dlg, [&] {
        ASSERT_EQ(Load(dlg, stars, false), "");
        Click(dlg, IDC_SEARCH_ASC);

        // Writing needs a block of memory; none of 32 KiB or more is given.
        std::string message;
        tktest::WhenModal([](QWidget* files) {
            tktest::TypeFileName(files, "found.csv");
            tktest::FailAllocationsOfAtLeast(32 * 1024);
        });
        AnswerAndRecover(&message);
        Menu(dlg, "ID_FILE_SAVE_CSV");
        tktest::WaitForAnswers();
        EXPECT_GE(tktest::RefusedAllocations(), 1u);
        EXPECT_EQ(message, kOutOfMemory);
        EXPECT_EQ(Rows(dlg).size(), 2u) << "the list is left alone";

        EXPECT_EQ(Save(dlg, "ID_FILE_SAVE_TXT", "found.txt", false), "");
        EXPECT_EQ(ReadFile("found.txt").size(), 2u * 76);
    });
}

}  // namespace
