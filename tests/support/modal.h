// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers for tests that drive real windows on the offscreen platform and
// must answer modal dialogs and message boxes the way a person would.
//
// A modal run blocks the test's thread inside its own event loop, so the
// answer is scheduled beforehand: WhenModal polls from a timer until a new
// modal widget is active, then runs the answer on it.
#pragma once

#include <functional>
#include <string>

class QWidget;

namespace tktest {

// Schedules `answer` to run on the next active modal widget that appears
// (polling every few milliseconds, for at most `timeoutMs`). If none appears
// in time, the scheduled answer records a failure (ADD_FAILURE) and does
// nothing. Several answers may be queued; they run in order, one per modal.
void WhenModal(std::function<void(QWidget* modal)> answer, int timeoutMs = 5000);

// Blocks until every queued answer has run or timed out.
void WaitForAnswers(int timeoutMs = 5000);

// Message boxes: their text, and the press of their OK button.
std::string MessageBoxText(QWidget* modal);
void PressOk(QWidget* modal);

// Answers a message box: records its text into *text (when not null) and
// presses OK.
void AnswerMessageBox(std::string* text = nullptr);

// File dialogs: types `name` into the file-name box and presses Enter, or
// cancels. A name must end the dialog unless `mayStayOpen` (a question
// answered "No" goes back to it); a pattern or a folder never does.
void TypeFileName(QWidget* fileDialog, const std::string& name, bool mayStayOpen = false);
void CancelDialog(QWidget* modal);

// Answers a Yes/No question box (such as "replace the file?"): records its
// text into *text (when not null) and presses Yes or No.
void AnswerQuestion(bool yes, std::string* text = nullptr);

// Starts watching for modal windows that no queued answer will take: such a
// window fails the running test at once, with its text in the failure, and
// is closed so that the test goes on instead of hanging. Call once the
// QApplication exists; later calls do nothing.
void WatchUnexpectedModals();

// The top-level windows still shown (to check that nothing is left over).
int VisibleTopLevelCount();

}  // namespace tktest
