// SPDX-License-Identifier: GPL-3.0-or-later
// The window tests' watch for modal windows that nothing answers: such a
// window fails the test at once, naming its text, and is closed so that the
// test goes on.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "tests/support/modal.h"
#include "tests/toolkit/dialog_harness.h"
#include "tests/toolkit/test_resources.h"

namespace {

constexpr qint64 kPromptlyMs = 3000;  // far below any test's time limit

TEST(ModalWatchTest, AnUnexpectedMessageBoxFailsTheTestWithItsText) {
    tktest::TestDialog dialog(testres::IDD_SAMPLE);
    QElapsedTimer timer;
    timer.start();
    EXPECT_NONFATAL_FAILURE(
        tktest::RunModal(dialog, [&](QWidget*) { dialog.MessageBox("Nobody answers this box."); }),
        "Nobody answers this box.");
    EXPECT_LT(timer.elapsed(), kPromptlyMs);
    EXPECT_EQ(tktest::VisibleTopLevelCount(), 0);
}

TEST(ModalWatchTest, AWindowLeftOpenAfterItsAnswerFailsTheTest) {
    tktest::TestDialog dialog(testres::IDD_SAMPLE);
    QElapsedTimer timer;
    timer.start();
    tktest::WhenModal([](QWidget*) {});  // looks, but neither closes nor ends it
    EXPECT_NONFATAL_FAILURE(dialog.DoModal(), "stayed open after its answer");
    tktest::WaitForAnswers();
    EXPECT_LT(timer.elapsed(), kPromptlyMs);
    EXPECT_EQ(tktest::VisibleTopLevelCount(), 0);
}

}  // namespace
