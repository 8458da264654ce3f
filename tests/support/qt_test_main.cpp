// SPDX-License-Identifier: GPL-3.0-or-later
// GoogleTest main for window tests: the Qt application on the offscreen
// platform (unless QT_QPA_PLATFORM names another), numbers in the C locale
// as the program has them, and a watch that fails a test on a modal window
// that nothing answers.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <clocale>

#include "tests/support/modal.h"

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale::c());
    tktest::WatchUnexpectedModals();
    return RUN_ALL_TESTS();
}
