// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/about_dlg.h"

#include "res/resource.h"

CAboutDlg::CAboutDlg() : tk::Dialog(IDD_ABOUTBOX) {}
