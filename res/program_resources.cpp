// SPDX-License-Identifier: GPL-3.0-or-later
// ProgramResources(): every resource of Velmo, gathered for the toolkit the
// way a resource script is compiled into a program. All English (United
// States).
#include "res/resource.h"
#include "res/resource_tables.h"
#include "res/version.h"
#include "toolkit/resource_types.h"

namespace velmo_res {
namespace {

#include "res/star_icon.xpm"

const tk::DialogTemplate* const kDialogs[] = {&kAboutDialog, &kSearchDialog};

const tk::MenuTemplate* const kMenus[] = {&kMainMenu};

constexpr tk::StringResource kStrings[] = {
    {IDS_ABOUTBOX, "&About Velmo..."},
};

const tk::IconResource kIcons[] = {
    {IDR_MAINFRAME, star_icon_xpm},
};

constexpr tk::VersionResource kVersion = {
    VELMO_VERSION, VELMO_VERSION, "Velmo", "Velmo - variable star catalogue search", kLicenceNotice,
};

const tk::ResourceSet kResources = {
    kDialogs,  static_cast<int>(sizeof kDialogs / sizeof kDialogs[0]),
    kMenus,    static_cast<int>(sizeof kMenus / sizeof kMenus[0]),
    kStrings,  static_cast<int>(sizeof kStrings / sizeof kStrings[0]),
    kIcons,    static_cast<int>(sizeof kIcons / sizeof kIcons[0]),
    &kVersion,
};

}  // namespace
}  // namespace velmo_res

const tk::ResourceSet& tk::ProgramResources() { return velmo_res::kResources; }
