// SPDX-License-Identifier: GPL-3.0-or-later
// FileDialog: the common open / save file dialog, run modally.
//
// The filter text is a series of "|"-ended parts: description, pattern,
// description, pattern, ..., then an empty part ("Text Files (*.txt)|*.txt|
// All Files (*.*)|*.*||"). The first filter is selected on opening. The
// save kind asks before it takes the name of a file that exists (the
// toolkit's usual question: "No" goes back to the dialog); the open kind
// never asks, and accepts a name that does not exist. A name typed without
// an extension gets the default extension. An initial name with wildcards
// ("*.txt") is shown in the save kind's name box; the open kind starts with
// the box empty. The dialog opens wide enough for the name, size, type and
// date of every entry of its folder to show whole (as far as the screen
// allows).
#pragma once

#include <string>

namespace tk {

class Dialog;

class FileDialog {
  public:
    enum Flags : unsigned {
        kHideReadOnly = 1u << 0,  // no read-only check box (this toolkit never shows one)
    };

    FileDialog(bool openKind, const char* defaultExtension, const char* initialFileName,
               unsigned flags, const char* filterText, Dialog* owner);

    // Returns kIdOk when the user confirmed a name, kIdCancel otherwise.
    int DoModal();

    // After a confirmed run: the chosen file's full path, its name without
    // folder, and its extension (the characters after the last dot of the
    // name, without the dot; empty when there is none).
    std::string GetPathName() const;
    std::string GetFileName() const;
    std::string GetFileExt() const;

  private:
    bool openKind_;
    std::string defaultExtension_;
    std::string initialFileName_;
    unsigned flags_;
    std::string filterText_;
    Dialog* owner_;
    std::string path_;
};

}  // namespace tk
