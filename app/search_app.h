// SPDX-License-Identifier: GPL-3.0-or-later
// CSearchApp: Velmo's application object. Its start-up runs the search
// window modally and ends the program when the window closes; the commands
// that the window leaves ("E&xit", help) reach it through the toolkit's
// routing and get the toolkit's handling (Application::OnCommand): exit
// closes the main window, help has no help file to show and does nothing.
#pragma once

#include "toolkit/application.h"

class CSearchApp : public tk::Application {
  public:
    CSearchApp() = default;

    // Prepares the toolkit, runs the search window modally, destroys it and
    // returns false: there is no message loop after the window.
    bool InitInstance() override;
};

// The one application object, constructed during static initialisation.
extern CSearchApp theApp;
