// CSearchDlg's commands: load a catalogue, search and list the results in
// either order, save them as CSV or as catalogue lines.
#include <string>

#include "app/busy_cursor.h"
#include "row_text.h"
#include "app/search_dlg.h"
#include "res/resource.h"
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
    const std::int32_t n = RunFileDialog(true, "txt", "*.txt", kTextFilter);
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
    // A refused box has been reported by the transfer; the search goes on
    // with the members as the transfer left them.
    TransferData(true);

    m_catalog.SetRaWest(m_raWest);
    m_catalog.SetRaEast(m_raEast);
    m_catalog.SetDecSouth(m_decSouth);
    m_catalog.SetDecNorth(m_decNorth);
    m_catalog.SetMinMagLimit(m_minMag);
    m_catalog.SetMaxMagLimit(m_maxMag);
    m_catalog.SetPeriodLeast(m_periodLeast);
    m_catalog.SetPeriodMost(m_periodMost);

    {
        BusyCursor busy;
        m_recordsSearched = m_catalog.Search(m_specific == 1);
        m_resultList.DeleteAllItems();

        // -1: nothing loaded. The cursor would then report neither end, so
        // there is nothing to walk.
        if (m_recordsSearched >= 0) {
            if (ascending) {
                m_catalog.MoveFirst();
            } else {
                m_catalog.MoveLast();
            }
            ResultRowFormatter format;
            int rowCount = 0;
            while (ascending ? !m_catalog.IsAtLast() : !m_catalog.IsAtFirst()) {
                const int row = m_resultList.InsertItem(
                    rowCount, format.Ra(m_catalog.CurrentRaHours(), m_catalog.CurrentRaMinutes()));
                ++rowCount;
                m_resultList.SetItemText(row, 1, format.Dec(m_catalog.CurrentDec()));
                m_resultList.SetItemText(row, 2, m_catalog.CurrentName());
                m_resultList.SetItemText(row, 3, m_catalog.CurrentType());
                m_resultList.SetItemText(row, 4, m_catalog.CurrentRange());
                m_resultList.SetItemText(row, 5, format.Period(m_catalog.CurrentPeriod()));
                m_resultList.SetItemText(row, 6, m_catalog.CurrentDescription());
                if (ascending) {
                    m_catalog.MoveNext();
                } else {
                    m_catalog.MovePrev();
                }
            }
        }
    }
    TransferData(false);
}

void CSearchDlg::OnSearchAscClicked() { FillResultList(true); }

void CSearchDlg::OnSearchDescClicked() { FillResultList(false); }

void CSearchDlg::OnFileSaveCsv() {
    if (RunFileDialog(false, "csv", "*.csv", kCsvFilter) <= 0) MessageBox(kNotSavedMessage);
}

void CSearchDlg::OnFileSaveTxt() {
    if (RunFileDialog(false, "txt", "*.txt", kTextFilter) <= 0) MessageBox(kNotSavedMessage);
}
