// SPDX-License-Identifier: GPL-3.0-or-later
// Window resources as plain data: dialog templates, menus, strings, icons and
// the version block. The tables themselves live in res/; the toolkit builds
// windows from them (see Dialog) and looks them up by identifier (see
// resources.h). Every table is static constant data: nothing here owns memory.
#pragma once

namespace tk {

// Standard command identifiers of the dialog manager.
constexpr int kIdOk = 1;       // confirm: Enter with no default button, an "OK" button
constexpr int kIdCancel = 2;   // cancel: Escape, the close box
constexpr int kIdStatic = -1;  // a control without an identifier

enum class ControlKind {
    Edit,        // single-line edit box
    PushButton,  // push button; its click is a command with the control's id
    CheckBox,    // automatic check box; its click is a command with the control's id
    ListView,    // list view in report mode (column headers shown)
    GroupBox,    // frame with a caption
    StaticText,  // label
    Icon,        // icon picture; ControlTemplate::iconId names the icon resource
};

// Control style bits (combine with |).
enum ControlStyle : unsigned {
    kStyleNone = 0,
    kDisabled = 1u << 0,       // created disabled
    kTabStop = 1u << 1,        // reachable with Tab
    kGroup = 1u << 2,          // starts a group
    kBorder = 1u << 3,         // drawn with a border
    kAutoHScroll = 1u << 4,    // edit box scrolls horizontally
    kAlignLeft = 1u << 5,      // text aligned left
    kAlignRight = 1u << 6,     // text aligned right
    kDefaultButton = 1u << 7,  // the default push button (Enter clicks it)
    kNoPrefix = 1u << 8,       // "&" is shown as is, not taken as an access letter
    kReadOnly = 1u << 9,       // edit box that cannot be typed into
};

// Dialog frame style bits.
enum DialogStyle : unsigned {
    kDialogNone = 0,
    kSysMenu = 1u << 0,      // caption with a system menu (close box)
    kMinimizeBox = 1u << 1,  // has a minimise box
    kCentre = 1u << 2,       // centred on the screen when shown
    kAppWindow = 1u << 3,    // listed in the task bar as an application window
};

// One control of a dialog template. Positions and sizes are in dialog units.
struct ControlTemplate {
    int id;            // control identifier, kIdStatic for none
    const char* name;  // identifier's name ("IDC_RA_WEST"), the widget's object name; null for none
    ControlKind kind;
    const char* text;  // caption, or "" for none
    int x, y, cx, cy;  // dialog units
    unsigned style;    // ControlStyle bits
    int iconId = 0;    // ControlKind::Icon only: the icon resource shown
};

// A dialog template: the frame and its controls in template order, which is
// also the tab order.
struct DialogTemplate {
    int id;                // template identifier (100, 102, ...)
    const char* name;      // "IDD_SEARCH_DIALOG"
    const char* title;     // window title
    int cx, cy;            // client size, dialog units
    const char* fontName;  // dialog font as named by the template; the desktop's default UI
                           // font stands in for it
    int fontPoints;        // dialog font size, points
    unsigned style;        // DialogStyle bits
    int menuId;            // menu resource shown above the client area, 0 for none
    const ControlTemplate* controls;
    int controlCount;
};

// A menu: drop-down menus of command items, in order.
struct MenuItem {
    const char* text;  // "&Load Data..."; "&" marks the access letter
    int id;            // command identifier
    const char* name;  // command's name ("ID_FILE_LOAD"), the action's object name
};

struct MenuPopup {
    const char* text;  // "&File"
    const MenuItem* items;
    int itemCount;
};

struct MenuTemplate {
    int id;            // menu resource identifier (129)
    const char* name;  // "IDR_MAIN_MENU"
    const MenuPopup* popups;
    int popupCount;
};

struct StringResource {
    int id;
    const char* text;
};

// An icon picture in XPM form (a C array of strings: header, colours, rows).
struct IconResource {
    int id;
    const char* const* xpm;
};

struct VersionResource {
    const char* fileVersion;     // "1.0.0.1"
    const char* productVersion;  // "1.0.0.1"
    const char* productName;
    const char* fileDescription;
    const char* copyright;
};

// Every resource of a program.
struct ResourceSet {
    const DialogTemplate* const* dialogs;
    int dialogCount;
    const MenuTemplate* const* menus;
    int menuCount;
    const StringResource* strings;
    int stringCount;
    const IconResource* icons;
    int iconCount;
    const VersionResource* version;
};

// The program's resources. Declared here, defined by the program's resource
// library (res/), the way a resource script is compiled into a program.
const ResourceSet& ProgramResources();

}  // namespace tk
