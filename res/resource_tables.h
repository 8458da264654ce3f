// SPDX-License-Identifier: GPL-3.0-or-later
// The resource tables that make up ProgramResources(), each defined in its
// own file of this folder. Static constant data, for the resource library only.
#pragma once

#include "toolkit/resource_types.h"

namespace velmo_res {

extern const tk::DialogTemplate kAboutDialog;   // IDD_ABOUTBOX
extern const tk::DialogTemplate kSearchDialog;  // IDD_SEARCH_DIALOG
extern const tk::MenuTemplate kMainMenu;        // IDR_MAIN_MENU

// The licence notice: the About box's second line and the version
// resource's copyright text.
inline constexpr char kLicenceNotice[] = "Free software under GNU GPL 3+";

}  // namespace velmo_res
