// SPDX-License-Identifier: GPL-3.0-or-later
// CSearchDlg's commands: load a catalogue, search and list the results in
// either order, save them as CSV or as catalogue lines.
#include <new>
#include <string>

#include "app/busy_cursor.h"
#include "app/search_dlg.h"
#include "criteria.h"
#include "res/resource.h"
#include "result_walk.h"
#include "row_text.h"
#include "toolkit/file_dialog.h"

namespace {

constexpr const char* kTextFilter = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||";
constexpr const char* kCsvFilter = "Comma-Separated Files (*.csv)|*.csv|All Files (*.*)|*.*||";

constexpr std::int32_t kDialogNotConfirmed = -99;

constexpr const char* kLoadFailedMessage = "Data File Error!";
constexpr const char* kNoRecordsMessage =
    "No records loaded! Verify data file contains valid variable star records.";
constexpr const char* kNotSavedMessage =
    "No records saved! Verify data loaded and searched by criteria.";
constexpr const char* kOutOfMemoryMessage = "Not enough memory to complete the command.";

}  // namespace

std::int32_t CSearchDlg::RunFileDialog(bool openDialog, const char* defaultExtension,
                                       const char* initialFileName, const char* filterText) {
    tk::FileDialog dialog(openDialog, defaultExtension, initialFileName,
                          tk::FileDialog::kHideReadOnly, filterText, this);
    std::int32_t result = kDialogNotConfirmed;
    if (dialog.DoModal() != tk::kIdOk) return result;

    const std::string path = dialog.GetPathName();
    {
        BusyCursor busy;
        if (openDialog) {
            result = m_catalog.Load(path.c_str());
        } else if (dialog.GetFileExt() == "csv") {
            result = m_catalog.SaveCsv(path.c_str());
        } else {
            result = m_catalog.SaveText(path.c_str());
        }
    }
    if (openDialog) m_fileName = dialog.GetFileName();
    return result;
}

void CSearchDlg::OnFileLoad() {
    m_resultList.DeleteAllItems();
    std::int32_t n = -1;
    try {
        n = RunFileDialog(true, "txt", "*.txt", kTextFilter);
    } catch (const std::bad_alloc&) {
        n = -1;  // the catalogue has let go of everything: a failed load
    }
    if (n > 0) {
        EnableGroup(true);
        m_raWestEdit.SetFocus();
        m_raWestEdit.SetSel(0, 2);
        m_recordsLoaded = n;
    } else {
        EnableGroup(false);
        m_recordsLoaded = 0;
        m_fileName.clear();
        MessageBox(n != 0 ? kLoadFailedMessage : kNoRecordsMessage);
    }
    TransferData(false);
    // The transfer rewrites every box, even one whose text it leaves as it
    // was, and a rewrite drops the selection made above: make it again.
    if (n > 0) m_raWestEdit.SetSel(0, 2);
}

void CSearchDlg::FillResultList(bool ascending) {
    // A refused box has been reported and has the focus; the command ends
    // there, so that nothing runs on a value the user was just told about.
    if (!TransferData(true) || !CheckCriteriaPairs()) return;

    PushCriteria();
    try {
        BusyCursor busy;
        m_recordsSearched = m_catalog.Search(m_specific == 1);
        m_resultList.DeleteAllItems();
        // -1: nothing loaded. The cursor would then report neither end, so
        // there is nothing to walk.
        if (m_recordsSearched >= 0) ListResults(ascending);
    } catch (const std::bad_alloc&) {
        ReportListOutOfMemory();
        return;
    }
    TransferData(false);
}

void CSearchDlg::ListResults(bool ascending) {
    ResultRowFormatter format;
    int rowCount = 0;
    velmo::WalkResults(m_catalog, !ascending,
                       [&](const StarRecord& record) { AddResultRow(rowCount++, record, format); });
}

void CSearchDlg::AddResultRow(int index, const StarRecord& record, ResultRowFormatter& format) {
    const int row = m_resultList.InsertItem(index, format.Ra(record.raHours, record.raMinutes));
    m_resultList.SetItemText(row, 1, format.Dec(record.decDegrees));
    m_resultList.SetItemText(row, 2, record.name);
    m_resultList.SetItemText(row, 3, record.type);
    m_resultList.SetItemText(row, 4, record.range);
    m_resultList.SetItemText(row, 5, format.Period(record.period));
    m_resultList.SetItemText(row, 6, record.description);
}

void CSearchDlg::ReportListOutOfMemory() {
    // No half list: the rows go (and their memory with them), and the count
    // shows what the catalogue holds, which is what a save writes.
    m_resultList.DeleteAllItems();
    const ResultNode* last = m_catalog.ResultTail();
    m_recordsSearched = last != nullptr ? last->position : 0;
    TransferData(false);
    MessageBox(kOutOfMemoryMessage);
}

bool CSearchDlg::CheckCriteriaPairs() {
    const velmo::CriteriaFault fault = velmo::FirstCriteriaFault(MemberCriteria(), m_specific == 1);
    switch (fault) {
        case velmo::CriteriaFault::kNone:
            return true;
        case velmo::CriteriaFault::kSouthAboveNorth:
            RefuseBox(m_decSouthEdit, velmo::CriteriaFaultText(fault));
            break;
        case velmo::CriteriaFault::kLeastAboveMost:
            RefuseBox(m_periodLeastEdit, velmo::CriteriaFaultText(fault));
            break;
        case velmo::CriteriaFault::kMostNotAboveZero:
            RefuseBox(m_periodMostEdit, velmo::CriteriaFaultText(fault));
            break;
    }
    return false;
}

void CSearchDlg::RefuseBox(tk::Edit& box, const char* message) {
    MessageBox(message);
    box.SetFocus();
    box.SetSel(0, -1);
}

velmo::Criteria CSearchDlg::MemberCriteria() const {
    return {m_raWest, m_raEast, m_decSouth,    m_decNorth,
            m_maxMag, m_minMag, m_periodLeast, m_periodMost};
}

void CSearchDlg::PushCriteria() {
    velmo::SetCriteria(m_catalog, MemberCriteria(), m_specific == 1);
}

void CSearchDlg::OnSearchAscClicked() { FillResultList(true); }

void CSearchDlg::OnSearchDescClicked() { FillResultList(false); }

void CSearchDlg::OnFileSaveCsv() { SaveCommand("csv", "*.csv", kCsvFilter); }

void CSearchDlg::OnFileSaveTxt() { SaveCommand("txt", "*.txt", kTextFilter); }

void CSearchDlg::SaveCommand(const char* defaultExtension, const char* initialFileName,
                             const char* filterText) {
    std::int32_t n = 0;
    try {
        n = RunFileDialog(false, defaultExtension, initialFileName, filterText);
    } catch (const std::bad_alloc&) {
        MessageBox(kOutOfMemoryMessage);
        return;
    }
    if (n <= 0) MessageBox(kNotSavedMessage);
}

void CSearchDlg::OnOk() {
    // Click() does nothing on a disabled button.
    m_searchAscButton.Click();
}
