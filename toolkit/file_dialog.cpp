// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/file_dialog.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLineEdit>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>
#include <QStringList>
#include <QTreeView>
#include <algorithm>
#include <vector>

#include "toolkit/application.h"
#include "toolkit/dialog.h"
#include "toolkit/text_bytes.h"

namespace tk {
namespace {

bool HasWildcards(const QString& name) { return name.contains(u'*') || name.contains(u'?'); }

// One "|"-ended filter text turned into Qt's name filters. Each filter is
// shown as its description alone (HideNameFilterDetails strips the last
// parenthesised part, which holds Qt's patterns): "Text Files (*.txt)" and
// "*.txt" become "Text Files (*.txt) (*.txt)". Patterns are ";"-separated;
// "*.*", which means every file, becomes "*", since Qt's "*.*" wants a dot.
QStringList NameFilters(const std::string& filterText) {
    std::vector<QString> parts;
    const QString text = TextFromBytes(filterText);
    qsizetype start = 0;
    for (qsizetype bar = text.indexOf(u'|'); bar >= 0; bar = text.indexOf(u'|', start)) {
        parts.push_back(text.mid(start, bar - start));
        start = bar + 1;
    }
    QStringList filters;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        if (description.isEmpty()) break;  // the empty part that ends the list
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(u';', Qt::SkipEmptyParts)) {
            const QString trimmed = pattern.trimmed();
            patterns.append(trimmed == QLatin1String("*.*") ? QStringLiteral("*") : trimmed);
        }
        if (patterns.isEmpty()) patterns.append(QStringLiteral("*"));
        filters.append(description + QStringLiteral(" (") + patterns.join(u' ') + u')');
    }
    return filters;
}

// QFileDialog that takes a name with wildcards ("*.txt") as a pattern that
// filters the listing, the way the common dialog does, instead of as the
// name of the file chosen; and that opens wide enough for the name, size,
// type and date of every entry of its folder to show whole.
class PatternAwareFileDialog : public QFileDialog {
  public:
    explicit PatternAwareFileDialog(QWidget* parent) : QFileDialog(parent) {
        // The listing is read in the background: the columns are fitted
        // again once a folder's entries are all known.
        if (auto* listing = findChild<QFileSystemModel*>()) {
            connect(listing, &QFileSystemModel::directoryLoaded, this, [this] { FitListing(); });
        }
    }

    void accept() override {
        auto* nameBox = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        const QString typed = nameBox != nullptr ? nameBox->text().trimmed() : QString();
        if (HasWildcards(typed)) {
            if (auto* listing = findChild<QFileSystemModel*>()) {
                listing->setNameFilters(typed.split(u' ', Qt::SkipEmptyParts));
            }
            return;
        }
        QFileDialog::accept();
    }

  protected:
    void showEvent(QShowEvent* event) override {
        QFileDialog::showEvent(event);
        if (!event->spontaneous()) FitListing();
    }

  private:
    // Sizes the detail view's four columns to their widest entry and
    // heading, and widens the dialog (never beyond its screen) until they
    // fit side by side. Never narrows it: what the user widened stays.
    void FitListing() {
        auto* view = findChild<QTreeView*>(QStringLiteral("treeView"));
        if (view == nullptr || view->model() == nullptr) return;
        QHeaderView* header = view->header();
        const QAbstractItemView* items = view;  // where sizeHintForColumn is public
        const int columns = std::min(header->count(), 4);
        int wanted = 0;
        for (int column = 0; column < columns; ++column) {
            const int width =
                std::max(items->sizeHintForColumn(column), header->sectionSizeHint(column));
            header->resizeSection(column, width);
            wanted += width;
        }
        const int viewport = view->viewport()->width();
        const int scrollBar = view->verticalScrollBar()->sizeHint().width();
        const int missing = wanted + scrollBar - viewport;
        if (missing <= 0) return;
        int widest = width() + missing;
        if (const QScreen* display = screen()) {
            widest = std::min(widest, display->availableGeometry().width());
        }
        if (widest > width()) resize(widest, height());
    }
};

}  // namespace

FileDialog::FileDialog(bool openKind, const char* defaultExtension, const char* initialFileName,
                       unsigned flags, const char* filterText, Dialog* owner)
    : openKind_(openKind),
      defaultExtension_(defaultExtension != nullptr ? defaultExtension : ""),
      initialFileName_(initialFileName != nullptr ? initialFileName : ""),
      flags_(flags),
      filterText_(filterText != nullptr ? filterText : ""),
      owner_(owner) {}

int FileDialog::DoModal() {
    QWidget* parent = owner_ != nullptr ? owner_->Window() : nullptr;
    if (parent == nullptr && Application::Instance() != nullptr &&
        Application::Instance()->MainWindow() != nullptr) {
        parent = Application::Instance()->MainWindow()->Window();
    }
    PatternAwareFileDialog dialog(parent);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // The save kind asks before replacing a file that exists; the open kind
    // never asks (Qt asks only in save mode).
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    // kHideReadOnly: this dialog has no read-only box to hide.
    (void)flags_;
    dialog.setAcceptMode(openKind_ ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);  // a name that does not exist is taken too
    dialog.setDirectory(QDir::currentPath());

    QString extension = TextFromBytes(defaultExtension_);
    while (extension.startsWith(u'.')) extension.remove(0, 1);
    dialog.setDefaultSuffix(extension);

    const QStringList filters = NameFilters(filterText_);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.front());
    }

    const QString initialName = TextFromBytes(initialFileName_);
    if (HasWildcards(initialName)) {
        // The open kind starts with an empty name box: the filter, chosen
        // above, already limits the listing to the pattern. The save kind
        // shows the pattern in the box; the listing follows the filter.
        auto* nameBox = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (!openKind_ && nameBox != nullptr) nameBox->setText(initialName);
    } else if (!initialName.isEmpty()) {
        dialog.selectFile(initialName);
    }

    path_.clear();
    if (dialog.exec() != QDialog::Accepted) return kIdCancel;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return kIdCancel;
    path_ = QFile::encodeName(QDir::cleanPath(chosen.front())).toStdString();
    return kIdOk;
}

std::string FileDialog::GetPathName() const { return path_; }

std::string FileDialog::GetFileName() const {
    const std::size_t slash = path_.find_last_of('/');
    return slash == std::string::npos ? path_ : path_.substr(slash + 1);
}

std::string FileDialog::GetFileExt() const {
    const std::string name = GetFileName();
    const std::size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

}  // namespace tk
