// SPDX-License-Identifier: GPL-3.0-or-later
// The program itself: started as a person starts it, it shows its window and
// keeps running until the window is closed.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

namespace {

TEST(Program, StartsAndKeepsItsWindowOpen) {
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(VELMO_PROGRAM_PATH), {});
    ASSERT_TRUE(program.waitForStarted(10000)) << VELMO_PROGRAM_PATH;
    EXPECT_FALSE(program.waitForFinished(1500))
        << "the program ended by itself with status " << program.exitCode() << ": "
        << program.readAllStandardError().toStdString();
    program.kill();
    program.waitForFinished(5000);
}

}  // namespace
