// SPDX-License-Identifier: GPL-3.0-or-later
// Menu IDR_MAIN_MENU: the search window's menu bar. No separators, no
// accelerator keys; every item is always enabled.
#include "res/resource.h"
#include "res/resource_tables.h"

namespace velmo_res {
namespace {

constexpr tk::MenuItem kFileItems[] = {
    {"&Load Data...", ID_FILE_LOAD, "ID_FILE_LOAD"},
    {"Save &CSV...", ID_FILE_SAVE_CSV, "ID_FILE_SAVE_CSV"},
    {"Save &TXT...", ID_FILE_SAVE_TXT, "ID_FILE_SAVE_TXT"},
    {"E&xit", ID_FILE_EXIT, "ID_FILE_EXIT"},
};

constexpr tk::MenuItem kHelpItems[] = {
    {"&About Velmo", ID_HELP_ABOUT, "ID_HELP_ABOUT"},
};

constexpr tk::MenuPopup kPopups[] = {
    {"&File", kFileItems, static_cast<int>(sizeof kFileItems / sizeof kFileItems[0])},
    {"&Help", kHelpItems, static_cast<int>(sizeof kHelpItems / sizeof kHelpItems[0])},
};

}  // namespace

const tk::MenuTemplate kMainMenu = {
    IDR_MAIN_MENU,
    "IDR_MAIN_MENU",
    kPopups,
    static_cast<int>(sizeof kPopups / sizeof kPopups[0]),
};

}  // namespace velmo_res
