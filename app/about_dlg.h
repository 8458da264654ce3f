// SPDX-License-Identifier: GPL-3.0-or-later
// CAboutDlg: the About box, from template IDD_ABOUTBOX. No data, no handlers
// of its own; OK, Enter, Escape and the close box end it.
#pragma once

#include "toolkit/dialog.h"

class CAboutDlg : public tk::Dialog {
  public:
    CAboutDlg();
};
