// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up through RunApplication, the way the program starts: the tests
// run from the application's InitInstance. CTest runs this under a desktop
// locale with a decimal comma (LC_ALL=de_DE.UTF-8), which the Qt application
// adopts for the C library when it is created.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <clocale>
#include <cstdio>
#include <cstring>

#include "tests/support/modal.h"
#include "tests/toolkit/test_resources.h"
#include "toolkit/application.h"
#include "toolkit/data_exchange.h"
#include "toolkit/dialog.h"

namespace {

class StartupApplication : public tk::Application {
  public:
    bool InitInstance() override {
        initialised = true;
        SetRegistryKey("Local AppWizard-Generated Applications");
        tktest::WatchUnexpectedModals();
        result = RUN_ALL_TESTS();
        return false;
    }
    bool initialised = false;
    int result = 1;
};

StartupApplication* g_application = nullptr;

class NumberDialog : public tk::Dialog {
  public:
    NumberDialog() : tk::Dialog(testres::IDD_NUMBERS) {}
    float magnitude = 7.0f;
    double period = 1000.0;

    bool TransferData(bool toMembers) override {
        tk::DataExchange dx(*this, toMembers);
        dx.Float(testres::IDC_FLOAT, magnitude, 0.0f, 99.0f);
        dx.Double(testres::IDC_DOUBLE, period, 0.0, 100000.0);
        return dx.Ok();
    }
};

TEST(StartupTest, NumbersUseTheDecimalPointUnderACommaLocale) {
    const char* ctype = std::setlocale(LC_CTYPE, nullptr);
    if (ctype == nullptr || std::strncmp(ctype, "de_DE", 5) != 0) {
        GTEST_SKIP() << "the desktop locale is not de_DE (not installed, or not set by CTest)";
    }
    char printed[16];
    std::snprintf(printed, sizeof printed, "%.1f", 1.5);
    EXPECT_STREQ(printed, "1.5");
    EXPECT_EQ(QLocale().decimalPoint(), ".");
    EXPECT_EQ(QLocale().toString(1.5), "1.5");
}

TEST(StartupTest, ApplicationIsRegisteredAndNamedAfterTheExecutable) {
    EXPECT_EQ(tk::Application::Instance(), g_application);
    EXPECT_TRUE(g_application->initialised);
    EXPECT_EQ(tk::Application::AppName(), "velmo_toolkit_startup_tests");
    EXPECT_EQ(QCoreApplication::organizationName(), "Local AppWizard-Generated Applications");
    EXPECT_NE(QApplication::instance(), nullptr);
}

TEST(StartupTest, TransfersReadAndWriteDecimalPoints) {
    NumberDialog dialog;
    bool ran = false;
    tktest::WhenModal([&](QWidget*) {
        ran = true;
        auto* magnitude = static_cast<QLineEdit*>(dialog.GetControl(testres::IDC_FLOAT));
        auto* period = static_cast<QLineEdit*>(dialog.GetControl(testres::IDC_DOUBLE));
        EXPECT_EQ(magnitude->text(), "7");
        magnitude->setText("6.1");
        period->setText("0.25");
        EXPECT_TRUE(dialog.TransferData(true));
        dialog.magnitude += 1.0f;
        EXPECT_TRUE(dialog.TransferData(false));
        EXPECT_EQ(magnitude->text(), "7.1");
        EXPECT_EQ(period->text(), "0.25");
        dialog.EndDialog(tk::kIdOk);
    });
    EXPECT_EQ(dialog.DoModal(), tk::kIdOk);
    tktest::WaitForAnswers();
    EXPECT_TRUE(ran);
    EXPECT_EQ(dialog.period, 0.25);
}

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    StartupApplication application;
    g_application = &application;
    const int status = tk::RunApplication(argc, argv);
    return status != 0 ? status : application.result;
}
