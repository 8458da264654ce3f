// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up, the About box from the Help menu and the system command, ending
// the program with "E&xit", and the minimised window's icon placement.
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "app/minimised_icon.h"
#include "app/search_app.h"
#include "res/resource.h"
#include "tests/support/modal.h"
#include "toolkit/application.h"
#include "window_fixture.h"

namespace {

using AboutExitTest = SearchWindowTest;

// Answers the About box: checks its title and texts and presses OK.
void AnswerAboutBox(int* shown) {
    tktest::WhenModal([shown](QWidget* modal) {
        ++*shown;
        EXPECT_EQ(modal->windowTitle().toStdString(), "About Velmo");
        QStringList texts;
        for (QLabel* label : modal->findChildren<QLabel*>()) {
            texts << label->text();
            EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()),
                      label->contentsRect().width())
                << "label \"" << label->text().toStdString() << "\" is cut";
        }
        EXPECT_TRUE(texts.contains("Velmo Version 1.00 Beta")) << texts.join('|').toStdString();
        // The notice line names the licence.
        EXPECT_EQ(texts.filter("GNU GPL 3+").size(), 1) << texts.join('|').toStdString();
        QPushButton* ok = nullptr;
        for (QPushButton* button : modal->findChildren<QPushButton*>()) {
            if (button->text() == "OK") ok = button;
        }
        ASSERT_NE(ok, nullptr);
        EXPECT_TRUE(ok->isDefault());
        ok->click();
    });
}

TEST_F(AboutExitTest, HelpMenuOpensTheAboutBoxAndOkClosesIt) {
    CSearchDlg dlg;
    RunWindow(dlg, [&] {
        int shown = 0;
        AnswerAboutBox(&shown);
        Menu(dlg, "ID_HELP_ABOUT");
        tktest::WaitForAnswers();
        EXPECT_EQ(shown, 1);
        EXPECT_EQ(tktest::VisibleTopLevelCount(), 1) << "only the search window remains";
    });
}

TEST_F(AboutExitTest, SystemCommands16To31OpenTheAboutBoxAndOthersGetDefaultProcessing) {
    CSearchDlg dlg;
    RunWindow(dlg, [&] {
        for (unsigned command = 16; command <= 31; ++command) {
            int shown = 0;
            AnswerAboutBox(&shown);
            dlg.OnSysCommand(command, 0);
            tktest::WaitForAnswers();
            EXPECT_EQ(shown, 1) << command;
        }
        // 32 and the restore command are not the About entry: nothing modal opens.
        dlg.OnSysCommand(32, 0);
        dlg.OnSysCommand(0xF120, 0);  // restore
        EXPECT_EQ(QApplication::activeModalWidget(), dlg.Window());
    });
}

TEST_F(AboutExitTest, SystemCloseCommandEndsTheModalRun) {
    CSearchDlg dlg;
    tktest::WhenModal([&](QWidget*) { dlg.OnSysCommand(0xF060, 0); });  // close
    dlg.DoModal();
    tktest::WaitForAnswers();
    EXPECT_EQ(dlg.Window(), nullptr);
}

TEST_F(AboutExitTest, ExitEndsTheModalRunOfTheMainWindow) {
    CSearchDlg dlg;
    theApp.SetMainWindow(&dlg);
    tktest::WhenModal([&](QWidget*) { Menu(dlg, "ID_FILE_EXIT"); });
    dlg.DoModal();
    tktest::WaitForAnswers();
    theApp.SetMainWindow(nullptr);
    EXPECT_EQ(dlg.Window(), nullptr);
}

TEST_F(AboutExitTest, StartUpRunsTheSearchWindowAndEndsWhenItCloses) {
    ASSERT_EQ(tk::Application::Instance(), &theApp);
    bool shown = false;
    tktest::WhenModal([&](QWidget* window) {
        shown = true;
        EXPECT_EQ(window->windowTitle().toStdString(), "Velmo - ZORVA Variable Star Search");
        EXPECT_EQ(theApp.MainWindow()->Window(), window);
        auto* exit = window->findChild<QAction*>("ID_FILE_EXIT");
        ASSERT_NE(exit, nullptr);
        exit->trigger();
    });
    EXPECT_FALSE(theApp.InitInstance());
    tktest::WaitForAnswers();
    EXPECT_TRUE(shown);
    EXPECT_EQ(theApp.MainWindow(), nullptr) << "no dangling main window after the run";
    EXPECT_EQ(QCoreApplication::organizationName(), "Local AppWizard-Generated Applications");
}

TEST_F(AboutExitTest, WindowCarriesTheProgramIcon) {
    CSearchDlg dlg;
    EXPECT_FALSE(dlg.m_hIcon.IsNull());
    EXPECT_FALSE(dlg.OnQueryDragIcon().IsNull());
    RunWindow(dlg, [&] {
        const QIcon icon = dlg.Window()->windowIcon();
        ASSERT_FALSE(icon.isNull());
        EXPECT_EQ(icon.pixmap(32, 32).toImage(), dlg.m_hIcon.Qt().pixmap(32, 32).toImage());
    });
}

TEST(MinimisedIcon, IsCentredWithDivisionTruncatedTowardZero) {
    EXPECT_EQ(CentredIconOffset(36, 32), 2);
    EXPECT_EQ(CentredIconOffset(20, 32), -5);
    EXPECT_EQ(CentredIconOffset(32, 32), 0);
    EXPECT_EQ(CentredIconOffset(33, 32), 1);
    EXPECT_EQ(CentredIconOffset(30, 32), 0);
    EXPECT_EQ(CentredIconOffset(29, 32), -1);
}

}  // namespace
