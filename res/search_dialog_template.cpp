// SPDX-License-Identifier: GPL-3.0-or-later
// Dialog template IDD_SEARCH_DIALOG: the search window. Controls in template
// order, which is also the tab order; positions in dialog units.
//
// The number boxes are as wide as their widest values need: 8 digits for
// the counts (99999999), 6 for the periods (100000); the labels to their
// left give up the room.
#include "res/resource.h"
#include "res/resource_tables.h"

namespace velmo_res {
namespace {

using tk::ControlKind;

constexpr unsigned kCriteriaBox = tk::kDisabled | tk::kTabStop | tk::kBorder | tk::kAutoHScroll;
constexpr unsigned kCountBox = tk::kDisabled | tk::kBorder | tk::kAutoHScroll;

constexpr tk::ControlTemplate kControls[] = {
    {IDC_RA_WEST, "IDC_RA_WEST", ControlKind::Edit, "", 70, 114, 32, 12, kCriteriaBox},
    {IDC_RA_EAST, "IDC_RA_EAST", ControlKind::Edit, "", 106, 114, 32, 12, kCriteriaBox},
    {IDC_DEC_SOUTH, "IDC_DEC_SOUTH", ControlKind::Edit, "", 70, 144, 32, 12, kCriteriaBox},
    {IDC_DEC_NORTH, "IDC_DEC_NORTH", ControlKind::Edit, "", 106, 144, 32, 12, kCriteriaBox},
    {IDC_MAG_MAX, "IDC_MAG_MAX", ControlKind::Edit, "", 70, 174, 32, 12, kCriteriaBox},
    {IDC_MAG_MIN, "IDC_MAG_MIN", ControlKind::Edit, "", 106, 174, 32, 12, kCriteriaBox},
    {IDC_PERIOD_LEAST, "IDC_PERIOD_LEAST", ControlKind::Edit, "", 70, 204, 32, 12, kCriteriaBox},
    {IDC_PERIOD_MOST, "IDC_PERIOD_MOST", ControlKind::Edit, "", 106, 204, 32, 12, kCriteriaBox},
    {IDC_FILE_NAME, "IDC_FILE_NAME", ControlKind::Edit, "", 42, 30, 96, 12, kCriteriaBox},
    {IDC_SEARCH_ASC, "IDC_SEARCH_ASC", ControlKind::PushButton, "Search Asc.", 78, 234, 54, 12,
     tk::kDisabled | tk::kTabStop},
    {IDC_SEARCH_DESC, "IDC_SEARCH_DESC", ControlKind::PushButton, "Search Desc.", 78, 252, 54, 12,
     tk::kDisabled},
    {IDC_SPECIFIC, "IDC_SPECIFIC", ControlKind::CheckBox, "Specific?", 78, 276, 43, 10,
     tk::kDisabled},
    {IDC_RESULT_LIST, "IDC_RESULT_LIST", ControlKind::ListView, "", 156, 10, 356, 281, tk::kBorder},
    {tk::kIdStatic, nullptr, ControlKind::StaticText, "File:", 17, 30, 19, 10, tk::kAlignRight},
    {tk::kIdStatic, nullptr, ControlKind::StaticText, "Records Loaded:", 18, 48, 70, 12,
     tk::kAlignRight},
    {tk::kIdStatic, nullptr, ControlKind::StaticText, "Records Searched:", 18, 66, 70, 12,
     tk::kAlignRight},
    {tk::kIdStatic, nullptr, ControlKind::StaticText, "R.A. Hours:", 12, 114, 54, 12,
     tk::kAlignRight},
    {tk::kIdStatic, nullptr, ControlKind::StaticText, "Degrees:", 12, 144, 54, 12, tk::kAlignRight},
    {tk::kIdStatic, nullptr, ControlKind::StaticText, "Magnitude:", 12, 174, 54, 12,
     tk::kAlignRight},
    {tk::kIdStatic, nullptr, ControlKind::StaticText, "Period in Days:", 12, 204, 54, 12,
     tk::kAlignRight},
    {tk::kIdStatic, nullptr, ControlKind::StaticText, "West", 70, 129, 32, 9, tk::kAlignLeft},
    {tk::kIdStatic, nullptr, ControlKind::StaticText, "East", 106, 129, 32, 9, tk::kAlignLeft},
    {tk::kIdStatic, nullptr, ControlKind::StaticText, "South", 70, 159, 32, 9, tk::kAlignLeft},
    {tk::kIdStatic, nullptr, ControlKind::StaticText, "North", 106, 159, 32, 9, tk::kAlignLeft},
    {tk::kIdStatic, nullptr, ControlKind::StaticText, "Min <", 106, 189, 32, 9, tk::kAlignLeft},
    {tk::kIdStatic, nullptr, ControlKind::StaticText, "Max >", 70, 189, 32, 9, tk::kAlignLeft},
    {tk::kIdStatic, nullptr, ControlKind::StaticText, "Most", 106, 219, 32, 9, tk::kAlignLeft},
    {tk::kIdStatic, nullptr, ControlKind::StaticText, "Least", 70, 219, 32, 9, tk::kAlignLeft},
    {IDC_CRITERIA_GROUP, "IDC_CRITERIA_GROUP", ControlKind::GroupBox, "Search Criteria", 7, 96, 137,
     195, tk::kStyleNone},
    {tk::kIdStatic, nullptr, ControlKind::GroupBox, "Data", 7, 10, 137, 80, tk::kStyleNone},
    {IDC_RECORDS_LOADED, "IDC_RECORDS_LOADED", ControlKind::Edit, "", 92, 48, 46, 12, kCountBox},
    {IDC_RECORDS_SEARCHED, "IDC_RECORDS_SEARCHED", ControlKind::Edit, "", 92, 66, 46, 12,
     kCountBox},
};

}  // namespace

const tk::DialogTemplate kSearchDialog = {
    IDD_SEARCH_DIALOG,
    "IDD_SEARCH_DIALOG",
    "Velmo - ZORVA Variable Star Search",
    520,
    298,
    "MS Shell Dlg",
    8,
    tk::kSysMenu | tk::kMinimizeBox | tk::kCentre | tk::kAppWindow,
    IDR_MAIN_MENU,
    kControls,
    static_cast<int>(sizeof kControls / sizeof kControls[0]),
};

}  // namespace velmo_res
