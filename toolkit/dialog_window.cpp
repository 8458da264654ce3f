// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/dialog_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTreeView>
#include <QVBoxLayout>

#include "toolkit/resources.h"
#include "toolkit/row_table_model.h"
#include "toolkit/text_bytes.h"

namespace tk {
namespace {

QString Text(const char* text) { return TextFromBytes(text != nullptr ? text : ""); }

// "&" marks an access letter and "&&" stands for "&"; the text as shown.
QString WithoutAccessMarks(const QString& text) {
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size()) ++i;
        shown.append(text[i]);
    }
    return shown;
}

bool HasAccessLetter(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&') continue;
        if (text[i + 1] != u'&') return true;
        ++i;
    }
    return false;
}

Qt::Alignment HorizontalAlignment(unsigned style) {
    return (style & kAlignRight) != 0 ? Qt::AlignRight : Qt::AlignLeft;
}

bool TakesFocus(ControlKind kind) {
    switch (kind) {
        case ControlKind::Edit:
        case ControlKind::PushButton:
        case ControlKind::CheckBox:
        case ControlKind::ListView:
            return true;
        default:
            return false;
    }
}

}  // namespace

DialogWindow::DialogWindow(Dialog& dialog, const DialogTemplate& dialogTemplate, QWidget* parent)
    : QDialog(parent), dialog_(dialog) {
    const unsigned style = dialogTemplate.style;
    Qt::WindowFlags flags = ((style & kAppWindow) != 0 ? Qt::Window : Qt::Dialog) |
                            Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if ((style & kSysMenu) != 0) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if ((style & kMinimizeBox) != 0) flags |= Qt::WindowMinimizeButtonHint;
    setWindowFlags(flags);
    setWindowTitle(Text(dialogTemplate.title));
    if (dialogTemplate.name != nullptr) setObjectName(QString::fromLatin1(dialogTemplate.name));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    if (dialogTemplate.menuId != 0) {
        if (const MenuTemplate* menu = FindMenuTemplate(dialogTemplate.menuId)) BuildMenu(*menu);
    }
    client_ = new QWidget(this);
    layout->addWidget(client_);
    BuildControls(dialogTemplate);
}

void DialogWindow::BuildMenu(const MenuTemplate& menu) {
    auto* bar = new QMenuBar(this);
    bar->setNativeMenuBar(false);
    if (menu.name != nullptr) bar->setObjectName(QString::fromLatin1(menu.name));
    for (int p = 0; p < menu.popupCount; ++p) {
        const MenuPopup& popup = menu.popups[p];
        QMenu* dropDown = bar->addMenu(Text(popup.text));
        for (int i = 0; i < popup.itemCount; ++i) {
            const MenuItem& item = popup.items[i];
            QAction* action = dropDown->addAction(Text(item.text));
            if (item.name != nullptr) action->setObjectName(QString::fromLatin1(item.name));
            const int id = item.id;
            connect(action, &QAction::triggered, this, [this, id] { dialog_.Dispatch(id); });
        }
    }
    static_cast<QVBoxLayout*>(layout())->setMenuBar(bar);
}

void DialogWindow::BuildControls(const DialogTemplate& dialogTemplate) {
    const DialogBaseUnits base = BaseUnitsOfFont(QApplication::font());
    client_->setFixedSize(DialogUnitsToPixelsX(dialogTemplate.cx, base),
                          DialogUnitsToPixelsY(dialogTemplate.cy, base));

    QWidget* previousInTabOrder = nullptr;
    for (int i = 0; i < dialogTemplate.controlCount; ++i) {
        const ControlTemplate& source = dialogTemplate.controls[i];
        QWidget* widget = CreateControl(source);
        if (source.kind != ControlKind::Icon) {
            widget->setGeometry(
                DialogUnitsToPixelsX(source.x, base), DialogUnitsToPixelsY(source.y, base),
                DialogUnitsToPixelsX(source.cx, base), DialogUnitsToPixelsY(source.cy, base));
        } else {
            // An icon control takes the size of its icon.
            widget->setGeometry(DialogUnitsToPixelsX(source.x, base),
                                DialogUnitsToPixelsY(source.y, base), SystemIconWidth(),
                                SystemIconHeight());
        }
        if (source.name != nullptr) widget->setObjectName(QString::fromLatin1(source.name));
        widget->setEnabled((source.style & kDisabled) == 0);
        if (TakesFocus(source.kind)) {
            widget->setFocusPolicy((source.style & kTabStop) != 0 ? Qt::StrongFocus
                                                                  : Qt::ClickFocus);
            if (previousInTabOrder != nullptr) setTabOrder(previousInTabOrder, widget);
            previousInTabOrder = widget;
        } else {
            widget->setFocusPolicy(Qt::NoFocus);
        }
        widget->lower();  // later controls lie under earlier ones
        controls_.push_back(Entry{&source, widget});
    }

    // A label's access letter moves the focus to the next control that can
    // take it; without one, the marks are dropped from the text shown.
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        auto* label = qobject_cast<QLabel*>(controls_[i].widget);
        if (label == nullptr || controls_[i].source->kind != ControlKind::StaticText) continue;
        if ((controls_[i].source->style & kNoPrefix) != 0 || !HasAccessLetter(label->text())) {
            continue;
        }
        QWidget* buddy = nullptr;
        for (std::size_t j = i + 1; j < controls_.size() && buddy == nullptr; ++j) {
            if (controls_[j].widget->focusPolicy() != Qt::NoFocus) buddy = controls_[j].widget;
        }
        if (buddy != nullptr) {
            label->setBuddy(buddy);
        } else {
            label->setText(WithoutAccessMarks(label->text()));
        }
    }
}

QWidget* DialogWindow::CreateControl(const ControlTemplate& source) {
    const unsigned style = source.style;
    switch (source.kind) {
        case ControlKind::Edit: {
            auto* edit = new QLineEdit(Text(source.text), client_);
            edit->setFrame((style & kBorder) != 0);
            edit->setReadOnly((style & kReadOnly) != 0);
            edit->setAlignment(HorizontalAlignment(style) | Qt::AlignVCenter);
            return edit;
        }
        case ControlKind::PushButton: {
            auto* button = new QPushButton(Text(source.text), client_);
            const bool isDefault = (style & kDefaultButton) != 0;
            // Enter is handled by the window (keyPressEvent); only the
            // default button draws itself as such.
            button->setAutoDefault(isDefault);
            button->setDefault(isDefault);
            if (isDefault && defaultButton_ == nullptr) defaultButton_ = button;
            ConnectCommand(button, source.id);
            return button;
        }
        case ControlKind::CheckBox: {
            auto* box = new QCheckBox(Text(source.text), client_);
            ConnectCommand(box, source.id);
            return box;
        }
        case ControlKind::ListView:
            return CreateReportView(client_, (style & kBorder) != 0);
        case ControlKind::GroupBox: {
            auto* group = new QGroupBox(WithoutAccessMarks(Text(source.text)), client_);
            group->setAttribute(Qt::WA_TransparentForMouseEvents);
            return group;
        }
        case ControlKind::Icon: {
            auto* picture = new QLabel(client_);
            const Icon icon = LoadIcon(source.iconId);
            if (!icon.IsNull()) {
                picture->setPixmap(icon.Qt().pixmap(SystemIconWidth(), SystemIconHeight()));
            }
            return picture;
        }
        case ControlKind::StaticText:
            break;
    }
    auto* label = new QLabel(Text(source.text), client_);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(HorizontalAlignment(style) | Qt::AlignTop);
    return label;
}

void DialogWindow::ConnectCommand(QWidget* widget, int id) {
    if (id == kIdStatic) return;
    connect(static_cast<QAbstractButton*>(widget), &QAbstractButton::clicked, this,
            [this, id] { dialog_.Dispatch(id); });
}

QWidget* DialogWindow::Control(int id) const {
    if (id == kIdStatic) return nullptr;
    for (const Entry& entry : controls_) {
        if (entry.source->id == id) return entry.widget;
    }
    return nullptr;
}

void DialogWindow::FocusFirstTabStop() {
    for (const Entry& entry : controls_) {
        QWidget* widget = entry.widget;
        if ((widget->focusPolicy() & Qt::TabFocus) == 0 || !widget->isEnabled()) continue;
        widget->setFocus(Qt::TabFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(widget)) edit->selectAll();
        return;
    }
}

void DialogWindow::CentreOnScreen() {
    adjustSize();
    QScreen* screen = parentWidget() != nullptr ? parentWidget()->screen() : this->screen();
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

void DialogWindow::DefaultPaint() {
    if (paintEvent_ != nullptr) QDialog::paintEvent(paintEvent_);
}

void DialogWindow::accept() { dialog_.Dispatch(kIdOk); }

void DialogWindow::reject() { dialog_.Dispatch(kIdCancel); }

void DialogWindow::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::NoModifier) {
        switch (event->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter: {
                auto* focused = qobject_cast<QPushButton*>(focusWidget());
                if (focused != nullptr && focused->isEnabled() && client_->isAncestorOf(focused)) {
                    focused->click();
                } else if (defaultButton_ != nullptr) {
                    if (defaultButton_->isEnabled()) defaultButton_->click();
                } else {
                    dialog_.Dispatch(kIdOk);
                }
                return;
            }
            case Qt::Key_Escape:
                dialog_.Dispatch(kIdCancel);
                return;
            default:
                break;
        }
    }
    QDialog::keyPressEvent(event);
}

void DialogWindow::paintEvent(QPaintEvent* event) {
    paintEvent_ = event;
    dialog_.OnPaint();
    paintEvent_ = nullptr;
}

}  // namespace tk
