// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/busy_cursor.h"

#include <QCursor>
#include <QGuiApplication>

BusyCursor::BusyCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }

BusyCursor::~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
