// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/application.h"

#include <QApplication>
#include <QLocale>
#include <clocale>

#include "toolkit/dialog.h"
#include "toolkit/text_bytes.h"

namespace tk {
namespace {

Application* g_instance = nullptr;

}  // namespace

Application::Application() { g_instance = this; }

Application::~Application() {
    if (g_instance == this) g_instance = nullptr;
}

Application* Application::Instance() { return g_instance; }

bool Application::OnCommand(int id) {
    switch (id) {
        case kIdFileExit:
            if (mainWindow_ != nullptr) mainWindow_->Close();
            return true;
        case kIdHelp:
            return true;  // there is no help file to show
        default:
            return false;
    }
}

std::string Application::AppName() {
    // Qt's default application name is the executable's file name.
    if (QCoreApplication::instance() == nullptr) return std::string();
    return BytesFromText(QCoreApplication::applicationName());
}

void Application::InitCommonControls() {}

void Application::EnableControlContainer() {}

void Application::SetRegistryKey(const char* organisation) {
    QCoreApplication::setOrganizationName(
        TextFromBytes(organisation != nullptr ? organisation : ""));
}

int RunApplication(int argc, char** argv) {
    QApplication qtApplication(argc, argv);
    // Creating the application adopts the desktop's locale for the C
    // library; numbers go back to the C locale so "." stays the decimal
    // point, in printf as in Qt's number widgets.
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale::c());
    if (Application* application = Application::Instance()) application->InitInstance();
    return 0;
}

}  // namespace tk
