// SPDX-License-Identifier: GPL-3.0-or-later
// Control objects: thin handles onto a dialog's controls, bound to them by a
// dialog's transfer (DataExchange::Bind). A handle does not own its control;
// the dialog's window does, and a handle must not be used once that window
// has closed. Using an unbound handle does nothing and returns 0 / false.
#pragma once

#include <string>

class QWidget;

namespace tk {

class RowTableModel;

class Control {
  public:
    Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    void Attach(QWidget* widget);  // binds the handle; null unbinds it
    QWidget* Widget() const { return widget_; }
    bool IsBound() const { return widget_ != nullptr; }

    void EnableWindow(bool enable);
    bool IsWindowEnabled() const;
    void SetFocus();  // gives the control the keyboard focus

  protected:
    QWidget* widget_ = nullptr;
    unsigned attachCount_ = 0;  // changes with every Attach
};

class Edit : public Control {
  public:
    // Selects the characters from position `start` up to but not including
    // `end` (clamped to the text), leaves the caret at `end` and scrolls it
    // into view. A negative `start` removes the selection; a negative `end`
    // selects to the end of the text.
    void SetSel(int start, int end);
    std::string GetText() const;
    void SetText(const char* text);
};

class Button : public Control {
  public:
    // Check boxes: 1 ticked, 0 clear.
    int GetCheck() const;
    void SetCheck(int check);
    void Click();  // as if the user clicked it
};

// List view in report mode: rows of text cells under column headings. Built
// for millions of rows (compact row storage, no per-row widgets).
class ListView : public Control {
  public:
    enum class Align { Left, Right };

    // Inserts column `index` with its heading, text alignment and width in
    // pixels. Returns the column's index, or -1 when not bound.
    int InsertColumn(int index, const char* heading, Align align, int widthPixels);
    // Removes every row.
    void DeleteAllItems();
    // Inserts a row at `index` (clamped to 0..count) whose column 0 reads
    // `text` and the other columns are empty. Returns the row's index, or -1.
    int InsertItem(int index, const char* text);
    // Sets the text of one cell. Returns false for a row or column that does
    // not exist.
    bool SetItemText(int row, int column, const char* text);

    int GetItemCount() const;
    int GetColumnCount() const;
    std::string GetItemText(int row, int column) const;
    std::string GetColumnHeading(int column) const;

  private:
    // The model behind the bound view, looked up once per Attach (rows are
    // set millions of times).
    RowTableModel* Model() const;
    mutable unsigned modelAttach_ = ~0u;
    mutable RowTableModel* model_ = nullptr;
};

}  // namespace tk
