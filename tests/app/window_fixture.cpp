// SPDX-License-Identifier: GPL-3.0-or-later
#include "window_fixture.h"

#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "res/resource.h"
#include "tests/support/modal.h"
#include "tests/support/text_files.h"

const char* const kDataFileError = "Data File Error!";
const char* const kNoRecordsLoaded =
    "No records loaded! Verify data file contains valid variable star records.";
const char* const kNoRecordsSaved =
    "No records saved! Verify data loaded and searched by criteria.";

std::string StarLine(const char* position, const char* name, const char* type, const char* range,
                     const char* period, const char* description) {
    char line[128];
    std::snprintf(line, sizeof line, "%-7s   %-11s %-8s  %-14s%-9s%-20s", position, name, type,
                  range, period, description);
    return line;
}

std::string SmallCatalogue() {
    return "Velmo test catalogue\n" +
           StarLine("0507-05", "V0370 And", "M", "  6.50   8.00 ", "   1.5000", "Andromeda") +
           "\n" + StarLine("1200-45", "R Cen", "SRB", "  5.00   7.00 ", " 300.2500", "Centaurus") +
           "\n" + StarLine("1830+00", "X Oph", "IRR", "", "", "Ophiuchus") + "\n" +
           StarLine("2359+05", "T Psc", "EA", "  6.90   9.00 ", "2000.0000", "Pisces") + "\n";
}

void SearchWindowTest::SetUp() {
    previousFolder_ = std::filesystem::current_path();
    std::filesystem::current_path(folder_.Path());
}

void SearchWindowTest::TearDown() {
    EXPECT_EQ(tktest::VisibleTopLevelCount(), 0) << "a window was left open";
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "the busy cursor was left on";
    std::filesystem::current_path(previousFolder_);
}

void SearchWindowTest::RunWindow(CSearchDlg& dlg, const std::function<void()>& steps) {
    bool ran = false;
    tktest::WhenModal([&](QWidget* modal) {
        ran = true;
        EXPECT_EQ(modal, dlg.Window());
        steps();
        dlg.EndDialog(tk::kIdCancel);
    });
    dlg.DoModal();
    tktest::WaitForAnswers();
    EXPECT_TRUE(ran) << "the search window never became the active modal window";
}

std::string SearchWindowTest::PathOf(const std::string& name) const { return name; }

std::string SearchWindowTest::WriteFile(const std::string& name, const std::string& content) const {
    const std::string path = PathOf(name);
    tktest::WriteFile(path, content);
    return path;
}

bool SearchWindowTest::FileExists(const std::string& path) { return std::filesystem::exists(path); }

void SearchWindowTest::Menu(CSearchDlg& dlg, const char* commandName) {
    QAction* action = dlg.Window()->findChild<QAction*>(QString::fromLatin1(commandName));
    ASSERT_NE(action, nullptr) << commandName;
    action->trigger();
}

void SearchWindowTest::Click(CSearchDlg& dlg, int id) {
    QWidget* control = dlg.GetControl(id);
    ASSERT_NE(control, nullptr) << id;
    QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier, control->rect().center());
}

void SearchWindowTest::Type(CSearchDlg& dlg, int id, const std::string& text) {
    auto* edit = qobject_cast<QLineEdit*>(dlg.GetControl(id));
    ASSERT_NE(edit, nullptr) << id;
    ASSERT_TRUE(edit->isEnabled()) << "box " << id << " cannot be typed into";
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, QString::fromStdString(text));
}

std::string SearchWindowTest::Text(CSearchDlg& dlg, int id) {
    auto* edit = qobject_cast<QLineEdit*>(dlg.GetControl(id));
    return edit ? edit->text().toStdString() : "<no edit box " + std::to_string(id) + ">";
}

std::string SearchWindowTest::SelectedText(CSearchDlg& dlg, int id) {
    auto* edit = qobject_cast<QLineEdit*>(dlg.GetControl(id));
    return edit ? edit->selectedText().toStdString() : "";
}

bool SearchWindowTest::HasFocus(CSearchDlg& dlg, int id) {
    // The window's focus child: offscreen windows are never the active
    // window, so the application's focus widget stays empty.
    return dlg.Window()->focusWidget() == dlg.GetControl(id);
}

bool SearchWindowTest::Enabled(CSearchDlg& dlg, int id) {
    QWidget* control = dlg.GetControl(id);
    return control && control->isEnabled();
}

bool SearchWindowTest::Checked(CSearchDlg& dlg, int id) {
    auto* box = qobject_cast<QCheckBox*>(dlg.GetControl(id));
    return box && box->isChecked();
}

QAbstractItemView* SearchWindowTest::ListView(CSearchDlg& dlg) {
    return qobject_cast<QAbstractItemView*>(dlg.GetControl(IDC_RESULT_LIST));
}

std::vector<std::vector<std::string>> SearchWindowTest::Rows(CSearchDlg& dlg) {
    std::vector<std::vector<std::string>> rows;
    QAbstractItemView* view = ListView(dlg);
    if (!view) return rows;
    // The list tells its view about new rows once the event loop runs, as it
    // does before a person can look.
    QCoreApplication::processEvents();
    const QAbstractItemModel* model = view->model();
    for (int r = 0; r < model->rowCount(); ++r) {
        std::vector<std::string> cells;
        for (int c = 0; c < model->columnCount(); ++c) {
            cells.push_back(model->data(model->index(r, c)).toString().toStdString());
        }
        rows.push_back(cells);
    }
    return rows;
}

std::string SearchWindowTest::Load(CSearchDlg& dlg, const std::string& typedName,
                                   bool expectMessage) {
    std::string message;
    tktest::WhenModal(
        [typedName](QWidget* fileDialog) { tktest::TypeFileName(fileDialog, typedName); });
    if (expectMessage) tktest::AnswerMessageBox(&message);
    Menu(dlg, "ID_FILE_LOAD");
    tktest::WaitForAnswers();
    return message;
}

std::string SearchWindowTest::CancelLoad(CSearchDlg& dlg) {
    std::string message;
    tktest::WhenModal([](QWidget* fileDialog) { tktest::CancelDialog(fileDialog); });
    tktest::AnswerMessageBox(&message);
    Menu(dlg, "ID_FILE_LOAD");
    tktest::WaitForAnswers();
    return message;
}

std::string SearchWindowTest::Save(CSearchDlg& dlg, const char* commandName,
                                   const std::string& typedName, bool expectMessage) {
    std::string message;
    tktest::WhenModal([typedName](QWidget* fileDialog) {
        if (typedName.empty()) {
            tktest::CancelDialog(fileDialog);
        } else {
            tktest::TypeFileName(fileDialog, typedName);
        }
    });
    if (expectMessage) tktest::AnswerMessageBox(&message);
    Menu(dlg, commandName);
    tktest::WaitForAnswers();
    return message;
}

std::string SearchWindowTest::ClickExpectingMessage(CSearchDlg& dlg, int id) {
    std::string message;
    tktest::AnswerMessageBox(&message);
    Click(dlg, id);
    tktest::WaitForAnswers();
    return message;
}

const std::vector<int>& SearchWindowTest::EnableGroupIds() {
    static const std::vector<int> ids = {
        IDC_RA_WEST,    IDC_RA_EAST,     IDC_DEC_SOUTH,   IDC_DEC_NORTH,
        IDC_MAG_MAX,    IDC_MAG_MIN,     IDC_PERIOD_MOST, IDC_PERIOD_LEAST,
        IDC_SEARCH_ASC, IDC_SEARCH_DESC, IDC_SPECIFIC,
    };
    return ids;
}

void SearchWindowTest::RunLoaded(CSearchDlg& dlg, const std::function<void()>& steps) {
    const std::string path = WriteFile("stars.txt", SmallCatalogue());
    RunWindow(dlg, [&] {
        ASSERT_EQ(Load(dlg, path, false), "");
        steps();
    });
}
