// SPDX-License-Identifier: GPL-3.0-or-later
// The toolkit's message box: modal, one OK button, captioned with the
// application's name. Private to the toolkit; windows use Dialog::MessageBox.
#pragma once

#include <string_view>

class QWidget;

namespace tk {

// Shows `text` (plain text, not markup) and returns when the user has
// pressed OK or closed the box; the owner is then the active window again.
// `owner` may be null.
void ShowMessageBox(QWidget* owner, std::string_view text);

}  // namespace tk
