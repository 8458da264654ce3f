// SPDX-License-Identifier: GPL-3.0-or-later
// Takes the README's screenshots from the real search window: just after
// start, and after loading the sample catalogue through the file dialog and
// a "Search Asc.". Run it on a real display or under Xvfb:
//   xvfb-run -a velmo_screenshots data/bright-variable-stars.txt docs/screenshots
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPixmap>
#include <QTest>
#include <clocale>
#include <cstdio>
#include <string>

#include "app/search_dlg.h"
#include "res/resource.h"
#include "tests/support/modal.h"

namespace {

bool Save(QWidget* window, const std::string& path) {
    QApplication::processEvents();
    const bool saved = window->grab().save(QString::fromStdString(path), "PNG");
    std::printf("%s %s\n", saved ? "wrote" : "could not write", path.c_str());
    return saved;
}

void Type(CSearchDlg& dlg, int id, const char* text) {
    auto* edit = qobject_cast<QLineEdit*>(dlg.GetControl(id));
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QString::fromLatin1(text));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <sample catalogue> <output folder>\n", argv[0]);
        return 2;
    }
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    // Start in the sample's folder, as the start script does, so that the
    // load dialog shows it and its bare name is typed.
    const QFileInfo sample(QString::fromLocal8Bit(argv[1]));
    const std::string folder =
        QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath().toStdString();
    QDir::setCurrent(sample.absolutePath());

    bool ok = true;
    CSearchDlg dlg;
    tktest::WhenModal([&](QWidget* window) {
        ok = Save(window, folder + "/search-window-start.png") && ok;

        tktest::WhenModal([&](QWidget* fileDialog) {
            tktest::TypeFileName(fileDialog, sample.fileName().toStdString());
        });
        window->findChild<QAction*>("ID_FILE_LOAD")->trigger();
        tktest::WaitForAnswers();

        // Bright long-period stars of the autumn sky: 0 h to 3 h, north of -10 degrees.
        Type(dlg, IDC_RA_WEST, "0");
        Type(dlg, IDC_RA_EAST, "3");
        Type(dlg, IDC_DEC_SOUTH, "-10");
        QTest::mouseClick(dlg.GetControl(IDC_SEARCH_ASC), Qt::LeftButton);
        ok = Save(window, folder + "/search-window-results.png") && ok;
        dlg.EndDialog(tk::kIdCancel);
    });
    dlg.DoModal();
    tktest::WaitForAnswers();
    return ok ? 0 : 1;
}
