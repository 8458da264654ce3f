// SPDX-License-Identifier: GPL-3.0-or-later
// Dialog: a window built from a dialog template and run modally.
//
// A derived window overrides InitWindow (called once, after the controls
// exist and before the window is first shown), TransferData (its table of
// control <-> member transfers) and OnCommand (menu commands and button
// clicks). A command that OnCommand does not handle goes on to the
// application object (Application::OnCommand).
//
// Confirm and cancel follow the dialog manager: Enter clicks the push button
// that has the focus, or else the template's default push button (nothing
// when that one is disabled), or, with none, sends kIdOk; Escape and the
// close box send kIdCancel. OnOk and OnCancel end the modal run by default.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "toolkit/icon.h"
#include "toolkit/resource_types.h"

class QDialog;
class QFont;
class QWidget;

namespace tk {

class DialogWindow;  // the Qt window behind a Dialog (private to the toolkit)

class Dialog {
  public:
    // `templateId` names a template of ProgramResources(); `owner` (may be
    // null) is the window that owns this one while it runs.
    explicit Dialog(int templateId, Dialog* owner = nullptr);
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Creates the window and its controls from the template, calls
    // InitWindow, shows the window modally and returns when it has closed:
    // the code given to EndDialog (kIdOk, kIdCancel, ...), or -1 when the
    // template does not exist. The window is destroyed before it returns.
    int DoModal();
    // Ends the modal run with `result`. Does nothing when not running.
    void EndDialog(int result);
    // Asks the window to close, as its close box does (sends kIdCancel).
    void Close();

    // Services for the derived window while it runs. Controls are found by
    // identifier; null / no effect when there is no such control or no window.
    QWidget* GetControl(int id) const;
    QDialog* Window() const;  // null when not running
    void EnableControl(int id, bool enable);
    void SetIcon(const Icon& icon, bool big);
    bool IsIconic() const;  // minimised
    Rect GetClientRect() const;
    // Shows `text` in a modal message box owned by this window, with one OK
    // button, captioned with the application's name.
    void MessageBox(const char* text);

    // The system menu: X11, Wayland and offscreen desktops give applications
    // no way into the window manager's menu, and this toolkit has no
    // platform code for others, so HasSystemMenu() is false and the Append
    // functions do nothing.
    bool HasSystemMenu() const;
    void AppendSystemMenuSeparator();
    void AppendSystemMenuItem(unsigned commandId, const char* text);

    // The default handling of a system command (close, minimise, restore,
    // maximise, move, size). Unknown commands are ignored.
    void DefaultSysCommand(unsigned commandId, std::intptr_t param);

  protected:
    // Default: TransferData(false); returns true.
    virtual bool InitWindow();
    // Runs the window's transfer table; default does nothing and returns true.
    virtual bool TransferData(bool toMembers);
    // A menu command or a button / check-box click. Return true when handled;
    // the default handles kIdOk (OnOk) and kIdCancel (OnCancel).
    virtual bool OnCommand(int id);
    virtual void OnOk();      // default: EndDialog(kIdOk)
    virtual void OnCancel();  // default: EndDialog(kIdCancel)
    // A system command from the system menu; default: DefaultSysCommand.
    virtual void OnSysCommand(unsigned commandId, std::intptr_t param);
    // Painting; default paints the dialog as usual. Return value unused.
    virtual void OnPaint();

    const DialogTemplate* Template() const { return template_; }

  private:
    friend class DialogWindow;
    void Dispatch(int id);  // OnCommand, then the application

    const DialogTemplate* template_;
    Dialog* owner_;
    std::unique_ptr<DialogWindow> window_;
    int result_ = -1;
    bool ended_ = false;  // EndDialog was called during the current run
};

// Dialog units to pixels for a dialog font whose average character width is
// `baseUnitX` and height `baseUnitY` pixels: x * baseUnitX / 4 and
// y * baseUnitY / 8, rounded as the dialog manager does.
struct DialogBaseUnits {
    int x;  // average character width, pixels
    int y;  // character height, pixels
};
DialogBaseUnits BaseUnitsOfFont(const QFont& font);
int DialogUnitsToPixelsX(int units, DialogBaseUnits base);
int DialogUnitsToPixelsY(int units, DialogBaseUnits base);

}  // namespace tk
