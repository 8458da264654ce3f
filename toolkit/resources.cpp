// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/resources.h"

#include <QIcon>
#include <QPixmap>

namespace tk {

const DialogTemplate* FindDialogTemplate(int id) {
    const ResourceSet& set = ProgramResources();
    for (int i = 0; i < set.dialogCount; ++i) {
        if (set.dialogs[i] != nullptr && set.dialogs[i]->id == id) return set.dialogs[i];
    }
    return nullptr;
}

const MenuTemplate* FindMenuTemplate(int id) {
    const ResourceSet& set = ProgramResources();
    for (int i = 0; i < set.menuCount; ++i) {
        if (set.menus[i] != nullptr && set.menus[i]->id == id) return set.menus[i];
    }
    return nullptr;
}

std::string LoadString(int id) {
    const ResourceSet& set = ProgramResources();
    for (int i = 0; i < set.stringCount; ++i) {
        if (set.strings[i].id == id) {
            return set.strings[i].text != nullptr ? set.strings[i].text : "";
        }
    }
    return std::string();
}

Icon LoadIcon(int id) {
    const ResourceSet& set = ProgramResources();
    for (int i = 0; i < set.iconCount; ++i) {
        if (set.icons[i].id != id || set.icons[i].xpm == nullptr) continue;
        const QPixmap picture(set.icons[i].xpm);
        if (picture.isNull()) return Icon();
        return Icon(QIcon(picture));
    }
    return Icon();
}

}  // namespace tk
