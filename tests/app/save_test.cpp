// "Save &CSV..." and "Save &TXT..." through the real save dialog: the format
// follows the chosen name's extension; the message when nothing is saved.
#include <filesystem>
#include <fstream>

#include "res/resource.h"
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

TEST_F(SaveTest, SavingReplacesAnExistingFileWithoutAsking) {
    const std::string target = WriteFile("out.txt", "old content that is longer than one line\n");
    CSearchDlg dlg;
    RunWindow(dlg, [&] {
        ASSERT_EQ(Load(dlg, catalogue_, false), "");
        EXPECT_EQ(Save(dlg, "ID_FILE_SAVE_TXT", target, false), "");
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
        // and an existing one keeps its content.
        Type(dlg, IDC_RA_WEST, "3");
        Type(dlg, IDC_RA_EAST, "3");
        Click(dlg, IDC_SEARCH_ASC);
        ASSERT_TRUE(Rows(dlg).empty());
        EXPECT_EQ(Save(dlg, "ID_FILE_SAVE_CSV", PathOf("none.csv"), true), kNoRecordsSaved);
        EXPECT_FALSE(FileExists(PathOf("none.csv")));
        WriteFile("kept.txt", "keep");
        EXPECT_EQ(Save(dlg, "ID_FILE_SAVE_TXT", PathOf("kept.txt"), true), kNoRecordsSaved);
        EXPECT_EQ(ReadFile(PathOf("kept.txt")), "keep");

        // A file that cannot be opened for writing.
        WriteFile("locked.txt", "keep");
        std::filesystem::permissions("locked.txt", std::filesystem::perms::owner_read);
        if (!std::ofstream("locked.txt", std::ios::app)) {  // root may write anyway
            EXPECT_EQ(Save(dlg, "ID_FILE_SAVE_TXT", "locked.txt", true), kNoRecordsSaved);
            EXPECT_EQ(ReadFile("locked.txt"), "keep");
        }
    });
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
