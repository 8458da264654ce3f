// The common file dialog: typing names, cancelling, default extensions,
// filters, the open kind taking a name that does not exist, and the save
// kind asking before it replaces a file.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <filesystem>
#include <fstream>

#include "tests/support/modal.h"
#include "toolkit/dialog.h"
#include "toolkit/file_dialog.h"

namespace {

constexpr char kTextFilter[] = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||";

// Each test runs in a fresh folder of its own, which the dialog opens on.
class FileDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        std::string pattern =
            (std::filesystem::temp_directory_path() / "velmo-file-dialog-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = std::filesystem::canonical(pattern);
        std::filesystem::current_path(folder_);
    }
    void TearDown() override {
        std::filesystem::current_path(previous_);
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
        EXPECT_EQ(tktest::VisibleTopLevelCount(), 0) << "a window was left open";
    }
    std::string Path(const std::string& name) const { return (folder_ / name).string(); }

    // Runs a dialog in which the user types `name` and presses Enter.
    int RunTyping(tk::FileDialog& dialog, const std::string& name) {
        tktest::WhenModal([name](QWidget* modal) { tktest::TypeFileName(modal, name); });
        const int result = dialog.DoModal();
        tktest::WaitForAnswers();
        return result;
    }

    std::filesystem::path previous_;
    std::filesystem::path folder_;
};

TEST_F(FileDialogTest, NameWithoutExtensionGetsTheDefaultOne) {
    tk::FileDialog dialog(false, "txt", "*.txt", tk::FileDialog::kHideReadOnly, kTextFilter,
                          nullptr);
    ASSERT_EQ(RunTyping(dialog, "results"), tk::kIdOk);
    EXPECT_EQ(dialog.GetPathName(), Path("results.txt"));
    EXPECT_EQ(dialog.GetFileName(), "results.txt");
    EXPECT_EQ(dialog.GetFileExt(), "txt");
}

TEST_F(FileDialogTest, TypedExtensionIsKeptAsTyped) {
    tk::FileDialog csv(false, "txt", "*.txt", 0, kTextFilter, nullptr);
    ASSERT_EQ(RunTyping(csv, "export.CSV"), tk::kIdOk);
    EXPECT_EQ(csv.GetFileName(), "export.CSV");
    EXPECT_EQ(csv.GetFileExt(), "CSV");

    tk::FileDialog twoDots(false, "csv", "*.csv", 0, kTextFilter, nullptr);
    ASSERT_EQ(RunTyping(twoDots, "stars.2024.txt"), tk::kIdOk);
    EXPECT_EQ(twoDots.GetFileExt(), "txt");
}

TEST_F(FileDialogTest, FullPathTypedIntoTheBoxIsTaken) {
    std::filesystem::create_directory(folder_ / "sub");
    std::ofstream(Path("sub/stars.txt")) << "data\n";
    tk::FileDialog dialog(true, "txt", "*.txt", 0, kTextFilter, nullptr);
    ASSERT_EQ(RunTyping(dialog, Path("sub/stars.txt")), tk::kIdOk);
    EXPECT_EQ(dialog.GetPathName(), Path("sub/stars.txt"));
    EXPECT_EQ(dialog.GetFileName(), "stars.txt");
}

TEST_F(FileDialogTest, CancelReportsNoChoice) {
    tk::FileDialog dialog(true, "txt", "*.txt", 0, kTextFilter, nullptr);
    tktest::WhenModal([](QWidget* modal) { tktest::CancelDialog(modal); });
    EXPECT_EQ(dialog.DoModal(), tk::kIdCancel);
    tktest::WaitForAnswers();
    EXPECT_EQ(dialog.GetPathName(), "");
    EXPECT_EQ(dialog.GetFileExt(), "");
}

TEST_F(FileDialogTest, OpenKindTakesANameThatDoesNotExist) {
    tk::FileDialog dialog(true, "txt", "*.txt", 0, kTextFilter, nullptr);
    ASSERT_EQ(RunTyping(dialog, "missing.txt"), tk::kIdOk);
    EXPECT_EQ(dialog.GetPathName(), Path("missing.txt"));
    EXPECT_FALSE(std::filesystem::exists(Path("missing.txt")));
}

TEST_F(FileDialogTest, SaveKindAsksBeforeReplacingAndNoGoesBackToTheDialog) {
    std::ofstream(Path("old.txt")) << "old\n";
    tk::FileDialog dialog(false, "txt", "*.txt", 0, kTextFilter, nullptr);
    std::string firstQuestion;
    std::string secondQuestion;
    bool backInTheDialog = false;
    tktest::WhenModal([&](QWidget* modal) {
        tktest::TypeFileName(modal, "old", true); // the default extension names old.txt
        backInTheDialog = modal->isVisible();
        tktest::TypeFileName(modal, "old.txt");
    });
    tktest::AnswerQuestion(false, &firstQuestion);
    tktest::AnswerQuestion(true, &secondQuestion);
    EXPECT_EQ(dialog.DoModal(), tk::kIdOk);
    tktest::WaitForAnswers();
    EXPECT_NE(firstQuestion.find("old.txt"), std::string::npos) << firstQuestion;
    EXPECT_EQ(secondQuestion, firstQuestion);
    EXPECT_TRUE(backInTheDialog) << "\"No\" goes back to the dialog";
    EXPECT_EQ(dialog.GetPathName(), Path("old.txt"));
}

TEST_F(FileDialogTest, OpenKindNeverAsks) {
    std::ofstream(Path("old.txt")) << "old\n";
    tk::FileDialog dialog(true, "txt", "*.txt", 0, kTextFilter, nullptr);
    bool closedAtOnce = false;
    tktest::WhenModal([&](QWidget* modal) {
        tktest::TypeFileName(modal, "old.txt");
        closedAtOnce = !modal->isVisible();
    });
    EXPECT_EQ(dialog.DoModal(), tk::kIdOk);
    tktest::WaitForAnswers();
    EXPECT_TRUE(closedAtOnce) << "no question when opening";
    EXPECT_EQ(dialog.GetPathName(), Path("old.txt"));
}

TEST_F(FileDialogTest, OpensOnTheWorkingFolderWithTheFiltersAndThePatternShown) {
    tk::FileDialog dialog(false, "csv", "*.csv",
                          0, "Comma-Separated Files (*.csv)|*.csv|All Files (*.*)|*.*||", nullptr);
    tktest::WhenModal([&](QWidget* modal) {
        auto* files = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(files, nullptr);
        EXPECT_TRUE(files->testOption(QFileDialog::DontUseNativeDialog));
        EXPECT_EQ(files->acceptMode(), QFileDialog::AcceptSave);
        EXPECT_EQ(QDir(files->directory()).canonicalPath().toStdString(), folder_.string());
        EXPECT_EQ(files->nameFilters().join('|').toStdString(),
                  "Comma-Separated Files (*.csv) (*.csv)|All Files (*.*) (*)");
        EXPECT_EQ(files->selectedNameFilter().toStdString(), "Comma-Separated Files (*.csv)");
        // The list of types shows the descriptions as the filter text has them.
        auto* types = files->findChild<QComboBox*>("fileTypeCombo");
        ASSERT_NE(types, nullptr);
        ASSERT_EQ(types->count(), 2);
        EXPECT_EQ(types->itemText(0).toStdString(), "Comma-Separated Files (*.csv)");
        EXPECT_EQ(types->itemText(1).toStdString(), "All Files (*.*)");
        auto* name = files->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        EXPECT_EQ(name->text().toStdString(), "*.csv");

        // Confirming a pattern filters the listing; the dialog stays open.
        tktest::TypeFileName(modal, "*.dat");
        EXPECT_TRUE(modal->isVisible()) << "a pattern is not a file name";
        tktest::TypeFileName(modal, "chosen");
    });
    EXPECT_EQ(dialog.DoModal(), tk::kIdOk);
    tktest::WaitForAnswers();
    EXPECT_EQ(dialog.GetFileName(), "chosen.csv");
}

} // namespace
