// SPDX-License-Identifier: GPL-3.0-or-later
// Application: the program object. Exactly one exists; a derived class's
// global instance registers itself on construction.
//
// RunApplication creates the Qt application (the desktop's default UI font,
// numbers back in the C locale so that "." stays the decimal point), calls
// InitInstance, and returns 0 when it has returned.
#pragma once

#include <string>

namespace tk {

class Dialog;

constexpr int kIdHelp = 57670;      // the framework's help command
constexpr int kIdFileExit = 32771;  // asks the main window to close

class Application {
  public:
    Application();
    virtual ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    static Application* Instance();  // the one instance, or null

    // Start-up; return false to end the program (there is no message loop
    // of the application's own).
    virtual bool InitInstance() = 0;

    // Commands that no window handled: kIdFileExit closes the main window;
    // kIdHelp is accepted and does nothing (no help file). Returns true when
    // handled.
    virtual bool OnCommand(int id);

    // The window that kIdFileExit closes and that owns message boxes.
    void SetMainWindow(Dialog* window) { mainWindow_ = window; }
    Dialog* MainWindow() const { return mainWindow_; }

    // The application's name: the executable's file name without extension.
    static std::string AppName();

    // Framework services used at start-up; each is a no-op where the toolkit
    // needs nothing for it.
    static void InitCommonControls();
    static void EnableControlContainer();
    void SetRegistryKey(const char* organisation);  // becomes the organisation name

  private:
    Dialog* mainWindow_ = nullptr;
};

// Creates the Qt application from the command line, runs
// Application::Instance()->InitInstance(), and returns the exit status (0).
int RunApplication(int argc, char** argv);

}  // namespace tk
