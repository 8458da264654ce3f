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
// cancels.
void TypeFileName(QWidget* fileDialog, const std::string& name);
void CancelDialog(QWidget* modal);

// The top-level windows still shown (to check that nothing is left over).
int VisibleTopLevelCount();

} // namespace tktest
