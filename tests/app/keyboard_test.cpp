// SPDX-License-Identifier: GPL-3.0-or-later
// Enter and Escape in the search window: Enter searches in catalogue order
// while the criteria are enabled and does nothing otherwise; only Escape and
// the close box end the window.
#include <QDialog>
#include <QTest>

#include "res/resource.h"
#include "window_fixture.h"

namespace {

using KeyboardTest = SearchWindowTest;

void PressEnter(QWidget* target, Qt::Key key = Qt::Key_Return) {
    QTest::keyClick(target, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
}

bool IsOpen(CSearchDlg& dlg) { return dlg.Window() != nullptr && dlg.Window()->isVisible(); }

TEST_F(KeyboardTest, EnterInAnyBoxRunsSearchAscExactlyAsItsClick) {
    CSearchDlg dlg;
    RunLoaded(dlg, [&] {
        Click(dlg, IDC_SEARCH_ASC);
        const auto ascending = Rows(dlg);
        ASSERT_EQ(ascending.size(), 2u);
        for (int id = IDC_RA_WEST; id <= IDC_PERIOD_MOST; ++id) {
            for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
                Click(dlg, IDC_SEARCH_DESC);
                ASSERT_NE(Rows(dlg), ascending);
                QWidget* box = dlg.GetControl(id);
                box->setFocus();
                PressEnter(box, key);
                EXPECT_EQ(Rows(dlg), ascending) << "box " << id << ", key " << key;
                EXPECT_TRUE(IsOpen(dlg)) << "box " << id;
            }
        }
        // The values typed are the ones searched for.
        Type(dlg, IDC_RA_WEST, "12");
        Type(dlg, IDC_RA_EAST, "12");
        PressEnter(dlg.GetControl(IDC_RA_EAST));
        EXPECT_EQ(Rows(dlg).size(), 1u);
        EXPECT_EQ(Text(dlg, IDC_RECORDS_SEARCHED), "1");
        // From the check box and the list as well.
        for (int id : {IDC_SPECIFIC, IDC_RESULT_LIST}) {
            Click(dlg, IDC_SEARCH_DESC);
            Type(dlg, IDC_RA_WEST, "0");
            Type(dlg, IDC_RA_EAST, "23");
            dlg.GetControl(id)->setFocus();
            PressEnter(dlg.GetControl(id));
            EXPECT_EQ(Rows(dlg), ascending) << id;
        }
        EXPECT_TRUE(IsOpen(dlg));
    });
}

TEST_F(KeyboardTest, EnterDoesNothingWhileTheCriteriaAreDisabled) {
    const std::string path = WriteFile("stars.txt", SmallCatalogue());
    CSearchDlg dlg;
    RunWindow(dlg, [&] {
        // Before any load, and after a load that failed.
        for (int round = 0; round < 2; ++round) {
            PressEnter(dlg.Window());
            PressEnter(dlg.GetControl(IDC_RESULT_LIST));
            EXPECT_TRUE(IsOpen(dlg)) << round;
            EXPECT_TRUE(Rows(dlg).empty()) << round;
            EXPECT_EQ(dlg.m_catalog.HasResults(), round == 1) << "no search ran";
            if (round == 0) {
                ASSERT_EQ(Load(dlg, path, false), "");
                ASSERT_EQ(CancelLoad(dlg), kDataFileError);
            }
        }
        EXPECT_EQ(Text(dlg, IDC_RECORDS_SEARCHED), "0");
    });
}

TEST_F(KeyboardTest, EscapeAndTheCloseBoxStillEndTheWindowWithCriteriaEnabled) {
    for (bool escape : {true, false}) {
        CSearchDlg dlg;
        RunLoaded(dlg, [&] {
            QWidget* box = dlg.GetControl(IDC_DEC_SOUTH);
            box->setFocus();
            if (escape) {
                QTest::keyClick(box, Qt::Key_Escape);
            } else {
                dlg.Window()->close();
            }
            EXPECT_FALSE(IsOpen(dlg)) << (escape ? "Escape" : "close box");
        });
        EXPECT_EQ(dlg.Window(), nullptr);
    }
}

}  // namespace
