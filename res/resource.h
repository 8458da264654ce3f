// SPDX-License-Identifier: GPL-3.0-or-later
// Identifiers of Velmo's resources: dialog templates, controls, menu
// commands, strings and icons. The tables that use them are in this folder
// (ProgramResources()).
#pragma once

// Dialog templates, strings, icons and menus.
constexpr int IDD_ABOUTBOX = 100;       // the About box
constexpr int IDS_ABOUTBOX = 101;       // "&About Velmo...", the system-menu entry
constexpr int IDD_SEARCH_DIALOG = 102;  // the search window
constexpr int IDR_MAINFRAME = 128;      // the program's icon
constexpr int IDR_MAIN_MENU = 129;      // the search window's menu

// Controls of the search window.
constexpr int IDC_RA_WEST = 1000;
constexpr int IDC_RA_EAST = 1001;
constexpr int IDC_DEC_SOUTH = 1002;
constexpr int IDC_DEC_NORTH = 1003;
constexpr int IDC_MAG_MAX = 1004;
constexpr int IDC_MAG_MIN = 1005;
constexpr int IDC_PERIOD_LEAST = 1006;
constexpr int IDC_PERIOD_MOST = 1007;
constexpr int IDC_FILE_NAME = 1008;
constexpr int IDC_RECORDS_LOADED = 1009;
constexpr int IDC_RECORDS_SEARCHED = 1010;
constexpr int IDC_RESULT_LIST = 1011;
constexpr int IDC_SEARCH_ASC = 1012;
constexpr int IDC_SEARCH_DESC = 1013;
constexpr int IDC_SPECIFIC = 1014;
constexpr int IDC_CRITERIA_GROUP = 1015;

// Menu commands.
constexpr int ID_FILE_EXIT = 32771;  // handled by the application: closes the main window
constexpr int ID_FILE_LOAD = 32774;
constexpr int ID_FILE_SAVE_CSV = 32775;
constexpr int ID_FILE_SAVE_TXT = 32776;
constexpr int ID_HELP_ABOUT = 32784;
constexpr int ID_HELP = 57670;  // the framework's help command

// System-menu command of the "&About Velmo..." entry. System commands keep
// their four lowest bits for the system's own use, so 16 to 31 all mean it.
constexpr unsigned IDM_ABOUTBOX = 16;
