// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/message_box.h"

#include <QMessageBox>

#include "toolkit/application.h"
#include "toolkit/text_bytes.h"

namespace tk {

void ShowMessageBox(QWidget* owner, std::string_view text) {
    QMessageBox box(QMessageBox::NoIcon, TextFromBytes(Application::AppName()), TextFromBytes(text),
                    QMessageBox::Ok, owner);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
    // The owner becomes the active window again, as under the dialog
    // manager; not every window manager (nor the offscreen platform) does
    // that by itself.
    if (owner != nullptr && owner->isVisible()) owner->window()->activateWindow();
}

}  // namespace tk
