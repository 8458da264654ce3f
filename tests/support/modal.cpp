// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/modal.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QDeadlineTimer>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <deque>
#include <vector>

namespace tktest {
namespace {

constexpr int kPollMs = 10;

struct Pending {
    std::function<void(QWidget*)> answer;
    QPointer<QWidget> activeWhenQueued;  // not the one to answer: it was already there
    QDeadlineTimer deadline;
};

std::deque<Pending>& Queue() {
    static std::deque<Pending> queue;
    return queue;
}

// Modal widgets already answered: a later answer waits for another one.
std::vector<QPointer<QWidget>>& Answered() {
    static std::vector<QPointer<QWidget>> answered;
    return answered;
}

bool pollScheduled = false;
int runningAnswers = 0;  // answers on the stack (an answer may open a nested modal loop)

bool WasAnswered(QWidget* widget) {
    for (const QPointer<QWidget>& done : Answered()) {
        if (done == widget) return true;
    }
    return false;
}

void Poll();

// Each poll is a fresh single-shot timer: a timer whose handler is still
// running (an answer that opened a nested modal loop) would not fire again.
void SchedulePoll() {
    if (pollScheduled || Queue().empty()) return;
    pollScheduled = true;
    QTimer::singleShot(kPollMs, qApp, &Poll);
}

void Poll() {
    pollScheduled = false;
    if (Queue().empty()) return;
    Pending& next = Queue().front();
    QWidget* modal = QApplication::activeModalWidget();
    const bool fresh = modal != nullptr && modal->isVisible() &&
                       modal != next.activeWhenQueued.data() && !WasAnswered(modal);
    if (fresh) {
        std::function<void(QWidget*)> answer = std::move(next.answer);
        Queue().pop_front();
        Answered().erase(std::remove(Answered().begin(), Answered().end(), nullptr),
                         Answered().end());
        Answered().emplace_back(modal);
        SchedulePoll();  // before answering: the answer may open a nested modal loop
        ++runningAnswers;
        answer(modal);
        --runningAnswers;
        return;
    }
    if (next.deadline.hasExpired()) {
        Queue().pop_front();
        ADD_FAILURE() << "no new modal window appeared for a queued answer";
    }
    SchedulePoll();
}

QLineEdit* FileNameBox(QWidget* fileDialog) {
    if (auto* box = fileDialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) return box;
    return fileDialog->findChild<QLineEdit*>();
}

void HideCompletion(QLineEdit* box) {
    if (box->completer() != nullptr && box->completer()->popup() != nullptr) {
        box->completer()->popup()->hide();
    }
}

// What a modal window says, for a failure message: a message box's text,
// else its kind, its title and the texts of its labels.
std::string Describe(QWidget* modal) {
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        return "message box \"" + box->text().toStdString() + "\"";
    }
    std::string text = std::string(modal->metaObject()->className()) + " \"" +
                       modal->windowTitle().toStdString() + "\"";
    for (const QLabel* label : modal->findChildren<QLabel*>()) {
        if (!label->text().isEmpty()) text += " \"" + label->text().toStdString() + "\"";
    }
    return text;
}

// Closes a modal window the way its close box does, or hides it when it
// refuses, so that the code waiting on it goes on.
void ForceClose(QWidget* modal) {
    const QPointer<QWidget> window(modal);
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        dialog->reject();
    } else {
        modal->close();
    }
    if (window != nullptr && window->isVisible()) {
        if (auto* dialog = qobject_cast<QDialog*>(window.data())) {
            dialog->done(QDialog::Rejected);
        } else {
            window->hide();
        }
    }
}

// A modal window that nothing will answer: none queued for it, and either
// never answered, or answered and still open after its answer returned.
// Seen on two ticks in a row (a queued answer polls far more often), it
// fails the running test with the window's text and is closed.
constexpr int kWatchMs = 100;
QPointer<QWidget> suspect;

void WatchTick() {
    QWidget* modal = QApplication::activeModalWidget();
    const bool stuck = modal != nullptr && modal->isVisible() && Queue().empty() &&
                       (!WasAnswered(modal) || runningAnswers == 0);
    if (!stuck) {
        suspect = nullptr;
        return;
    }
    if (suspect != modal) {
        suspect = modal;
        return;
    }
    suspect = nullptr;
    ADD_FAILURE() << (WasAnswered(modal) ? "a modal window stayed open after its answer: "
                                         : "an unexpected modal window appeared: ")
                  << Describe(modal);
    ForceClose(modal);
}

}  // namespace

void WatchUnexpectedModals() {
    static QTimer* watch = nullptr;
    if (watch != nullptr) return;
    watch = new QTimer(qApp);
    QObject::connect(watch, &QTimer::timeout, &WatchTick);
    watch->start(kWatchMs);
}

void WhenModal(std::function<void(QWidget* modal)> answer, int timeoutMs) {
    Queue().push_back(
        Pending{std::move(answer), QApplication::activeModalWidget(), QDeadlineTimer(timeoutMs)});
    SchedulePoll();
}

void WaitForAnswers(int timeoutMs) {
    const bool done = QTest::qWaitFor([] { return Queue().empty(); }, timeoutMs);
    if (!done) {
        ADD_FAILURE() << Queue().size() << " queued answer(s) never ran";
        Queue().clear();
    }
}

std::string MessageBoxText(QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box == nullptr) {
        ADD_FAILURE() << "the modal window is not a message box";
        return std::string();
    }
    return box->text().toStdString();
}

void PressOk(QWidget* modal) {
    QAbstractButton* ok = nullptr;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) ok = box->button(QMessageBox::Ok);
    if (ok == nullptr) {
        for (auto* buttons : modal->findChildren<QDialogButtonBox*>()) {
            if ((ok = buttons->button(QDialogButtonBox::Ok)) != nullptr) break;
        }
    }
    if (ok == nullptr) {
        for (auto* button : modal->findChildren<QPushButton*>()) {
            QString text = button->text();
            text.remove(u'&');
            if (text == QLatin1String("OK")) {
                ok = button;
                break;
            }
        }
    }
    if (ok == nullptr) {
        ADD_FAILURE() << "no OK button in the modal window";
        return;
    }
    QTest::mouseClick(ok, Qt::LeftButton);
}

void AnswerMessageBox(std::string* text) {
    WhenModal([text](QWidget* modal) {
        const std::string shown = MessageBoxText(modal);
        if (text != nullptr) *text = shown;
        PressOk(modal);
    });
}

void TypeFileName(QWidget* fileDialog, const std::string& name, bool mayStayOpen) {
    QLineEdit* box = FileNameBox(fileDialog);
    if (box == nullptr) {
        ADD_FAILURE() << "no file-name box in the modal window";
        return;
    }
    // Typing goes to the box that has the focus in the active window; the
    // dialog also reads the box differently while it lacks the focus (it
    // puts the name of a file it finds in the listing there).
    fileDialog->activateWindow();
    if (!QTest::qWaitForWindowActive(fileDialog))
        ADD_FAILURE() << "the file dialog never became active";
    box->setFocus(Qt::OtherFocusReason);
    box->clear();
    QTest::keyClicks(box, QString::fromStdString(name));
    // The completion list may be open over the box; a person would close it
    // before confirming.
    HideCompletion(box);
    const QPointer<QFileDialog> files(qobject_cast<QFileDialog*>(fileDialog));
    QTest::keyClick(box, Qt::Key_Return);

    // A name (not a pattern, not a folder to open) must end the dialog; if it
    // did not, say so and cancel rather than leave the test waiting forever.
    if (files == nullptr || !files->isVisible() || mayStayOpen) return;
    const QString typed = QString::fromStdString(name);
    const bool staysOpen = typed.contains(u'*') || typed.contains(u'?') ||
                           QFileInfo(files->directory(), typed).isDir();
    if (!staysOpen) {
        ADD_FAILURE() << "the file dialog did not take \"" << name << "\" (its box shows \""
                      << box->text().toStdString() << "\")";
        files->reject();
    }
}

void AnswerQuestion(bool yes, std::string* text) {
    WhenModal([yes, text](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box == nullptr) {
            ADD_FAILURE() << "the modal window is not a question: " << Describe(modal);
            return;
        }
        if (text != nullptr) *text = box->text().toStdString();
        QAbstractButton* button = box->button(yes ? QMessageBox::Yes : QMessageBox::No);
        if (button == nullptr) {
            ADD_FAILURE() << "the question has no " << (yes ? "Yes" : "No") << " button";
            box->reject();
            return;
        }
        QTest::mouseClick(button, Qt::LeftButton);
    });
}

void CancelDialog(QWidget* modal) {
    const QPointer<QWidget> window(modal);
    QTest::keyClick(modal, Qt::Key_Escape);
    if (window != nullptr && window->isVisible()) {
        if (auto* dialog = qobject_cast<QDialog*>(window.data())) dialog->reject();
    }
}

int VisibleTopLevelCount() {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        const Qt::WindowType type = widget->windowType();
        if (!widget->isVisible() || type == Qt::Popup || type == Qt::ToolTip ||
            type == Qt::Desktop) {
            continue;
        }
        ++count;
    }
    return count;
}

}  // namespace tktest
