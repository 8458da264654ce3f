// SPDX-License-Identifier: GPL-3.0-or-later
// The common file dialog: typing names, cancelling, default extensions,
// filters, the open kind taking a name that does not exist, the save kind
// asking before it replaces a file, and a listing whose columns show whole.
#include "toolkit/file_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLineEdit>
#include <QScreen>
#include <QStyle>
#include <QTreeView>
#include <filesystem>
#include <fstream>

#include "tests/support/modal.h"
#include "tests/support/temp_folder.h"
#include "toolkit/dialog.h"

namespace {

constexpr char kTextFilter[] = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||";

// Each test runs in a fresh folder of its own, which the dialog opens on.
class FileDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        folder_ = std::filesystem::canonical(temp_.Path());
        std::filesystem::current_path(folder_);
    }
    void TearDown() override {
        std::filesystem::current_path(previous_);
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

    tktest::TempFolder temp_{"velmo-file-dialog"};
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
        tktest::TypeFileName(modal, "old", true);  // the default extension names old.txt
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
    tk::FileDialog dialog(false, "csv", "*.csv", 0,
                          "Comma-Separated Files (*.csv)|*.csv|All Files (*.*)|*.*||", nullptr);
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

TEST_F(FileDialogTest, LoadingOpensWideEnoughForEveryColumnWithTheNameBoxEmpty) {
    // The sample's folder: the catalogue, 4464 lines of 76 bytes, and its notes.
    std::ofstream(Path("bright-variable-stars.txt")) << std::string(4464 * 76, ' ');
    std::ofstream(Path("README.md")) << std::string(2100, ' ');
    const QFont desktop = QApplication::font();
    for (const int points : {9, 12}) {
        SCOPED_TRACE(points);
        QFont font = desktop;
        font.setPointSize(points);
        QApplication::setFont(font);
        tk::FileDialog dialog(true, "txt", "*.txt", 0, kTextFilter, nullptr);
        tktest::WhenModal([&](QWidget* modal) {
            auto* name = modal->findChild<QLineEdit*>("fileNameEdit");
            ASSERT_NE(name, nullptr);
            EXPECT_EQ(name->text().toStdString(), "");
            auto* files = qobject_cast<QFileDialog*>(modal);
            ASSERT_NE(files, nullptr);
            EXPECT_EQ(files->selectedNameFilter().toStdString(), "Text Files (*.txt)");

            // The listing is read in the background: wait for its sizes.
            auto* view = modal->findChild<QTreeView*>("treeView");
            auto* listing = modal->findChild<QFileSystemModel*>();
            ASSERT_NE(view, nullptr);
            ASSERT_NE(listing, nullptr);
            const QModelIndex folder = listing->index(QString::fromStdString(folder_.string()));
            QElapsedTimer waited;
            waited.start();
            while ((listing->rowCount(folder) < 1 ||
                    listing->index(0, 1, folder).data().toString().isEmpty()) &&
                   waited.elapsed() < 5000) {
                QApplication::processEvents(QEventLoop::AllEvents, 20);
            }
            QApplication::processEvents();
            ASSERT_EQ(listing->rowCount(folder), 1) << "only *.txt is listed";

            // Each cell's text fits its column, as the view draws it: a margin
            // each side, and the icon before the name; and the four columns
            // fit the view side by side.
            const QFontMetrics metrics = view->fontMetrics();
            const int margin = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1;
            const QHeaderView* header = view->header();
            for (int column = 0; column < 4; ++column) {
                const QString text = listing->index(0, column, folder).data().toString();
                SCOPED_TRACE(text.toStdString());
                EXPECT_FALSE(text.isEmpty());
                int needed = metrics.horizontalAdvance(text) + 2 * margin;
                if (column == 0) needed += view->iconSize().width() + 2 * margin;
                EXPECT_GE(header->sectionSize(column), needed);
                EXPECT_LE(header->sectionViewportPosition(column) + needed,
                          view->viewport()->width());
            }
            EXPECT_LE(modal->width(), modal->screen()->availableGeometry().width());
            tktest::CancelDialog(modal);
        });
        EXPECT_EQ(dialog.DoModal(), tk::kIdCancel);
        tktest::WaitForAnswers();
    }
    QApplication::setFont(desktop);
}

}  // namespace
