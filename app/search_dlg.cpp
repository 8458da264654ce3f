// SPDX-License-Identifier: GPL-3.0-or-later
// CSearchDlg: construction, transfers, initialisation, command routing, the
// "Specific?" box, the About box and the minimised window. The load, search
// and save commands are in search_dlg_commands.cpp.
#include "app/search_dlg.h"

#include <QDialog>  // Window(): its font, and a QWidget for PaintContext

#include "app/about_dlg.h"
#include "app/minimised_icon.h"
#include "catalog/criteria.h"
#include "catalog/result_columns.h"
#include "res/resource.h"
#include "toolkit/data_exchange.h"
#include "toolkit/resources.h"

namespace {

// Average character width, in pixels, of the font the window was laid out
// with ("MS Shell Dlg", 8 points, at 96 dots per inch).
constexpr int kTemplateCharWidth = 6;

}  // namespace

CSearchDlg::CSearchDlg(tk::Dialog* parent)
    : tk::Dialog(IDD_SEARCH_DIALOG, parent),
      m_hIcon(tk::LoadIcon(IDR_MAINFRAME)),
      m_raWest(velmo::kDefaultCriteria.raWest),
      m_raEast(velmo::kDefaultCriteria.raEast),
      m_decSouth(velmo::kDefaultCriteria.decSouth),
      m_decNorth(velmo::kDefaultCriteria.decNorth),
      m_maxMag(velmo::kDefaultCriteria.maxMag),
      m_minMag(velmo::kDefaultCriteria.minMag),
      m_periodLeast(velmo::kDefaultCriteria.periodLeast),
      m_periodMost(velmo::kDefaultCriteria.periodMost),
      m_specific(1),
      m_recordsLoaded(0),
      m_recordsSearched(0) {}

CSearchDlg::~CSearchDlg() = default;

bool CSearchDlg::TransferData(bool toMembers) {
    using velmo::kDecDegreesRange, velmo::kMagnitudeRange, velmo::kPeriodDaysRange,
        velmo::kRaHoursRange;
    const auto int16 = [](int value) { return static_cast<std::int16_t>(value); };
    tk::DataExchange dx(*this, toMembers);
    dx.Int16(IDC_RA_WEST, m_raWest, int16(kRaHoursRange.low), int16(kRaHoursRange.high));
    dx.Int16(IDC_RA_EAST, m_raEast, int16(kRaHoursRange.low), int16(kRaHoursRange.high));
    dx.Int16(IDC_DEC_SOUTH, m_decSouth, int16(kDecDegreesRange.low), int16(kDecDegreesRange.high));
    dx.Int16(IDC_DEC_NORTH, m_decNorth, int16(kDecDegreesRange.low), int16(kDecDegreesRange.high));
    dx.Float(IDC_MAG_MAX, m_maxMag, kMagnitudeRange.low, kMagnitudeRange.high);
    dx.Float(IDC_MAG_MIN, m_minMag, kMagnitudeRange.low, kMagnitudeRange.high);
    dx.Double(IDC_PERIOD_LEAST, m_periodLeast, kPeriodDaysRange.low, kPeriodDaysRange.high);
    dx.Double(IDC_PERIOD_MOST, m_periodMost, kPeriodDaysRange.low, kPeriodDaysRange.high);
    dx.Bind(IDC_RA_WEST, m_raWestEdit);
    dx.Bind(IDC_RA_EAST, m_raEastEdit);
    dx.Bind(IDC_DEC_SOUTH, m_decSouthEdit);
    dx.Bind(IDC_DEC_NORTH, m_decNorthEdit);
    dx.Bind(IDC_MAG_MAX, m_maxMagEdit);
    dx.Bind(IDC_MAG_MIN, m_minMagEdit);
    dx.Bind(IDC_PERIOD_LEAST, m_periodLeastEdit);
    dx.Bind(IDC_PERIOD_MOST, m_periodMostEdit);
    dx.Bind(IDC_FILE_NAME, m_fileNameEdit);
    dx.Bind(IDC_RESULT_LIST, m_resultList);
    dx.Check(IDC_SPECIFIC, m_specific);
    dx.Bind(IDC_SPECIFIC, m_specificCheck);
    dx.Bind(IDC_SEARCH_ASC, m_searchAscButton);
    dx.Bind(IDC_SEARCH_DESC, m_searchDescButton);
    dx.Text(IDC_FILE_NAME, m_fileName);
    dx.Int32(IDC_RECORDS_LOADED, m_recordsLoaded);
    dx.Int32(IDC_RECORDS_SEARCHED, m_recordsSearched);
    return dx.Ok();
}

bool CSearchDlg::InitWindow() {
    tk::Dialog::InitWindow();  // the members into the controls, binding them

    if (HasSystemMenu()) {
        const std::string aboutMenu = tk::LoadString(IDS_ABOUTBOX);
        if (!aboutMenu.empty()) {
            AppendSystemMenuSeparator();
            AppendSystemMenuItem(IDM_ABOUTBOX, aboutMenu.c_str());
        }
    }

    SetIcon(m_hIcon, true);
    SetIcon(m_hIcon, false);

    // Column widths are pixels at the template font's own metrics (an
    // average character 6 pixels wide); scaled to the font in use, as the
    // dialog units are, the columns keep fitting their texts and the list.
    const int charWidth = tk::BaseUnitsOfFont(Window()->font()).x;
    const auto pixels = [charWidth](int templatePixels) {
        return (templatePixels * charWidth + kTemplateCharWidth / 2) / kTemplateCharWidth;
    };
    for (std::size_t i = 0; i < velmo::kResultColumnCount; ++i) {
        const velmo::ResultColumn& column = velmo::kResultColumns[i];
        m_resultList.InsertColumn(
            static_cast<int>(i), column.heading,
            column.rightAligned ? tk::ListView::Align::Right : tk::ListView::Align::Left,
            pixels(column.listPixels));
    }

    m_specificCheck.SetCheck(1);
    return true;
}

bool CSearchDlg::OnCommand(int id) {
    switch (id) {
        case IDC_SEARCH_ASC:
            OnSearchAscClicked();
            return true;
        case IDC_SEARCH_DESC:
            OnSearchDescClicked();
            return true;
        case IDC_SPECIFIC:
            OnSpecificClicked();
            return true;
        case ID_FILE_LOAD:
            OnFileLoad();
            return true;
        case ID_FILE_SAVE_CSV:
            OnFileSaveCsv();
            return true;
        case ID_FILE_SAVE_TXT:
            OnFileSaveTxt();
            return true;
        case ID_HELP_ABOUT:
            OnHelpAbout();
            return true;
        default:
            return tk::Dialog::OnCommand(id);
    }
}

void CSearchDlg::OnSpecificClicked() {
    // The automatic check box has already toggled; read it from the control.
    const bool specific = m_specificCheck.GetCheck() == 1;
    EnableControl(IDC_MAG_MAX, specific);
    EnableControl(IDC_MAG_MIN, specific);
    EnableControl(IDC_PERIOD_MOST, specific);
    EnableControl(IDC_PERIOD_LEAST, specific);
}

void CSearchDlg::OnHelpAbout() {
    CAboutDlg about;
    about.DoModal();
}

void CSearchDlg::OnSysCommand(unsigned commandId, std::intptr_t param) {
    if ((commandId & 0xFFF0u) == IDM_ABOUTBOX) {
        CAboutDlg about;
        about.DoModal();
    } else {
        DefaultSysCommand(commandId, param);
    }
}

void CSearchDlg::OnPaint() {
    if (!IsIconic()) {
        tk::Dialog::OnPaint();
        return;
    }
    tk::PaintContext dc(Window());
    dc.EraseIconBackground();
    const int cxIcon = tk::SystemIconWidth();
    const int cyIcon = tk::SystemIconHeight();
    const tk::Rect rect = GetClientRect();
    const int x = CentredIconOffset(rect.right - rect.left, cxIcon);
    const int y = CentredIconOffset(rect.bottom - rect.top, cyIcon);
    dc.DrawIcon(x, y, m_hIcon);
}

const tk::Icon& CSearchDlg::OnQueryDragIcon() const { return m_hIcon; }

void CSearchDlg::EnableGroup(bool enable) {
    tk::Control* const group[] = {
        &m_raWestEdit,      &m_raEastEdit,       &m_decSouthEdit,   &m_decNorthEdit,
        &m_maxMagEdit,      &m_minMagEdit,       &m_periodMostEdit, &m_periodLeastEdit,
        &m_searchAscButton, &m_searchDescButton, &m_specificCheck,
    };
    for (tk::Control* control : group) control->EnableWindow(enable);
}
