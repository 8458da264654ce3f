// SPDX-License-Identifier: GPL-3.0-or-later
// Dialog units to pixels, and the geometry of a window built from a template.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMenuBar>
#include <cmath>

#include "tests/toolkit/dialog_harness.h"
#include "tests/toolkit/test_resources.h"
#include "toolkit/dialog.h"

namespace {

using tk::DialogBaseUnits;
using tk::DialogUnitsToPixelsX;
using tk::DialogUnitsToPixelsY;

TEST(DialogUnitsTest, MapThroughTheBaseUnitsRoundingHalvesAwayFromZero) {
    // The base units of an 8-point dialog font at 96 dots per inch.
    const DialogBaseUnits base{6, 13};
    EXPECT_EQ(DialogUnitsToPixelsX(520, base), 780);
    EXPECT_EQ(DialogUnitsToPixelsY(298, base), 484);  // 484.25
    EXPECT_EQ(DialogUnitsToPixelsX(4, base), 6);      // four units: one character width
    EXPECT_EQ(DialogUnitsToPixelsY(8, base), 13);     // eight units: one character height
    EXPECT_EQ(DialogUnitsToPixelsX(1, base), 2);      // 1.5
    EXPECT_EQ(DialogUnitsToPixelsY(12, base), 20);    // 19.5
    EXPECT_EQ(DialogUnitsToPixelsY(9, base), 15);     // 14.625
    EXPECT_EQ(DialogUnitsToPixelsX(-1, base), -2);    // -1.5
    EXPECT_EQ(DialogUnitsToPixelsX(0, base), 0);

    const DialogBaseUnits large{9, 20};
    EXPECT_EQ(DialogUnitsToPixelsX(520, large), 1170);
    EXPECT_EQ(DialogUnitsToPixelsY(298, large), 745);
}

TEST(DialogUnitsTest, BaseUnitsComeFromTheFontsLettersAndHeight) {
    for (int points : {8, 12, 20}) {
        QFont font = QApplication::font();
        font.setPointSize(points);
        const QFontMetrics metrics(font);
        const int letters = metrics.horizontalAdvance(
            QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
        const DialogBaseUnits base = tk::BaseUnitsOfFont(font);
        EXPECT_EQ(base.x, std::lround(letters / 52.0)) << points;
        EXPECT_EQ(base.y, metrics.height()) << points;
    }
    QFont small = QApplication::font();
    small.setPointSize(8);
    QFont big = QApplication::font();
    big.setPointSize(20);
    EXPECT_GT(tk::BaseUnitsOfFont(big).x, tk::BaseUnitsOfFont(small).x);
    EXPECT_GT(tk::BaseUnitsOfFont(big).y, tk::BaseUnitsOfFont(small).y);
}

TEST(DialogUnitsTest, WindowIsLaidOutInDialogUnitsOfTheDesktopFont) {
    const DialogBaseUnits base = tk::BaseUnitsOfFont(QApplication::font());
    const auto px = [&](int units) { return DialogUnitsToPixelsX(units, base); };
    const auto py = [&](int units) { return DialogUnitsToPixelsY(units, base); };
    tktest::TestDialog dialog(testres::IDD_SAMPLE);
    tktest::RunModal(dialog, [&](QWidget* window) {
        auto* first = window->findChild<QLineEdit*>("IDC_FIRST");
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(first->geometry(), QRect(px(10), py(10), px(40), py(12)));
        QWidget* list = window->findChild<QWidget*>("IDC_LIST");
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->geometry(), QRect(px(110), py(10), px(85), py(100)));

        // The client area has the template's size, below the menu bar, and
        // the window cannot be resized.
        QWidget* client = first->parentWidget();
        EXPECT_EQ(client->size(), QSize(px(200), py(120)));
        const tk::Rect rect = dialog.GetClientRect();
        EXPECT_EQ(rect.right - rect.left, px(200));
        EXPECT_EQ(rect.bottom - rect.top, py(120));
        auto* menu = window->findChild<QMenuBar*>();
        ASSERT_NE(menu, nullptr);
        EXPECT_GE(client->geometry().top(), menu->geometry().bottom());
        EXPECT_EQ(window->minimumSize(), window->maximumSize());
        EXPECT_EQ(window->height(), client->height() + menu->height());
    });
}

}  // namespace
