// SPDX-License-Identifier: GPL-3.0-or-later
// "Save &CSV..." and "Save &TXT..." through the real save dialog: the format
// follows the chosen name's extension; the message when nothing is saved.
#include <QWidget>
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "res/resource.h"
#include "tests/support/modal.h"
#include "tests/support/unprivileged.h"
#include "window_fixture.h"

namespace {

const char* const kCsvHeader = "Hr,Min,Deg,Name,Type,Range,Desc,Max,Min,Period\n";

class SaveTest : public SearchWindowTest {
  protected:
    void SetUp() override {
        SearchWindowTest::SetUp();
        catalogue_ = WriteFile("stars.txt", SmallCatalogue());
    }

    // The catalogue lines of the small catalogue's stars, in order.
    static std::string TextLines(std::initializer_list<int> stars) {
        const std::string all = SmallCatalogue();
        std::vector<std::string> lines;
        std::size_t start = all.find('\n') + 1;  // after the title line
        while (start < all.size()) {
            const std::size_t end = all.find('\n', start);
            lines.push_back(all.substr(start, end - start + 1));
            start = end + 1;
        }
        std::string text;
        for (int star : stars) text += lines[static_cast<std::size_t>(star)];
        return text;
    }

    // "Save TXT..." onto the existing file `name`, answering Yes to the
    // question; returns the message the window then shows.
    std::string SaveTextOverExisting(CSearchDlg& dlg, const char* name) {
        std::string message;
        tktest::WhenModal([name](QWidget* files) { tktest::TypeFileName(files, name); });
        tktest::AnswerQuestion(true);
        tktest::AnswerMessageBox(&message);
        Menu(dlg, "ID_FILE_SAVE_TXT");
        tktest::WaitForAnswers();
        return message;
    }

    // The names in `folder`, sorted.
    static std::vector<std::string> FileNames(const char* folder) {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string catalogue_;
};

TEST_F(SaveTest, FormatFollowsTheExtensionOfTheChosenName) {
    struct Case {
        const char* command;
        const char* typed;
        const char* written;  // the file's name after the dialog
        bool csv;
    };
    const Case cases[] = {
        {"ID_FILE_SAVE_CSV", "a.csv", "a.csv", true},
        {"ID_FILE_SAVE_CSV", "b.txt", "b.txt", false},
        {"ID_FILE_SAVE_TXT", "c.csv", "c.csv", true},
        {"ID_FILE_SAVE_TXT", "d.txt", "d.txt", false},
        {"ID_FILE_SAVE_CSV", "e.CSV", "e.CSV", false},  // letter case counts
        {"ID_FILE_SAVE_CSV", "f", "f.csv", true},       // the dialog adds its default
        {"ID_FILE_SAVE_TXT", "g", "g.txt", false},
        {"ID_FILE_SAVE_TXT", "h.dat", "h.dat", false},
    };
    CSearchDlg dlg;
    RunWindow(dlg, [&] {
        ASSERT_EQ(Load(dlg, catalogue_, false), "");
        Click(dlg, IDC_SEARCH_DESC);  // shown in reverse; files keep catalogue order
        for (const Case& c : cases) {
            EXPECT_EQ(Save(dlg, c.command, PathOf(c.typed), false), "") << c.typed;
            const std::string content = ReadFile(PathOf(c.written));
            if (c.csv) {
                EXPECT_EQ(content, std::string(kCsvHeader) +
                                       "5,7,-5,\"  V0370 And\",\"M       \",\"  6.50   8.00 \","
                                       "\"Andromeda           \",6.5,8,1.5\n"
                                       "12,0,-45,\"      R Cen\",\"SRB     \",\"  5.00   7.00 \","
                                       "\"Centaurus           \",5,7,300.25\n")
                    << c.typed;
            } else {
                EXPECT_EQ(content, TextLines({0, 1})) << c.typed;
            }
        }
        EXPECT_EQ(Rows(dlg).size(), 2u) << "saving leaves the list alone";
        EXPECT_EQ(Text(dlg, IDC_RECORDS_SEARCHED), "2");
    });
}

TEST_F(SaveTest, SavingOntoAnExistingFileAsksFirstAndNoGoesBackToTheDialog) {
    const std::string target = WriteFile("out.txt", "old content that is longer than one line\n");
    CSearchDlg dlg;
    RunWindow(dlg, [&] {
        ASSERT_EQ(Load(dlg, catalogue_, false), "");

        // "No": back in the dialog, which the user then cancels.
        std::string question;
        std::string message;
        bool backInTheDialog = false;
        tktest::WhenModal([&](QWidget* files) {
            tktest::TypeFileName(files, target, true);
            backInTheDialog = files->isVisible();
            tktest::CancelDialog(files);
        });
        tktest::AnswerQuestion(false, &question);
        tktest::AnswerMessageBox(&message);
        Menu(dlg, "ID_FILE_SAVE_TXT");
        tktest::WaitForAnswers();
        EXPECT_NE(question.find("out.txt"), std::string::npos) << question;
        EXPECT_TRUE(backInTheDialog);
        EXPECT_EQ(message, kNoRecordsSaved);
        EXPECT_EQ(ReadFile(target), "old content that is longer than one line\n");

        // "Yes": replaced.
        tktest::WhenModal([&](QWidget* files) { tktest::TypeFileName(files, target); });
        tktest::AnswerQuestion(true);
        Menu(dlg, "ID_FILE_SAVE_CSV");
        tktest::WaitForAnswers();
        EXPECT_EQ(ReadFile(target), TextLines({0, 1, 2, 3})) << "before a search: every record";
    });
}

TEST_F(SaveTest, NothingSavedIsReported) {
    CSearchDlg dlg;
    RunWindow(dlg, [&] {
        // Before any load: no file is created.
        EXPECT_EQ(Save(dlg, "ID_FILE_SAVE_CSV", PathOf("before.csv"), true), kNoRecordsSaved);
        EXPECT_EQ(Save(dlg, "ID_FILE_SAVE_TXT", PathOf("before.txt"), true), kNoRecordsSaved);
        EXPECT_FALSE(FileExists(PathOf("before.csv")));
        EXPECT_FALSE(FileExists(PathOf("before.txt")));

        // Cancelled.
        ASSERT_EQ(Load(dlg, catalogue_, false), "");
        EXPECT_EQ(Save(dlg, "ID_FILE_SAVE_CSV", "", true), kNoRecordsSaved);
        EXPECT_EQ(Save(dlg, "ID_FILE_SAVE_TXT", "", true), kNoRecordsSaved);

        // After a search without matches nothing is written: no new file,
        // and an existing one, replacement confirmed, keeps its content.
        Type(dlg, IDC_RA_WEST, "3");
        Type(dlg, IDC_RA_EAST, "3");
        Click(dlg, IDC_SEARCH_ASC);
        ASSERT_TRUE(Rows(dlg).empty());
        EXPECT_EQ(Save(dlg, "ID_FILE_SAVE_CSV", PathOf("none.csv"), true), kNoRecordsSaved);
        EXPECT_FALSE(FileExists(PathOf("none.csv")));

        WriteFile("kept.txt", "keep");
        std::string message;
        tktest::WhenModal([&](QWidget* files) { tktest::TypeFileName(files, PathOf("kept.txt")); });
        tktest::AnswerQuestion(true);
        tktest::AnswerMessageBox(&message);
        Menu(dlg, "ID_FILE_SAVE_TXT");
        tktest::WaitForAnswers();
        EXPECT_EQ(message, kNoRecordsSaved);
        EXPECT_EQ(ReadFile(PathOf("kept.txt")), "keep");
    });
}

TEST_F(SaveTest, SavingWhereWritingIsRefusedIsReportedAndChangesNothing) {
    if (tktest::RanAsUnprivilegedUser()) return;
    namespace fs = std::filesystem;
    fs::create_directory("locked");
    WriteFile("locked/old.txt", "keep\n");
    fs::permissions("locked/old.txt", fs::perms::owner_read);
    fs::permissions("locked", fs::perms::owner_read | fs::perms::owner_exec);
    ASSERT_FALSE(std::ofstream("locked/new.txt")) << "folder permissions must bind this user";
    CSearchDlg dlg;
    RunWindow(dlg, [&] {
        ASSERT_EQ(Load(dlg, catalogue_, false), "");
        EXPECT_EQ(Save(dlg, "ID_FILE_SAVE_CSV", "locked/new.csv", true), kNoRecordsSaved);

        EXPECT_EQ(SaveTextOverExisting(dlg, "locked/old.txt"), kNoRecordsSaved);
    });
    EXPECT_EQ(ReadFile("locked/old.txt"), "keep\n");
    EXPECT_EQ(FileNames("locked"), std::vector<std::string>{"old.txt"})
        << "nothing was left in the folder";
    fs::permissions("locked", fs::perms::owner_all);  // so that the folder can go
}

// A read-only file is not replaced even where its folder would let a rename
// through.
TEST_F(SaveTest, SavingOntoAReadOnlyFileIsRefusedThoughTheFolderIsWritable) {
    if (tktest::RanAsUnprivilegedUser()) return;
    namespace fs = std::filesystem;
    fs::create_directory("mine");
    WriteFile("mine/old.txt", "keep\n");
    fs::permissions("mine/old.txt", fs::perms::owner_read);
    ASSERT_FALSE(std::ofstream("mine/old.txt", std::ios::app)) << "the mode must bind this user";
    CSearchDlg dlg;
    RunWindow(dlg, [&] {
        ASSERT_EQ(Load(dlg, catalogue_, false), "");
        Click(dlg, IDC_SEARCH_ASC);
        ASSERT_FALSE(Rows(dlg).empty());
        EXPECT_EQ(SaveTextOverExisting(dlg, "mine/old.txt"), kNoRecordsSaved);
    });
    EXPECT_EQ(ReadFile("mine/old.txt"), "keep\n");
    EXPECT_EQ(FileNames("mine"), std::vector<std::string>{"old.txt"})
        << "nothing was left in the folder";
}

TEST_F(SaveTest, AfterACancelledLoadTheEarlierResultsAreStillSaved) {
    CSearchDlg dlg;
    RunWindow(dlg, [&] {
        ASSERT_EQ(Load(dlg, catalogue_, false), "");
        Click(dlg, IDC_SEARCH_ASC);
        ASSERT_EQ(CancelLoad(dlg), kDataFileError);
        EXPECT_EQ(Save(dlg, "ID_FILE_SAVE_TXT", PathOf("kept.txt"), false), "");
        EXPECT_EQ(ReadFile(PathOf("kept.txt")), TextLines({0, 1}));
    });
}

}  // namespace
