// SPDX-License-Identifier: GPL-3.0-or-later
// SearchWindowTest: runs real search windows on the offscreen platform and
// works them as a person would (menu commands, clicks, typing, file dialogs,
// message boxes), with a private folder of real catalogue files.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/search_dlg.h"
#include "tests/support/temp_folder.h"
#include "tests/support/text_files.h"

using tktest::ReadFile;

class QAbstractItemView;

// One fixed-column catalogue line of exactly 75 characters. `position` is
// "hhmm+dd" (7 characters), `range` the 14-character magnitude range,
// `period` the 9-character period field, `description` up to 20 characters.
std::string StarLine(const char* position, const char* name, const char* type, const char* range,
                     const char* period, const char* description);

// The small catalogue most tests load: a title line (skipped) and four stars.
//   0507-05 V0370 And  6.50-8.00 mag, 1.5 d      specific match
//   1200-45 R Cen      5.00-7.00 mag, 300.25 d   specific match
//   1830+00 X Oph      no magnitudes, no period  unspecified match
//   2359+05 T Psc      6.90-9.00 mag, 2000 d     period above the initial 1000
std::string SmallCatalogue();

class SearchWindowTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Runs `dlg` modally, calls `steps` once it is the active modal window,
    // then ends the run. Returns when the window has closed.
    static void RunWindow(CSearchDlg& dlg, const std::function<void()>& steps);
    // Runs `dlg` with SmallCatalogue() loaded through the load dialog
    // (criteria enabled), then calls `steps`.
    void RunLoaded(CSearchDlg& dlg, const std::function<void()>& steps);

    // Files in the test's own folder, which is the current folder while the
    // test runs: the file dialogs open there, so a file is chosen by typing
    // its bare name, and its path is that name.
    std::string PathOf(const std::string& name) const;
    std::string WriteFile(const std::string& name, const std::string& content) const;
    static bool FileExists(const std::string& path);

    // Working the window while it runs.
    static void Menu(CSearchDlg& dlg, const char* commandName);  // "ID_FILE_LOAD", ...
    static void Click(CSearchDlg& dlg, int id);
    static void Type(CSearchDlg& dlg, int id, const std::string& text);  // replaces the text
    static std::string Text(CSearchDlg& dlg, int id);
    static std::string SelectedText(CSearchDlg& dlg, int id);
    static bool HasFocus(CSearchDlg& dlg, int id);
    static bool Enabled(CSearchDlg& dlg, int id);
    static bool Checked(CSearchDlg& dlg, int id);
    static QAbstractItemView* ListView(CSearchDlg& dlg);
    // The list view's rows as its view shows them, seven cells each (after
    // letting the event loop run).
    static std::vector<std::vector<std::string>> Rows(CSearchDlg& dlg);

    // "&Load Data..." with `typedName` typed into the open dialog. Returns the
    // text of the message box that follows, answered with OK, or "" when
    // `expectMessage` is false (a successful load shows none).
    static std::string Load(CSearchDlg& dlg, const std::string& typedName, bool expectMessage);
    // "&Load Data..." cancelled; returns the message shown.
    static std::string CancelLoad(CSearchDlg& dlg);
    // A save command ("ID_FILE_SAVE_CSV" or "ID_FILE_SAVE_TXT") with
    // `typedName` typed into the save dialog, or cancelled when it is empty.
    static std::string Save(CSearchDlg& dlg, const char* commandName, const std::string& typedName,
                            bool expectMessage);
    // Clicks a search button whose transfer is expected to refuse a box;
    // returns the validation message shown.
    static std::string ClickExpectingMessage(CSearchDlg& dlg, int id);

    // The enable group's controls, in order.
    static const std::vector<int>& EnableGroupIds();

    tktest::TempFolder folder_{"velmo-app-test"};
    std::filesystem::path previousFolder_;
};

// Messages of the window's commands.
extern const char* const kDataFileError;
extern const char* const kNoRecordsLoaded;
extern const char* const kNoRecordsSaved;
