// SPDX-License-Identifier: GPL-3.0-or-later
// DialogWindow: the Qt window behind a Dialog while it runs. Private to the
// toolkit.
//
// Built from a DialogTemplate: a menu bar from the template's menu above a
// fixed-size client area, and the controls placed on the client area in
// template order, which is also their tab order and their stacking order
// (the first control on top, as the dialog manager stacks them). Group boxes
// are plain frames beside the controls they surround, and let mouse clicks
// through to them. Every control with an identifier has the identifier's
// name as its object name, every menu action its command's name.
//
// Keys: Enter clicks the push button that has the focus, or else the
// template's default button, or, with none, sends kIdOk; Escape and the
// close box send kIdCancel. Button and check-box clicks and menu commands go
// to Dialog::Dispatch.
#pragma once

#include <QDialog>
#include <vector>

#include "toolkit/dialog.h"

class QPushButton;

namespace tk {

class DialogWindow : public QDialog {
  public:
    DialogWindow(Dialog& dialog, const DialogTemplate& dialogTemplate, QWidget* parent);

    // The control with this identifier (the first one, in template order),
    // or null.
    QWidget* Control(int id) const;
    // The area below the menu bar that holds the controls.
    QWidget* ClientArea() const { return client_; }
    // Gives the focus to the first enabled control that is a tab stop,
    // selecting an edit box's text, as the dialog manager does on opening.
    void FocusFirstTabStop();
    // Moves the window to the centre of its screen.
    void CentreOnScreen();
    // The default painting, for Dialog::OnPaint; only valid while painting.
    void DefaultPaint();

    void accept() override;  // sends kIdOk
    void reject() override;  // sends kIdCancel (the close box comes here)

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    struct Entry {
        const ControlTemplate* source;
        QWidget* widget;
    };

    void BuildMenu(const MenuTemplate& menu);
    void BuildControls(const DialogTemplate& dialogTemplate);
    QWidget* CreateControl(const ControlTemplate& control);
    void ConnectCommand(QWidget* widget, int id);

    Dialog& dialog_;
    QWidget* client_ = nullptr;
    QPushButton* defaultButton_ = nullptr;
    std::vector<Entry> controls_;  // every control, in template order
    QPaintEvent* paintEvent_ = nullptr;
};

}  // namespace tk
