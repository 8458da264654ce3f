// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/toolkit/dialog_harness.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QTest>

#include "tests/support/modal.h"

namespace tktest {

int RunModal(tk::Dialog& dialog, const std::function<void(QWidget* window)>& steps) {
    bool ran = false;
    WhenModal([&](QWidget* window) {
        ran = true;
        EXPECT_EQ(window, dialog.Window());
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        steps(window);
        if (dialog.Window() != nullptr && dialog.Window()->isVisible()) {
            dialog.EndDialog(tk::kIdCancel);
        }
    });
    const int result = dialog.DoModal();
    WaitForAnswers();
    EXPECT_TRUE(ran) << "the dialog never became the active modal window";
    return result;
}

}  // namespace tktest
