// SPDX-License-Identifier: GPL-3.0-or-later
// A dialog whose hooks the toolkit tests set, and a helper that runs a dialog
// modally with test steps inside its modal loop.
#pragma once

#include <functional>
#include <set>
#include <vector>

#include "toolkit/application.h"
#include "toolkit/dialog.h"

class QWidget;

namespace tktest {

class TestDialog : public tk::Dialog {
  public:
    explicit TestDialog(int templateId, tk::Dialog* owner = nullptr)
        : tk::Dialog(templateId, owner) {}

    std::function<bool()> onInit;          // replaces InitWindow when set
    std::function<bool(bool)> onTransfer;  // replaces TransferData when set
    std::function<void()> onPaint;         // replaces OnPaint when set
    std::set<int> handled;                 // commands OnCommand takes
    std::vector<int> commands;             // every command OnCommand saw, in order
    bool refuseCancel = false;             // OnCancel keeps the window open
    int paints = 0;

    bool CallTransferData(bool toMembers) { return TransferData(toMembers); }
    void CallOnSysCommand(unsigned id) { OnSysCommand(id, 0); }

  protected:
    bool InitWindow() override { return onInit ? onInit() : tk::Dialog::InitWindow(); }
    bool TransferData(bool toMembers) override {
        return onTransfer ? onTransfer(toMembers) : tk::Dialog::TransferData(toMembers);
    }
    bool OnCommand(int id) override {
        commands.push_back(id);
        if (handled.count(id) != 0) return true;
        return tk::Dialog::OnCommand(id);
    }
    void OnCancel() override {
        if (!refuseCancel) tk::Dialog::OnCancel();
    }
    void OnPaint() override {
        ++paints;
        if (onPaint) {
            onPaint();
        } else {
            tk::Dialog::OnPaint();
        }
    }
};

// An application object that records the commands that reach it.
class TestApplication : public tk::Application {
  public:
    bool InitInstance() override { return false; }
    bool OnCommand(int id) override {
        commands.push_back(id);
        return tk::Application::OnCommand(id);
    }
    std::vector<int> commands;
};

// Runs `dialog` modally; `steps` runs once its window is the active modal
// window. If the window is still open after the steps, it is ended with
// kIdCancel. Returns what DoModal returned.
int RunModal(tk::Dialog& dialog, const std::function<void(QWidget* window)>& steps);

}  // namespace tktest
