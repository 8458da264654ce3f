// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/search_app.h"

#include <memory>

#include "app/search_dlg.h"

CSearchApp theApp;

bool CSearchApp::InitInstance() {
    tk::Application::InitCommonControls();
    tk::Application::EnableControlContainer();
    // The settings key becomes the organisation name; nothing is stored under it.
    SetRegistryKey("Local AppWizard-Generated Applications");

    auto dlg = std::make_unique<CSearchDlg>();
    SetMainWindow(dlg.get());
    dlg->DoModal();  // returns when the window has closed; its code is not needed
    SetMainWindow(nullptr);
    dlg.reset();
    return false;
}
