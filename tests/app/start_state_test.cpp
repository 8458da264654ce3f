// SPDX-License-Identifier: GPL-3.0-or-later
// The search window just after start: title, menu, boxes, counts, columns,
// enabled states, and the ways it closes.
#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTreeView>
#include <cmath>

#include "res/resource.h"
#include "tests/support/modal.h"
#include "toolkit/dialog.h"
#include "window_fixture.h"

namespace {

using StartStateTest = SearchWindowTest;

TEST_F(StartStateTest, BoxesShowTheInitialValuesAndOnlyTheListIsEnabled) {
    CSearchDlg dlg;
    RunWindow(dlg, [&] {
        EXPECT_EQ(dlg.Window()->windowTitle().toStdString(), "Velmo - ZORVA Variable Star Search");
        const std::pair<int, const char*> values[] = {
            {IDC_RA_WEST, "0"},          {IDC_RA_EAST, "23"},       {IDC_DEC_SOUTH, "-90"},
            {IDC_DEC_NORTH, "90"},       {IDC_MAG_MAX, "7"},        {IDC_MAG_MIN, "6"},
            {IDC_PERIOD_LEAST, "0"},     {IDC_PERIOD_MOST, "1000"}, {IDC_RECORDS_LOADED, "0"},
            {IDC_RECORDS_SEARCHED, "0"}, {IDC_FILE_NAME, ""},
        };
        for (const auto& [id, text] : values) EXPECT_EQ(Text(dlg, id), text) << id;
        EXPECT_TRUE(Checked(dlg, IDC_SPECIFIC));

        for (int id = IDC_RA_WEST; id <= IDC_SPECIFIC; ++id) {
            EXPECT_EQ(Enabled(dlg, id), id == IDC_RESULT_LIST) << id;
        }
        EXPECT_TRUE(Enabled(dlg, IDC_CRITERIA_GROUP));
        EXPECT_EQ(dlg.GetControl(IDC_SEARCH_ASC)->property("text").toString(), "Search Asc.");
        EXPECT_EQ(dlg.GetControl(IDC_SEARCH_DESC)->property("text").toString(), "Search Desc.");
        EXPECT_EQ(dlg.GetControl(IDC_SPECIFIC)->property("text").toString(), "Specific?");

        const QAbstractItemModel* model = ListView(dlg)->model();
        EXPECT_EQ(model->rowCount(), 0);
        const char* headings[] = {"R.A.",      "Dec.",   "Name",       "Type",
                                  "Magnitude", "Period", "Description"};
        ASSERT_EQ(model->columnCount(), 7);
        for (int c = 0; c < 7; ++c) {
            EXPECT_EQ(model->headerData(c, Qt::Horizontal).toString().toStdString(), headings[c]);
        }
        const int rightAligned[] = {1, 1, 1, 0, 0, 1, 0};
        for (int c = 0; c < 7; ++c) {
            const int align = model->headerData(c, Qt::Horizontal, Qt::TextAlignmentRole).toInt();
            EXPECT_EQ((align & Qt::AlignRight) != 0, rightAligned[c] == 1) << "column " << c;
        }
        EXPECT_EQ(dlg.m_resultList.GetColumnCount(), 7);
    });
}

TEST_F(StartStateTest, MenuHasTheFileAndHelpItemsInOrder) {
    CSearchDlg dlg;
    RunWindow(dlg, [&] {
        auto* menuBar = dlg.Window()->findChild<QMenuBar*>();
        ASSERT_NE(menuBar, nullptr);
        const QList<QAction*> popups = menuBar->actions();
        ASSERT_EQ(popups.size(), 2);
        EXPECT_EQ(popups[0]->text(), "&File");
        EXPECT_EQ(popups[1]->text(), "&Help");
        std::vector<std::string> file;
        for (QAction* item : popups[0]->menu()->actions()) {
            EXPECT_TRUE(item->isEnabled());
            EXPECT_FALSE(item->isSeparator());
            file.push_back(item->objectName().toStdString() + " " + item->text().toStdString());
        }
        EXPECT_EQ(file, (std::vector<std::string>{
                            "ID_FILE_LOAD &Load Data...", "ID_FILE_SAVE_CSV Save &CSV...",
                            "ID_FILE_SAVE_TXT Save &TXT...", "ID_FILE_EXIT E&xit"}));
        const QList<QAction*> help = popups[1]->menu()->actions();
        ASSERT_EQ(help.size(), 1);
        EXPECT_EQ(help[0]->objectName(), "ID_HELP_ABOUT");
        EXPECT_EQ(help[0]->text(), "&About Velmo");
    });
}

TEST_F(StartStateTest, ColumnsAreWideEnoughForTheirTextsAndFitTheList) {
    CSearchDlg dlg;
    RunWindow(dlg, [&] {
        auto* view = qobject_cast<QTreeView*>(ListView(dlg));
        ASSERT_NE(view, nullptr);
        const QFontMetrics metrics(view->font());
        const char* widest[] = {
            "23:59", "-90", "  V0370 And", "EA/SD:  ", "  6.50   8.00 ", " 2000.0000"};
        int total = 0;
        for (int c = 0; c < 7; ++c) {
            const int width = view->header()->sectionSize(c);
            total += width;
            if (c < 6) {
                EXPECT_GE(width, metrics.horizontalAdvance(QString::fromLatin1(widest[c])) +
                                     8)  // cell margins
                    << "column " << c;
            }
        }
        EXPECT_LE(total, view->viewport()->width()) << "no horizontal scrolling at the start";
    });
}

// True when `edit` shows all of `text` at once: the caret moves from the
// start of the text to its end by the text's whole width, without the box
// scrolling. (A box scrolls its text as it paints.)
bool ShowsWhole(QLineEdit* edit, const QString& text) {
    edit->setText(text);
    edit->home(false);
    edit->grab();
    const int start = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().left();
    edit->end(false);
    edit->grab();
    const int end = edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().left();
    return end - start >= edit->fontMetrics().horizontalAdvance(text);
}

TEST_F(StartStateTest, EveryNumberBoxShowsItsWidestValueWholeAndEveryLabelFits) {
    const std::pair<int, const char*> widest[] = {
        {IDC_RA_WEST, "23"},
        {IDC_RA_EAST, "23"},
        {IDC_DEC_SOUTH, "-90"},
        {IDC_DEC_NORTH, "-90"},
        {IDC_MAG_MAX, "99"},
        {IDC_MAG_MIN, "99"},
        {IDC_PERIOD_LEAST, "100000"},
        {IDC_PERIOD_MOST, "100000"},
        {IDC_RECORDS_LOADED, "99999999"},
        {IDC_RECORDS_SEARCHED, "99999999"},
    };
    // Under the desktop font and a larger one.
    const QFont desktop = QApplication::font();
    for (int extraPoints : {0, 5}) {
        QFont font = desktop;
        font.setPointSizeF(desktop.pointSizeF() + extraPoints);
        QApplication::setFont(font);
        CSearchDlg dlg;
        RunWindow(dlg, [&] {
            for (const auto& [id, text] : widest) {
                auto* edit = qobject_cast<QLineEdit*>(dlg.GetControl(id));
                ASSERT_NE(edit, nullptr);
                EXPECT_TRUE(ShowsWhole(edit, QString::fromLatin1(text)))
                    << "box " << id << " cuts \"" << text << "\" (+" << extraPoints << " points)";
            }
            for (QLabel* label : dlg.Window()->findChildren<QLabel*>()) {
                if (label->text().isEmpty()) continue;
                EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()),
                          label->contentsRect().width())
                    << "label \"" << label->text().toStdString() << "\" wraps";
            }
        });
    }
    QApplication::setFont(desktop);
}

TEST_F(StartStateTest, ColumnWidthsAreTheTemplatePixelsScaledExactlyAsTheDialogUnits) {
    // Widths in pixels at the template font, whose average character is 6
    // pixels wide; the list scales them by the font's own average width,
    // rounding halves up.
    const int templatePixels[] = {40, 35, 75, 70, 95, 75, 120};
    const QFont desktop = QApplication::font();
    for (int extraPoints : {0, 3, 7}) {
        QFont font = desktop;
        font.setPointSizeF(desktop.pointSizeF() + extraPoints);
        QApplication::setFont(font);
        const int charWidth = tk::BaseUnitsOfFont(font).x;
        CSearchDlg dlg;
        RunWindow(dlg, [&] {
            auto* view = qobject_cast<QTreeView*>(ListView(dlg));
            ASSERT_NE(view, nullptr);
            for (int c = 0; c < 7; ++c) {
                EXPECT_EQ(view->header()->sectionSize(c),
                          std::lround(templatePixels[c] * charWidth / 6.0))
                    << "column " << c << ", average character " << charWidth << " pixels";
            }
        });
    }
    QApplication::setFont(desktop);
    // At this machine's desktop font (7 pixels) the widths are known.
    if (tk::BaseUnitsOfFont(desktop).x == 7) {
        CSearchDlg dlg;
        RunWindow(dlg, [&] {
            const QHeaderView* header = qobject_cast<QTreeView*>(ListView(dlg))->header();
            std::vector<int> widths;
            for (int c = 0; c < 7; ++c) widths.push_back(header->sectionSize(c));
            EXPECT_EQ(widths, (std::vector<int>{47, 41, 88, 82, 111, 88, 140}));
        });
    }
}

TEST_F(StartStateTest, TheCriteriaBoxesAreLaidOutInRowsInsideTheirGroup) {
    CSearchDlg dlg;
    RunWindow(dlg, [&] {
        const QRect group = dlg.GetControl(IDC_CRITERIA_GROUP)->geometry();
        const QRect list = dlg.GetControl(IDC_RESULT_LIST)->geometry();
        EXPECT_LT(group.right(), list.left()) << "the criteria stand left of the list";
        // Left box (first bound) and right box (second bound) of each row.
        const std::pair<int, int> rows[] = {{IDC_RA_WEST, IDC_RA_EAST},
                                            {IDC_DEC_SOUTH, IDC_DEC_NORTH},
                                            {IDC_MAG_MAX, IDC_MAG_MIN},
                                            {IDC_PERIOD_LEAST, IDC_PERIOD_MOST}};
        int previousTop = group.top();
        for (const auto& [left, right] : rows) {
            const QRect l = dlg.GetControl(left)->geometry();
            const QRect r = dlg.GetControl(right)->geometry();
            EXPECT_TRUE(group.contains(l) && group.contains(r)) << left;
            EXPECT_EQ(l.top(), r.top()) << left;
            EXPECT_LT(l.right(), r.left()) << left;
            EXPECT_GT(l.top(), previousTop) << left;
            previousTop = l.top();
        }
    });
}

TEST_F(StartStateTest, EscapeEndsTheModalRunAndLeavesNoWindow) {
    CSearchDlg dlg;
    tktest::WhenModal([](QWidget* window) { QTest::keyClick(window, Qt::Key_Escape); });
    dlg.DoModal();
    tktest::WaitForAnswers();
    EXPECT_EQ(dlg.Window(), nullptr);
}

TEST_F(StartStateTest, CloseBoxEndsTheModalRun) {
    CSearchDlg dlg;
    tktest::WhenModal([](QWidget* window) { window->close(); });
    dlg.DoModal();
    tktest::WaitForAnswers();
    EXPECT_EQ(dlg.Window(), nullptr);
}

}  // namespace
