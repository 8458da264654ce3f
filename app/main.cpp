// SPDX-License-Identifier: GPL-3.0-or-later
// velmo: the variable star catalogue search program. Its application object,
// theApp (search_app.cpp), registers itself during static initialisation;
// RunApplication finds it and runs its start-up.
#include <QGuiApplication>
#include <QString>

#include "toolkit/application.h"

int main(int argc, char** argv) {
    // The desktop entry's name, so that a desktop ties the window to the
    // entry and its icon (app/packaging.cmake sets the id).
    QGuiApplication::setDesktopFileName(QStringLiteral(VELMO_APP_ID));
    return tk::RunApplication(argc, argv);
}
