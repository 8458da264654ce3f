// SPDX-License-Identifier: GPL-3.0-or-later
// Identifiers of the toolkit tests' own resources (test_resources.cpp), which
// stand in for a program's resource library.
#pragma once

namespace testres {

// A window of every control kind, with a menu.
constexpr int IDD_SAMPLE = 200;
constexpr int IDC_FIRST = 1000;      // edit, tab stop
constexpr int IDC_SECOND = 1001;     // edit, tab stop, right-aligned
constexpr int IDC_LOCKED = 1002;     // edit, tab stop, disabled
constexpr int IDC_NO_TAB = 1003;     // edit, no tab stop
constexpr int IDC_ACTION = 1010;     // push button, tab stop
constexpr int IDC_OPTION = 1011;     // check box, tab stop
constexpr int IDC_LIST = 1012;       // list view
constexpr int IDC_FRAME = 1013;      // group box over the first controls
constexpr int IDC_READ_ONLY = 1014;  // read-only edit, no border

// Text and number transfers.
constexpr int IDD_NUMBERS = 201;
constexpr int IDC_SHORT = 1100;
constexpr int IDC_LONG = 1101;
constexpr int IDC_FLOAT = 1102;
constexpr int IDC_DOUBLE = 1103;
constexpr int IDC_TEXT = 1104;
constexpr int IDC_CHECK = 1105;
constexpr int IDC_LAST = 1106;  // a short after the others, to see rows skipped

// OK (default button) and Cancel.
constexpr int IDD_CONFIRM = 202;
constexpr int IDC_CONFIRM_EDIT = 1200;

// No default button: an edit and a push button.
constexpr int IDD_PLAIN = 203;
constexpr int IDC_PLAIN_EDIT = 1300;
constexpr int IDC_PLAIN_BUTTON = 1301;

constexpr int IDR_SAMPLE_MENU = 300;
constexpr int ID_TEST_OPEN = 40001;
constexpr int ID_TEST_UNHANDLED = 40002;

constexpr int IDI_SAMPLE = 400;
constexpr int IDS_SAMPLE = 500;

}  // namespace testres
