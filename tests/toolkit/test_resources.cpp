// SPDX-License-Identifier: GPL-3.0-or-later
// The toolkit tests' resources, in the form a program's res/ library gives
// them.
#include "tests/toolkit/test_resources.h"

#include <iterator>

#include "toolkit/application.h"
#include "toolkit/resource_types.h"

namespace {

using tk::ControlKind;
using namespace testres;

constexpr unsigned kBox = tk::kTabStop | tk::kBorder | tk::kAutoHScroll;

constexpr tk::ControlTemplate kSampleControls[] = {
    {IDC_FIRST, "IDC_FIRST", ControlKind::Edit, "", 10, 10, 40, 12, kBox},
    {IDC_SECOND, "IDC_SECOND", ControlKind::Edit, "", 60, 10, 40, 12, kBox | tk::kAlignRight},
    {IDC_LOCKED, "IDC_LOCKED", ControlKind::Edit, "", 10, 30, 40, 12, kBox | tk::kDisabled},
    {IDC_NO_TAB, "IDC_NO_TAB", ControlKind::Edit, "", 60, 30, 40, 12, tk::kBorder},
    {IDC_ACTION, "IDC_ACTION", ControlKind::PushButton, "Action", 10, 50, 50, 14, tk::kTabStop},
    {IDC_OPTION, "IDC_OPTION", ControlKind::CheckBox, "Option", 65, 52, 40, 10, tk::kTabStop},
    {IDC_LIST, "IDC_LIST", ControlKind::ListView, "", 110, 10, 85, 100, tk::kBorder},
    {tk::kIdStatic, nullptr, ControlKind::StaticText, "&Name:", 10, 80, 30, 8, tk::kAlignLeft},
    {IDC_READ_ONLY, "IDC_READ_ONLY", ControlKind::Edit, "fixed", 10, 100, 40, 12, tk::kReadOnly},
    {IDC_FRAME, "IDC_FRAME", ControlKind::GroupBox, "Frame", 5, 2, 100, 70, tk::kStyleNone},
    {tk::kIdStatic, nullptr, ControlKind::StaticText, "&Orphan", 10, 90, 30, 8, tk::kAlignLeft},
    {tk::kIdStatic, nullptr, ControlKind::StaticText, "A & B", 45, 80, 30, 8,
     tk::kAlignRight | tk::kNoPrefix},
    {tk::kIdStatic, nullptr, ControlKind::Icon, "", 80, 80, 20, 20, tk::kStyleNone, IDI_SAMPLE},
};

constexpr tk::ControlTemplate kNumberControls[] = {
    {IDC_SHORT, "IDC_SHORT", ControlKind::Edit, "", 10, 10, 60, 12, kBox},
    {IDC_LONG, "IDC_LONG", ControlKind::Edit, "", 10, 25, 60, 12, kBox},
    {IDC_FLOAT, "IDC_FLOAT", ControlKind::Edit, "", 10, 40, 60, 12, kBox},
    {IDC_DOUBLE, "IDC_DOUBLE", ControlKind::Edit, "", 10, 55, 60, 12, kBox},
    {IDC_TEXT, "IDC_TEXT", ControlKind::Edit, "", 10, 70, 60, 12, kBox},
    {IDC_CHECK, "IDC_CHECK", ControlKind::CheckBox, "Check", 10, 85, 60, 10, tk::kTabStop},
    {IDC_LAST, "IDC_LAST", ControlKind::Edit, "", 10, 100, 60, 12, kBox},
};

constexpr tk::ControlTemplate kConfirmControls[] = {
    {IDC_CONFIRM_EDIT, "IDC_CONFIRM_EDIT", ControlKind::Edit, "", 10, 10, 60, 12, kBox},
    {tk::kIdOk, "IDOK", ControlKind::PushButton, "OK", 80, 10, 40, 14,
     tk::kTabStop | tk::kDefaultButton},
    {tk::kIdCancel, "IDCANCEL", ControlKind::PushButton, "Cancel", 80, 30, 40, 14, tk::kTabStop},
};

constexpr tk::ControlTemplate kPlainControls[] = {
    {IDC_PLAIN_EDIT, "IDC_PLAIN_EDIT", ControlKind::Edit, "", 10, 10, 60, 12, kBox},
    {IDC_PLAIN_BUTTON, "IDC_PLAIN_BUTTON", ControlKind::PushButton, "Go", 80, 10, 40, 14,
     tk::kTabStop},
};

// Each template's fields laid out as the resource line they stand for.
// clang-format off
constexpr tk::DialogTemplate kSample = {
    IDD_SAMPLE, "IDD_SAMPLE", "Sample Window", 200, 120, "MS Shell Dlg", 8,
    tk::kSysMenu | tk::kMinimizeBox | tk::kCentre | tk::kAppWindow, IDR_SAMPLE_MENU,
    kSampleControls, static_cast<int>(std::size(kSampleControls))};

constexpr tk::DialogTemplate kNumbers = {
    IDD_NUMBERS,     "IDD_NUMBERS", "Numbers", 80, 120, "MS Shell Dlg", 8, tk::kSysMenu, 0,
    kNumberControls, static_cast<int>(std::size(kNumberControls))};

constexpr tk::DialogTemplate kConfirm = {
    IDD_CONFIRM,      "IDD_CONFIRM", "Confirm", 130, 50, "MS Shell Dlg", 8, tk::kSysMenu, 0,
    kConfirmControls, static_cast<int>(std::size(kConfirmControls))};

constexpr tk::DialogTemplate kPlain = {
    IDD_PLAIN,      "IDD_PLAIN", "Plain", 130, 30, "MS Shell Dlg", 8, tk::kSysMenu, 0,
    kPlainControls, static_cast<int>(std::size(kPlainControls))};
// clang-format on

constexpr const tk::DialogTemplate* kDialogs[] = {&kSample, &kNumbers, &kConfirm, &kPlain};

constexpr tk::MenuItem kFileItems[] = {
    {"&Open", ID_TEST_OPEN, "ID_TEST_OPEN"},
    {"&Other", ID_TEST_UNHANDLED, "ID_TEST_UNHANDLED"},
    {"E&xit", tk::kIdFileExit, "ID_FILE_EXIT"},
};
constexpr tk::MenuItem kHelpItems[] = {{"&Help", tk::kIdHelp, "ID_HELP"}};
constexpr tk::MenuPopup kPopups[] = {{"&File", kFileItems, 3}, {"&Help", kHelpItems, 1}};
constexpr tk::MenuTemplate kMenu = {IDR_SAMPLE_MENU, "IDR_SAMPLE_MENU", kPopups, 2};
constexpr const tk::MenuTemplate* kMenus[] = {&kMenu};

constexpr tk::StringResource kStrings[] = {{IDS_SAMPLE, "&About Sample..."}};

const char* const kIconPicture[] = {
    "8 8 2 1",  "  c None", "x c #FFCC00", "   xx   ", "   xx   ", "xxxxxxxx",
    " xxxxxx ", "  xxxx  ", " xx  xx ",    "xx    xx", "        ",
};
constexpr tk::IconResource kIcons[] = {{IDI_SAMPLE, kIconPicture}};

constexpr tk::VersionResource kVersion = {"1.0.0.1", "1.0.0.1", "Toolkit tests", "Toolkit tests",
                                          "none"};

constexpr tk::ResourceSet kResources = {kDialogs, 4, kMenus, 1, kStrings, 1, kIcons, 1, &kVersion};

}  // namespace

const tk::ResourceSet& tk::ProgramResources() { return kResources; }
