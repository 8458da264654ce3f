// SPDX-License-Identifier: GPL-3.0-or-later
// Dialog units: a template's positions are in quarters of the dialog font's
// average character width and eighths of its height, mapped to pixels the
// way the dialog manager does, so a layout keeps its proportions under any
// font and screen scale.
#include <QFont>
#include <QFontMetrics>
#include <QString>

#include "toolkit/dialog.h"

namespace tk {
namespace {

// units * base / divisor, rounded to the nearest integer, halves away from
// zero.
int MulDivRounded(int units, int base, int divisor) {
    const long long product = static_cast<long long>(units) * base;
    const long long half = divisor / 2;
    const long long result =
        product >= 0 ? (product + half) / divisor : -((-product + half) / divisor);
    return static_cast<int>(result);
}

}  // namespace

DialogBaseUnits BaseUnitsOfFont(const QFont& font) {
    const QFontMetrics metrics(font);
    // The average width of the 52 letters, rounded to the nearest pixel.
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return DialogBaseUnits{(letters / 26 + 1) / 2, metrics.height()};
}

int DialogUnitsToPixelsX(int units, DialogBaseUnits base) {
    return MulDivRounded(units, base.x, 4);
}

int DialogUnitsToPixelsY(int units, DialogBaseUnits base) {
    return MulDivRounded(units, base.y, 8);
}

}  // namespace tk
