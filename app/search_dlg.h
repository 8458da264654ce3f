// SPDX-License-Identifier: GPL-3.0-or-later
// CSearchDlg: the search window, Velmo's one main window. A modal dialog
// built from template IDD_SEARCH_DIALOG that owns the program's catalogue
// (m_catalog) for its whole life: it moves the criteria between its boxes and
// its members (TransferData), loads catalogues, runs searches into the result
// list and saves the results.
//
// Handlers and transfers are public so that tests can drive them on a running
// window, as its menu and buttons do.
#pragma once

#include <cstdint>
#include <string>

#include "catalog/criteria.h"
#include "catalog/star_catalog.h"
#include "toolkit/controls.h"
#include "toolkit/dialog.h"
#include "toolkit/icon.h"

class ResultRowFormatter;  // catalog/row_text.h

class CSearchDlg : public tk::Dialog {
  public:
    // Creates the window object for template IDD_SEARCH_DIALOG with the
    // initial member values; the window itself appears on DoModal. Needs the
    // Qt application (the icon is loaded here).
    explicit CSearchDlg(tk::Dialog* parent = nullptr);
    ~CSearchDlg() override;

    // ---- Transfers and initialisation ----------------------------------
    // The transfer table. toMembers true: reads and validates every box into
    // its member and returns false at the first refused box (reported with a
    // message box; later members keep their values). toMembers false: writes
    // every member into its control and returns true.
    bool TransferData(bool toMembers) override;
    // Fills the boxes, adds the About entry to the system menu (where there
    // is one), sets the icons, creates the seven list columns and ticks
    // "Specific?". Returns true.
    bool InitWindow() override;

    // ---- Commands ---------------------------------------------------------
    // Routes the buttons, the check box and the window's menu commands to the
    // handlers below; returns false for any other command (which then goes on
    // to the application).
    bool OnCommand(int id) override;
    // "&Load Data...": asks for a catalogue and loads it; enables the
    // criteria on success, else disables them and shows a message. Running
    // out of memory while loading counts as a failed load: nothing stays
    // loaded and "Data File Error!" is shown.
    void OnFileLoad();
    // "Search Asc." / "Search Desc.": FillResultList in catalogue / reverse order.
    void OnSearchAscClicked();
    void OnSearchDescClicked();
    // "Save &CSV..." / "Save &TXT...": asks for a file name (and, for a file
    // that exists, whether to replace it) and saves the current results; the
    // format follows the chosen name's extension. Running out of memory is
    // reported with its own message.
    void OnFileSaveCsv();
    void OnFileSaveTxt();
    // Enter: runs "Search Asc." exactly as its click does while it is
    // enabled, and does nothing otherwise; it never ends the window.
    // (Escape and the close box still do.)
    void OnOk() override;
    // "Specific?" clicked: enables the magnitude and period boxes when it is
    // ticked, disables them otherwise. m_specific changes only at the next
    // transfer to the members.
    void OnSpecificClicked();
    // "&About Velmo": runs the About box.
    void OnHelpAbout();
    // System commands: 16 to 31 (IDM_ABOUTBOX with its low bits) open the
    // About box; any other goes to the default processing.
    void OnSysCommand(unsigned commandId, std::intptr_t param) override;
    // Draws the icon centred when the window is minimised (where the desktop
    // leaves that to the program); otherwise paints as usual.
    void OnPaint() override;
    // The picture shown while the minimised window is dragged.
    const tk::Icon& OnQueryDragIcon() const;

    // ---- Shared by the commands -------------------------------------------
    // Runs the open (openDialog true) or save file dialog with the given
    // default extension, initial name and filter ("Description|pattern|...||"),
    // then loads the chosen file or saves to it (CSV exactly when its
    // extension is "csv"). Returns -99 when the dialog was not confirmed,
    // else the result of Load, SaveCsv or SaveText. After a confirmed open
    // dialog m_fileName holds the chosen name without its folder.
    // std::bad_alloc from the catalogue passes through to the caller (the
    // catalogue is then consistent: after Load, nothing is loaded).
    std::int32_t RunFileDialog(bool openDialog, const char* defaultExtension,
                               const char* initialFileName, const char* filterText);
    // Transfers the boxes to the members and checks the two pairs (South not
    // above North; with "Specific?" ticked, Least not above Most). A refused
    // box or pair is reported, the focus goes to its box with the whole text
    // selected, and the command ends there: no search, and the list, the
    // counts, the catalogue's criteria and every box's text stay as they were.
    // Otherwise pushes the criteria into the catalogue (each pair whole),
    // searches, and lists one row per match: from the first match to the last
    // when `ascending`, else from the last to the first. Running out of memory
    // leaves the list empty, shows the number of results the catalogue holds
    // and reports it.
    void FillResultList(bool ascending);

    // ---- Dialog data, in declaration order ----------------------------------
    tk::Icon m_hIcon;                // icon IDR_MAINFRAME
    StarCatalog m_catalog;           // the program's one catalogue
    std::int16_t m_raWest;           // hours, box IDC_RA_WEST, 0..23
    std::int16_t m_raEast;           // hours, box IDC_RA_EAST, 0..23
    std::int16_t m_decSouth;         // degrees, box IDC_DEC_SOUTH, -90..90
    std::int16_t m_decNorth;         // degrees, box IDC_DEC_NORTH, -90..90
    float m_maxMag;                  // mag, box IDC_MAG_MAX ("Max >"), 0..99
    float m_minMag;                  // mag, box IDC_MAG_MIN ("Min <"), 0..99
    double m_periodLeast;            // days, box IDC_PERIOD_LEAST, 0..100000
    double m_periodMost;             // days, box IDC_PERIOD_MOST, 0..100000
    int m_specific;                  // "Specific?" as last read: 1 ticked, 0 clear
    std::int32_t m_recordsLoaded;    // box IDC_RECORDS_LOADED
    std::int32_t m_recordsSearched;  // box IDC_RECORDS_SEARCHED
    std::string m_fileName;          // box IDC_FILE_NAME: loaded file's name, no folder

    // Control objects, bound by the first transfer.
    tk::Edit m_fileNameEdit;
    tk::ListView m_resultList;
    tk::Edit m_raWestEdit;
    tk::Edit m_raEastEdit;
    tk::Edit m_decSouthEdit;
    tk::Edit m_decNorthEdit;
    tk::Edit m_maxMagEdit;
    tk::Edit m_minMagEdit;
    tk::Edit m_periodMostEdit;
    tk::Edit m_periodLeastEdit;
    tk::Button m_searchAscButton;
    tk::Button m_searchDescButton;
    tk::Button m_specificCheck;

  private:
    // Enables or disables the enable group: the eleven controls from
    // m_raWestEdit to m_specificCheck, in declaration order.
    void EnableGroup(bool enable);
    // False, after reporting it, when a pair of bounds is inverted or the
    // longest period is 0 (velmo::FirstCriteriaFault).
    bool CheckCriteriaPairs();
    // Shows `message`, then gives `box` the focus with its whole text selected.
    void RefuseBox(tk::Edit& box, const char* message);
    // FillResultList's steps: one row per result from the first to the last
    // (`ascending`) or back; the row of `record` at `index`; after running
    // out of memory, the list emptied, the count of what the catalogue holds
    // shown, and the message.
    void ListResults(bool ascending);
    void AddResultRow(int index, const StarRecord& record, ResultRowFormatter& format);
    void ReportListOutOfMemory();
    // The eight criteria members as one value.
    velmo::Criteria MemberCriteria() const;
    // The criteria members into the catalogue (velmo::SetCriteria).
    void PushCriteria();
    // A save command: the save dialog with these parameters, then a message
    // when nothing was saved or memory ran out.
    void SaveCommand(const char* defaultExtension, const char* initialFileName,
                     const char* filterText);
};
