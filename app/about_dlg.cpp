#include "app/about_dlg.h"

#include "res/resource.h"

CAboutDlg::CAboutDlg() : tk::Dialog(IDD_ABOUTBOX) {}
