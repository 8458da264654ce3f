// SPDX-License-Identifier: GPL-3.0-or-later
// Windows built from templates: controls, names, focus and tab order, keys,
// command routing, system commands, painting, icons and message boxes.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include "tests/support/modal.h"
#include "tests/toolkit/dialog_harness.h"
#include "tests/toolkit/test_resources.h"
#include "toolkit/controls.h"
#include "toolkit/data_exchange.h"
#include "toolkit/icon.h"
#include "toolkit/resources.h"

namespace {

using namespace testres;
using tktest::RunModal;
using tktest::TestDialog;

class DialogTest : public ::testing::Test {
  protected:
    void TearDown() override {
        EXPECT_EQ(tktest::VisibleTopLevelCount(), 0) << "a window was left open";
    }
};

template <typename Widget>
Widget* Find(QWidget* window, const char* name) {
    auto* widget = window->findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

QLabel* LabelShowing(QWidget* window, const QString& text) {
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->text() == text) return label;
    }
    return nullptr;
}

void PressKey(Qt::Key key) {
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr) << "nothing has the focus";
    QTest::keyClick(target, key);
}

TEST_F(DialogTest, ControlsAreBuiltFromTheTemplateWithTheirNamesAndStyles) {
    TestDialog dialog(IDD_SAMPLE);
    RunModal(dialog, [&](QWidget* window) {
        EXPECT_EQ(window->windowTitle(), "Sample Window");
        EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
        EXPECT_TRUE(window->windowFlags() & Qt::WindowMinimizeButtonHint);

        auto* first = Find<QLineEdit>(window, "IDC_FIRST");
        auto* second = Find<QLineEdit>(window, "IDC_SECOND");
        auto* locked = Find<QLineEdit>(window, "IDC_LOCKED");
        auto* readOnly = Find<QLineEdit>(window, "IDC_READ_ONLY");
        ASSERT_TRUE(first && second && locked && readOnly);
        EXPECT_EQ(dialog.GetControl(IDC_FIRST), first);
        EXPECT_EQ(dialog.GetControl(9999), nullptr);
        EXPECT_EQ(dialog.GetControl(tk::kIdStatic), nullptr);
        EXPECT_TRUE(first->hasFrame());
        EXPECT_FALSE(readOnly->hasFrame());
        EXPECT_TRUE(readOnly->isReadOnly());
        EXPECT_EQ(readOnly->text(), "fixed");
        EXPECT_TRUE(first->alignment() & Qt::AlignLeft);
        EXPECT_TRUE(second->alignment() & Qt::AlignRight);
        EXPECT_TRUE(first->isEnabled());
        EXPECT_FALSE(locked->isEnabled());

        auto* action = Find<QPushButton>(window, "IDC_ACTION");
        auto* option = Find<QCheckBox>(window, "IDC_OPTION");
        auto* frame = Find<QGroupBox>(window, "IDC_FRAME");
        auto* list = Find<QTreeView>(window, "IDC_LIST");
        ASSERT_TRUE(action && option && frame && list);
        EXPECT_EQ(action->text(), "Action");
        EXPECT_FALSE(action->isDefault());
        EXPECT_FALSE(action->autoDefault());
        EXPECT_EQ(option->text(), "Option");
        EXPECT_EQ(frame->title(), "Frame");
        EXPECT_TRUE(list->header()->isVisible());

        // A label's access letter leads to the next control; without one
        // after it, the mark is dropped. kNoPrefix shows "&" as it is.
        QLabel* name = LabelShowing(window, "&Name:");
        ASSERT_NE(name, nullptr);
        EXPECT_EQ(name->buddy(), readOnly);
        EXPECT_NE(LabelShowing(window, "Orphan"), nullptr);
        QLabel* plain = LabelShowing(window, "A & B");
        ASSERT_NE(plain, nullptr);
        EXPECT_TRUE(plain->alignment() & Qt::AlignRight);

        // The icon control shows the icon at the system size.
        QLabel* icon = nullptr;
        for (QLabel* label : window->findChildren<QLabel*>()) {
            if (!label->pixmap().isNull()) icon = label;
        }
        ASSERT_NE(icon, nullptr);
        EXPECT_EQ(icon->size(), QSize(tk::SystemIconWidth(), tk::SystemIconHeight()));
    });
}

TEST_F(DialogTest, FocusStartsOnTheFirstTabStopAndTabFollowsTheTemplateOrder) {
    TestDialog dialog(IDD_SAMPLE);
    RunModal(dialog, [&](QWidget* window) {
        auto* first = Find<QLineEdit>(window, "IDC_FIRST");
        ASSERT_NE(first, nullptr);
        first->setText("abc");
        EXPECT_EQ(QApplication::focusWidget(), first);

        // Disabled boxes and controls without a tab stop are passed over;
        // the read-only box and the list view can still be clicked into.
        std::vector<std::string> visited;
        for (int i = 0; i < 5; ++i) {
            PressKey(Qt::Key_Tab);
            visited.push_back(QApplication::focusWidget()->objectName().toStdString());
        }
        EXPECT_EQ(visited, (std::vector<std::string>{"IDC_SECOND", "IDC_ACTION", "IDC_OPTION",
                                                     "IDC_FIRST", "IDC_SECOND"}));
        PressKey(Qt::Key_Backtab);
        EXPECT_EQ(QApplication::focusWidget(), first);
        EXPECT_EQ(first->selectedText(), "abc") << "tabbing into a box selects its text";
        EXPECT_EQ(Find<QLineEdit>(window, "IDC_NO_TAB")->focusPolicy(), Qt::ClickFocus);
        EXPECT_EQ(Find<QWidget>(window, "IDC_LIST")->focusPolicy(), Qt::ClickFocus);
        EXPECT_EQ(Find<QWidget>(window, "IDC_FRAME")->focusPolicy(), Qt::NoFocus);
    });
}

TEST_F(DialogTest, GroupBoxDoesNotCoverTheControlsInsideIt) {
    TestDialog dialog(IDD_SAMPLE);
    RunModal(dialog, [&](QWidget* window) {
        auto* second = Find<QLineEdit>(window, "IDC_SECOND");
        auto* option = Find<QCheckBox>(window, "IDC_OPTION");
        ASSERT_TRUE(second && option);
        QWidget* client = second->parentWidget();
        const QPoint inBox = second->geometry().center();
        QWidget* hit = client->childAt(inBox);
        EXPECT_TRUE(hit == second || second->isAncestorOf(hit));

        QTest::mouseClick(second, Qt::LeftButton);
        EXPECT_EQ(QApplication::focusWidget(), second);
        QTest::mouseClick(option, Qt::LeftButton);
        EXPECT_TRUE(option->isChecked());
        EXPECT_EQ(dialog.commands, std::vector<int>{IDC_OPTION});
    });
}

TEST_F(DialogTest, EnterWithoutDefaultButtonConfirmsAndEscapeCancels) {
    {
        TestDialog dialog(IDD_SAMPLE);
        EXPECT_EQ(RunModal(dialog, [](QWidget*) { PressKey(Qt::Key_Return); }), tk::kIdOk);
        EXPECT_EQ(dialog.commands, std::vector<int>{tk::kIdOk});
        EXPECT_EQ(dialog.Window(), nullptr) << "the window is destroyed when DoModal returns";
    }
    {
        TestDialog dialog(IDD_SAMPLE);
        EXPECT_EQ(RunModal(dialog, [](QWidget*) { PressKey(Qt::Key_Escape); }), tk::kIdCancel);
        EXPECT_EQ(dialog.commands, std::vector<int>{tk::kIdCancel});
    }
    {
        TestDialog dialog(IDD_SAMPLE);
        EXPECT_EQ(RunModal(dialog, [](QWidget* window) { window->close(); }), tk::kIdCancel);
        EXPECT_EQ(dialog.commands, std::vector<int>{tk::kIdCancel});
    }
}

TEST_F(DialogTest, EnterClicksTheFocusedButtonElseTheDefaultButton) {
    {
        TestDialog dialog(IDD_CONFIRM);
        EXPECT_EQ(RunModal(dialog,
                           [](QWidget* window) {
                               EXPECT_EQ(QApplication::focusWidget(),
                                         window->findChild<QWidget*>("IDC_CONFIRM_EDIT"));
                               EXPECT_TRUE(Find<QPushButton>(window, "IDOK")->isDefault());
                               PressKey(Qt::Key_Return);
                           }),
                  tk::kIdOk);
    }
    {
        TestDialog dialog(IDD_CONFIRM);
        EXPECT_EQ(RunModal(dialog,
                           [](QWidget* window) {
                               Find<QPushButton>(window, "IDCANCEL")->setFocus();
                               PressKey(Qt::Key_Return);
                           }),
                  tk::kIdCancel);
    }
    {
        // A focused push button is clicked by Enter; the window stays open.
        TestDialog dialog(IDD_PLAIN);
        dialog.handled = {IDC_PLAIN_BUTTON};
        RunModal(dialog, [&](QWidget* window) {
            Find<QPushButton>(window, "IDC_PLAIN_BUTTON")->setFocus();
            PressKey(Qt::Key_Return);
            EXPECT_TRUE(window->isVisible());
            PressKey(Qt::Key_Space);
        });
        EXPECT_EQ(dialog.commands, (std::vector<int>{IDC_PLAIN_BUTTON, IDC_PLAIN_BUTTON}));
    }
}

TEST_F(DialogTest, RefusedCancelKeepsTheWindowOpen) {
    TestDialog dialog(IDD_SAMPLE);
    dialog.refuseCancel = true;
    const int result = RunModal(dialog, [&](QWidget* window) {
        PressKey(Qt::Key_Escape);
        window->close();
        EXPECT_TRUE(window->isVisible());
        dialog.EndDialog(42);
    });
    EXPECT_EQ(result, 42);
    EXPECT_EQ(dialog.commands, (std::vector<int>{tk::kIdCancel, tk::kIdCancel}));
}

TEST_F(DialogTest, CommandsReachTheWindowFirstAndThenTheApplication) {
    tktest::TestApplication application;
    ASSERT_EQ(tk::Application::Instance(), &application);
    TestDialog dialog(IDD_SAMPLE);
    dialog.handled = {ID_TEST_OPEN, IDC_ACTION, IDC_OPTION};
    application.SetMainWindow(&dialog);
    const int result = RunModal(dialog, [&](QWidget* window) {
        Find<QAction>(window, "ID_TEST_OPEN")->trigger();
        Find<QAction>(window, "ID_TEST_UNHANDLED")->trigger();
        Find<QAction>(window, "ID_HELP")->trigger();
        QTest::mouseClick(Find<QPushButton>(window, "IDC_ACTION"), Qt::LeftButton);
        EXPECT_TRUE(window->isVisible());
        Find<QAction>(window, "ID_FILE_EXIT")->trigger();  // closes the main window
        EXPECT_FALSE(window->isVisible());
    });
    EXPECT_EQ(result, tk::kIdCancel);
    EXPECT_EQ(dialog.commands, (std::vector<int>{ID_TEST_OPEN, ID_TEST_UNHANDLED, tk::kIdHelp,
                                                 IDC_ACTION, tk::kIdFileExit, tk::kIdCancel}));
    EXPECT_EQ(application.commands,
              (std::vector<int>{ID_TEST_UNHANDLED, tk::kIdHelp, tk::kIdFileExit}));
    EXPECT_FALSE(application.OnCommand(ID_TEST_UNHANDLED));
    EXPECT_TRUE(application.OnCommand(tk::kIdHelp));
}

TEST_F(DialogTest, CheckBoxHasToggledWhenItsClickArrives) {
    TestDialog dialog(IDD_SAMPLE);
    tk::Button option;
    std::vector<int> statesSeen;
    dialog.handled = {IDC_OPTION};
    RunModal(dialog, [&](QWidget*) {
        option.Attach(dialog.GetControl(IDC_OPTION));
        // The window reads the box from its command handler.
        QObject::connect(static_cast<QCheckBox*>(option.Widget()), &QCheckBox::clicked,
                         [&] { statesSeen.push_back(option.GetCheck()); });
        option.Click();
        option.Click();
        option.SetCheck(1);  // setting the state is no click
        EXPECT_EQ(option.GetCheck(), 1);
        option.EnableWindow(false);
        EXPECT_FALSE(option.IsWindowEnabled());
        option.Click();  // a disabled box cannot be clicked
    });
    EXPECT_EQ(statesSeen, (std::vector<int>{1, 0}));
    EXPECT_EQ(dialog.commands, (std::vector<int>{IDC_OPTION, IDC_OPTION}));
}

TEST_F(DialogTest, EditHandleSelectsARangeAndMovesTheCaretToItsEnd) {
    TestDialog dialog(IDD_SAMPLE);
    tk::Edit first;
    tk::Edit unbound;
    RunModal(dialog, [&](QWidget*) {
        first.Attach(dialog.GetControl(IDC_FIRST));
        first.SetText("12345");
        EXPECT_EQ(first.GetText(), "12345");
        first.SetFocus();
        first.SetSel(0, 2);
        auto* box = static_cast<QLineEdit*>(first.Widget());
        EXPECT_EQ(box->selectedText(), "12");
        EXPECT_EQ(box->cursorPosition(), 2);
        first.SetText("7");
        first.SetSel(0, 2);  // clamped to the text
        EXPECT_EQ(box->selectedText(), "7");
        first.SetSel(-1, 0);
        EXPECT_FALSE(box->hasSelectedText());

        EXPECT_FALSE(unbound.IsBound());
        unbound.SetText("ignored");
        EXPECT_EQ(unbound.GetText(), "");
    });
}

TEST_F(DialogTest, WindowCanBeEndedFromItsInitialisationAndUnknownTemplatesFail) {
    TestDialog ended(IDD_SAMPLE);
    bool sawControls = false;
    ended.onInit = [&] {
        sawControls = ended.GetControl(IDC_FIRST) != nullptr;
        ended.EndDialog(7);
        return true;
    };
    EXPECT_EQ(ended.DoModal(), 7);
    EXPECT_TRUE(sawControls);
    EXPECT_EQ(ended.Window(), nullptr);

    TestDialog missing(12345);
    EXPECT_EQ(missing.DoModal(), -1);
    EXPECT_EQ(missing.GetControl(IDC_FIRST), nullptr);
    missing.EndDialog(1);  // not running: nothing happens
    missing.EnableControl(IDC_FIRST, false);
}

TEST_F(DialogTest, InitialisationTransfersMembersIntoControlsByDefault) {
    TestDialog dialog(IDD_NUMBERS);
    std::vector<bool> directions;
    dialog.onTransfer = [&](bool toMembers) {
        directions.push_back(toMembers);
        return true;
    };
    RunModal(dialog, [&](QWidget*) { EXPECT_EQ(directions, std::vector<bool>{false}); });
}

TEST_F(DialogTest, SystemCommandsGetTheirDefaultProcessing) {
    TestDialog dialog(IDD_SAMPLE);
    const int result = RunModal(dialog, [&](QWidget* window) {
        EXPECT_FALSE(dialog.HasSystemMenu()) << "no desktop here lets a program into that menu";
        dialog.AppendSystemMenuSeparator();
        dialog.AppendSystemMenuItem(16, "&About...");

        dialog.CallOnSysCommand(0xF030);  // maximise: the frame has no maximise box
        EXPECT_FALSE(window->isMaximized());
        dialog.CallOnSysCommand(0xF020);  // minimise
        EXPECT_TRUE(dialog.IsIconic());
        dialog.CallOnSysCommand(0xF122);  // restore; the low four bits do not count
        EXPECT_FALSE(dialog.IsIconic());
        dialog.CallOnSysCommand(0x1234);  // unknown: ignored
        EXPECT_TRUE(window->isVisible());
        dialog.CallOnSysCommand(0xF060);  // close
        EXPECT_FALSE(window->isVisible());
    });
    EXPECT_EQ(result, tk::kIdCancel);
    EXPECT_EQ(dialog.commands, std::vector<int>{tk::kIdCancel});
}

TEST_F(DialogTest, ResourcesAreFoundByIdentifier) {
    EXPECT_EQ(tk::LoadString(IDS_SAMPLE), "&About Sample...");
    EXPECT_EQ(tk::LoadString(9999), "");
    EXPECT_FALSE(tk::LoadIcon(IDI_SAMPLE).IsNull());
    EXPECT_TRUE(tk::LoadIcon(9999).IsNull());
    EXPECT_TRUE(tk::LoadIcon(9999).Qt().isNull());
    ASSERT_NE(tk::FindDialogTemplate(IDD_SAMPLE), nullptr);
    EXPECT_STREQ(tk::FindDialogTemplate(IDD_SAMPLE)->name, "IDD_SAMPLE");
    EXPECT_EQ(tk::FindDialogTemplate(9999), nullptr);
    EXPECT_EQ(tk::FindMenuTemplate(IDR_SAMPLE_MENU)->popupCount, 2);
    EXPECT_EQ(tk::FindMenuTemplate(9999), nullptr);
}

TEST_F(DialogTest, PaintingGoesThroughOnPaintAndDrawsIconsAtTheSystemSize) {
    TestDialog dialog(IDD_SAMPLE);
    const tk::Icon icon = tk::LoadIcon(IDI_SAMPLE);
    int top = 0;  // the client area's top, below the menu bar
    dialog.onPaint = [&] {
        tk::PaintContext paint(dialog.Window());
        paint.EraseIconBackground();
        paint.DrawIcon(0, top, icon);
    };
    RunModal(dialog, [&](QWidget* window) {
        top = dialog.GetControl(IDC_FIRST)->parentWidget()->y();
        dialog.SetIcon(icon, true);
        dialog.SetIcon(icon, false);
        EXPECT_FALSE(window->windowIcon().isNull());
        const int before = dialog.paints;
        const QImage picture = window->grab().toImage();
        EXPECT_GT(dialog.paints, before);
        // The 8-pixel picture is drawn 32 pixels wide: the star's top point,
        // columns 3 and 4 of the picture, covers columns 12 to 19; the
        // corner is transparent and shows the erased background.
        EXPECT_EQ(picture.pixelColor(13, top + 1), QColor(0xFF, 0xCC, 0x00));
        EXPECT_EQ(picture.pixelColor(19, top + 1), QColor(0xFF, 0xCC, 0x00));
        EXPECT_EQ(picture.pixelColor(1, top + 1), window->palette().window().color());
    });
}

TEST_F(DialogTest, MessageBoxIsModalWithOneOkButtonAndTheApplicationsName) {
    TestDialog dialog(IDD_SAMPLE);
    RunModal(dialog, [&](QWidget* window) {
        bool checked = false;
        tktest::WhenModal([&](QWidget* modal) {
            checked = true;
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), QCoreApplication::applicationName());
            EXPECT_EQ(box->windowTitle().toStdString(), tk::Application::AppName());
            EXPECT_EQ(box->text(), "Data <b>File</b> Error!");
            EXPECT_EQ(box->textFormat(), Qt::PlainText);
            EXPECT_EQ(box->buttons().size(), 1);
            EXPECT_EQ(box->parentWidget(), window);
            EXPECT_TRUE(box->isModal());
            tktest::PressOk(modal);
        });
        dialog.MessageBox("Data <b>File</b> Error!");
        tktest::WaitForAnswers();
        EXPECT_TRUE(checked);
        EXPECT_TRUE(window->isVisible());
    });
    EXPECT_FALSE(tk::Application::AppName().empty());
}

}  // namespace
