// SPDX-License-Identifier: GPL-3.0-or-later
// Dialog template IDD_ABOUTBOX: the About box. Positions in dialog units.
#include "res/resource.h"
#include "res/resource_tables.h"

namespace velmo_res {
namespace {

using tk::ControlKind;

constexpr tk::ControlTemplate kControls[] = {
    {tk::kIdStatic, nullptr, ControlKind::Icon, "", 11, 17, 20, 20, tk::kStyleNone, IDR_MAINFRAME},
    {tk::kIdStatic, nullptr, ControlKind::StaticText, "Velmo Version 1.00 Beta", 40, 10, 119, 8,
     tk::kAlignLeft | tk::kNoPrefix | tk::kGroup},
    {tk::kIdStatic, nullptr, ControlKind::StaticText, kLicenceNotice, 40, 25, 119, 8,
     tk::kAlignLeft | tk::kGroup},
    {tk::kIdOk, "IDOK", ControlKind::PushButton, "OK", 178, 7, 50, 16,
     tk::kDefaultButton | tk::kTabStop | tk::kGroup},
};

}  // namespace

const tk::DialogTemplate kAboutDialog = {
    IDD_ABOUTBOX,
    "IDD_ABOUTBOX",
    "About Velmo",
    235,
    55,
    "MS Shell Dlg",
    8,
    tk::kSysMenu,
    0,
    kControls,
    static_cast<int>(sizeof kControls / sizeof kControls[0]),
};

}  // namespace velmo_res
