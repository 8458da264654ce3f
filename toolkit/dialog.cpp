// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/dialog.h"

#include "toolkit/application.h"
#include "toolkit/dialog_window.h"
#include "toolkit/message_box.h"
#include "toolkit/resources.h"

namespace tk {
namespace {

// System commands; their four lowest bits are the system's own and ignored.
constexpr unsigned kScMinimize = 0xF020;
constexpr unsigned kScClose = 0xF060;
constexpr unsigned kScRestore = 0xF120;

}  // namespace

Dialog::Dialog(int templateId, Dialog* owner)
    : template_(FindDialogTemplate(templateId)), owner_(owner) {}

Dialog::~Dialog() {
    window_.reset();
    Application* app = Application::Instance();
    if (app != nullptr && app->MainWindow() == this) app->SetMainWindow(nullptr);
}

int Dialog::DoModal() {
    if (template_ == nullptr || window_ != nullptr) return -1;
    QWidget* parent = owner_ != nullptr ? owner_->Window() : nullptr;
    window_ = std::make_unique<DialogWindow>(*this, *template_, parent);
    result_ = -1;
    ended_ = false;

    if (InitWindow()) window_->FocusFirstTabStop();
    if (!ended_) {
        if ((template_->style & kCentre) != 0) window_->CentreOnScreen();
        const int code = window_->exec();
        if (!ended_) result_ = code;
    }
    window_.reset();
    return result_;
}

void Dialog::EndDialog(int result) {
    if (window_ == nullptr) return;
    result_ = result;
    ended_ = true;
    window_->done(result);
}

void Dialog::Close() {
    if (window_ != nullptr) Dispatch(kIdCancel);
}

QWidget* Dialog::GetControl(int id) const { return window_ ? window_->Control(id) : nullptr; }

QDialog* Dialog::Window() const { return window_.get(); }

void Dialog::EnableControl(int id, bool enable) {
    if (QWidget* control = GetControl(id)) control->setEnabled(enable);
}

void Dialog::SetIcon(const Icon& icon, bool /*big: one icon serves both sizes*/) {
    if (window_ != nullptr) window_->setWindowIcon(icon.Qt());
}

bool Dialog::IsIconic() const { return window_ != nullptr && window_->isMinimized(); }

Rect Dialog::GetClientRect() const {
    if (window_ == nullptr) return Rect{0, 0, 0, 0};
    const QWidget* client = window_->ClientArea();
    return Rect{0, 0, client->width(), client->height()};
}

void Dialog::MessageBox(const char* text) {
    QWidget* owner = Window();
    if (owner == nullptr) {
        Application* app = Application::Instance();
        if (app != nullptr && app->MainWindow() != nullptr) owner = app->MainWindow()->Window();
    }
    ShowMessageBox(owner, text != nullptr ? text : "");
}

// No desktop that Qt runs on here lets an application add to the window
// manager's menu, so there is no system menu to extend.
bool Dialog::HasSystemMenu() const { return false; }

void Dialog::AppendSystemMenuSeparator() {}

void Dialog::AppendSystemMenuItem(unsigned /*commandId*/, const char* /*text*/) {}

void Dialog::DefaultSysCommand(unsigned commandId, std::intptr_t /*param*/) {
    switch (commandId & 0xFFF0u) {
        case kScClose:
            Close();
            break;
        case kScMinimize:
            if (window_ != nullptr) window_->showMinimized();
            break;
        case kScRestore:
            if (window_ != nullptr) window_->showNormal();
            break;
        default:
            // Maximise (the frame has no maximise box), move and size (the
            // window manager's) and anything else: nothing to do.
            break;
    }
}

bool Dialog::InitWindow() {
    TransferData(false);
    return true;
}

bool Dialog::TransferData(bool /*toMembers*/) { return true; }

bool Dialog::OnCommand(int id) {
    switch (id) {
        case kIdOk:
            OnOk();
            return true;
        case kIdCancel:
            OnCancel();
            return true;
        default:
            return false;
    }
}

void Dialog::OnOk() { EndDialog(kIdOk); }

void Dialog::OnCancel() { EndDialog(kIdCancel); }

void Dialog::OnSysCommand(unsigned commandId, std::intptr_t param) {
    DefaultSysCommand(commandId, param);
}

void Dialog::OnPaint() {
    if (window_ != nullptr) window_->DefaultPaint();
}

void Dialog::Dispatch(int id) {
    if (OnCommand(id)) return;
    if (Application* app = Application::Instance()) app->OnCommand(id);
}

}  // namespace tk
