// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/controls.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <algorithm>

#include "toolkit/text_bytes.h"

namespace tk {

void Control::Attach(QWidget* widget) {
    widget_ = widget;
    ++attachCount_;
}

void Control::EnableWindow(bool enable) {
    if (widget_ != nullptr) widget_->setEnabled(enable);
}

bool Control::IsWindowEnabled() const { return widget_ != nullptr && widget_->isEnabled(); }

void Control::SetFocus() {
    if (widget_ != nullptr) widget_->setFocus(Qt::OtherFocusReason);
}

void Edit::SetSel(int start, int end) {
    auto* edit = qobject_cast<QLineEdit*>(widget_);
    if (edit == nullptr) return;
    if (start < 0) {
        edit->deselect();
        return;
    }
    const int length = static_cast<int>(edit->text().size());
    const int from = std::min(start, length);
    const int to = end < 0 ? length : std::clamp(end, from, length);
    // setSelection leaves the cursor at the end of the selection and scrolls
    // the box so that the cursor is visible.
    edit->setSelection(from, to - from);
}

std::string Edit::GetText() const {
    auto* edit = qobject_cast<QLineEdit*>(widget_);
    return edit != nullptr ? BytesFromText(edit->text()) : std::string();
}

void Edit::SetText(const char* text) {
    if (auto* edit = qobject_cast<QLineEdit*>(widget_)) {
        edit->setText(TextFromBytes(text != nullptr ? text : ""));
    }
}

int Button::GetCheck() const {
    auto* button = qobject_cast<QAbstractButton*>(widget_);
    return button != nullptr && button->isChecked() ? 1 : 0;
}

void Button::SetCheck(int check) {
    if (auto* button = qobject_cast<QAbstractButton*>(widget_)) {
        if (button->isCheckable()) button->setChecked(check != 0);
    }
}

void Button::Click() {
    if (auto* button = qobject_cast<QAbstractButton*>(widget_)) button->click();
}

}  // namespace tk
