// SPDX-License-Identifier: GPL-3.0-or-later
// Transfers between controls and members: formatting towards the controls,
// validation towards the members, and how a failure is reported.
#include "toolkit/data_exchange.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTest>

#include "tests/support/modal.h"
#include "tests/toolkit/dialog_harness.h"
#include "tests/toolkit/test_resources.h"
#include "toolkit/controls.h"

namespace {

using namespace testres;

// A window with one row of each kind, ranges as a search window has them.
class NumbersDialog : public tktest::TestDialog {
  public:
    NumbersDialog() : TestDialog(IDD_NUMBERS) {
        onTransfer = [this](bool toMembers) {
            tk::DataExchange dx(*this, toMembers);
            dx.Int16(IDC_SHORT, hours, 0, 23);
            dx.Bind(IDC_SHORT, hoursEdit);
            dx.Int32(IDC_LONG, count, -1000, 1000);
            dx.Float(IDC_FLOAT, magnitude, 0.0f, 99.0f);
            dx.Double(IDC_DOUBLE, period, 0.0, 100000.0);
            dx.Text(IDC_TEXT, name);
            dx.Check(IDC_CHECK, specific);
            dx.Int16(IDC_LAST, last);
            return dx.Ok();
        };
    }

    std::int16_t hours = 0;
    std::int32_t count = 23;
    float magnitude = 7.0f;
    double period = 1000.0;
    std::string name = "abc";
    int specific = 1;
    std::int16_t last = -90;
    tk::Edit hoursEdit;
};

class DataExchangeTest : public ::testing::Test {
  protected:
    // Runs the window; `steps` gets the window's boxes to type into.
    void Run(const std::function<void()>& steps) {
        tktest::RunModal(dialog_, [&](QWidget*) { steps(); });
    }
    QLineEdit* Box(int id) { return static_cast<QLineEdit*>(dialog_.GetControl(id)); }
    // Whether `id` gets the keyboard focus once its window is active again.
    bool GetsFocus(int id) {
        return QTest::qWaitFor([&] { return QApplication::focusWidget() == Box(id); }, 2000);
    }
    void Type(int id, const char* text) { Box(id)->setText(QString::fromUtf8(text)); }
    // Transfers to the members; returns the message shown ("" for none).
    std::string TransferExpectingMessage() {
        std::string message;
        tktest::AnswerMessageBox(&message);
        EXPECT_FALSE(dialog_.CallTransferData(true));
        tktest::WaitForAnswers();
        return message;
    }

    NumbersDialog dialog_;
};

TEST_F(DataExchangeTest, MembersAreWrittenIntoTheControls) {
    dialog_.magnitude = 6.1f;
    Run([&] {
        EXPECT_EQ(Box(IDC_SHORT)->text(), "0");
        EXPECT_EQ(Box(IDC_LONG)->text(), "23");
        EXPECT_EQ(Box(IDC_FLOAT)->text(), "6.1");
        EXPECT_EQ(Box(IDC_DOUBLE)->text(), "1000");
        EXPECT_EQ(Box(IDC_TEXT)->text(), "abc");
        EXPECT_EQ(Box(IDC_LAST)->text(), "-90");
        EXPECT_TRUE(static_cast<QCheckBox*>(dialog_.GetControl(IDC_CHECK))->isChecked());
        EXPECT_EQ(dialog_.hoursEdit.Widget(), dialog_.GetControl(IDC_SHORT));

        dialog_.specific = 0;
        dialog_.name = "caf\xc3\xa9";
        EXPECT_TRUE(dialog_.CallTransferData(false));
        EXPECT_FALSE(static_cast<QCheckBox*>(dialog_.GetControl(IDC_CHECK))->isChecked());
        EXPECT_EQ(Box(IDC_TEXT)->text(), QString::fromUtf8("caf\xc3\xa9"));
    });
}

TEST_F(DataExchangeTest, ControlsAreReadIntoTheMembers) {
    Run([&] {
        Type(IDC_SHORT, " 23 ");
        Type(IDC_LONG, "+1000");
        Type(IDC_FLOAT, "9.9e1");
        Type(IDC_DOUBLE, "\t1.5E3");
        Type(IDC_TEXT, "T Psc");
        Type(IDC_LAST, "-32768");
        static_cast<QCheckBox*>(dialog_.GetControl(IDC_CHECK))->setChecked(false);
        EXPECT_TRUE(dialog_.CallTransferData(true));
    });
    EXPECT_EQ(dialog_.hours, 23);
    EXPECT_EQ(dialog_.count, 1000);
    EXPECT_EQ(dialog_.magnitude, 99.0f);
    EXPECT_EQ(dialog_.period, 1500.0);
    EXPECT_EQ(dialog_.name, "T Psc");
    EXPECT_EQ(dialog_.specific, 0);
    EXPECT_EQ(dialog_.last, -32768);
}

TEST_F(DataExchangeTest, BoundsPassAndValuesJustOutsideFailKeepingTheValue) {
    struct Case {
        int id;
        const char* text;
        double stored;  // the member's value afterwards, refused or not
        const char* message;
    };
    const Case cases[] = {
        {IDC_SHORT, "0", 0, ""},
        {IDC_SHORT, "23", 23, ""},
        {IDC_SHORT, "-1", -1, "Enter a number between 0 and 23."},
        {IDC_SHORT, "24", 24, "Enter a number between 0 and 23."},
        {IDC_LONG, "-1000", -1000, ""},
        {IDC_LONG, "1001", 1001, "Enter a number between -1000 and 1000."},
        {IDC_FLOAT, "99", 99, ""},
        {IDC_FLOAT, "99.5", 99.5, "Enter a number between 0 and 99."},
        {IDC_FLOAT, "-0.5", -0.5, "Enter a number between 0 and 99."},
        {IDC_DOUBLE, "100000", 100000, ""},
        {IDC_DOUBLE, "100001", 100001, "Enter a number between 0 and 100000."},
    };
    const auto member = [&](int id) -> double {
        switch (id) {
            case IDC_SHORT:
                return dialog_.hours;
            case IDC_LONG:
                return dialog_.count;
            case IDC_FLOAT:
                return dialog_.magnitude;
            default:
                return dialog_.period;
        }
    };
    Run([&] {
        for (const Case& c : cases) {
            dialog_.hours = 0;
            dialog_.count = 23;
            dialog_.magnitude = 7.0f;
            dialog_.period = 1000.0;
            EXPECT_TRUE(dialog_.CallTransferData(false));  // every box valid again
            Type(c.id, c.text);
            if (*c.message == '\0') {
                EXPECT_TRUE(dialog_.CallTransferData(true)) << c.text;
            } else {
                EXPECT_EQ(TransferExpectingMessage(), c.message) << c.text;
                // The box has the focus, its text selected, for the user to
                // correct it.
                EXPECT_TRUE(GetsFocus(c.id)) << c.text;
                EXPECT_EQ(Box(c.id)->selectedText().toStdString(), c.text);
            }
            EXPECT_EQ(member(c.id), c.stored) << c.text;
        }
    });
}

TEST_F(DataExchangeTest, AFailingRowStopsTheTransferThere) {
    Run([&] {
        Type(IDC_SHORT, "5");
        Type(IDC_LONG, "2000");
        Type(IDC_FLOAT, "1");
        Type(IDC_TEXT, "changed");
        Type(IDC_LAST, "3");
        EXPECT_EQ(TransferExpectingMessage(), "Enter a number between -1000 and 1000.");
    });
    EXPECT_EQ(dialog_.hours, 5);
    EXPECT_EQ(dialog_.count, 2000);
    EXPECT_EQ(dialog_.magnitude, 7.0f);
    EXPECT_EQ(dialog_.name, "abc");
    EXPECT_EQ(dialog_.last, -90);
}

TEST_F(DataExchangeTest, TextThatIsNotANumberLeavesTheMemberUnchanged) {
    Run([&] {
        for (const char* text :
             {"", "   ", "abc", "1.5", "1e3", "12abc", "+-3", "0x10", "\xc3\xa9"}) {
            EXPECT_TRUE(dialog_.CallTransferData(false));
            Type(IDC_SHORT, text);
            EXPECT_EQ(TransferExpectingMessage(), "Enter a whole number.") << text;
        }
        for (const char* text : {"", "abc", "1,5", "inf", "nan", "1e", "--1", "1 5"}) {
            EXPECT_TRUE(dialog_.CallTransferData(false));
            Type(IDC_FLOAT, text);
            EXPECT_EQ(TransferExpectingMessage(), "Enter a number.") << text;
            EXPECT_TRUE(GetsFocus(IDC_FLOAT)) << text;
        }
    });
    EXPECT_EQ(dialog_.hours, 0);
    EXPECT_EQ(dialog_.magnitude, 7.0f);
}

TEST_F(DataExchangeTest, NumbersBeyondTheMembersTypeAreRefusedNotWrapped) {
    Run([&] {
        Type(IDC_SHORT, "70000");  // 70000 - 65536 = 4 would pass the 0..23 check
        EXPECT_EQ(TransferExpectingMessage(), "Enter a number between 0 and 23.");
        EXPECT_TRUE(dialog_.CallTransferData(false));
        Type(IDC_LAST, "32768");
        EXPECT_EQ(TransferExpectingMessage(), "Enter a number between -32768 and 32767.");
        EXPECT_TRUE(dialog_.CallTransferData(false));
        Type(IDC_LONG, "99999999999999999999999");
        EXPECT_EQ(TransferExpectingMessage(), "Enter a number between -1000 and 1000.");
        EXPECT_TRUE(dialog_.CallTransferData(false));
        Type(IDC_FLOAT, "1e39");  // beyond float, within double
        EXPECT_EQ(TransferExpectingMessage(), "Enter a number between 0 and 99.");
        EXPECT_TRUE(dialog_.CallTransferData(false));
        Type(IDC_DOUBLE, "-1e400");
        EXPECT_EQ(TransferExpectingMessage(), "Enter a number between 0 and 100000.");
    });
    EXPECT_EQ(dialog_.hours, 0);
    EXPECT_EQ(dialog_.last, -90);
    EXPECT_EQ(dialog_.count, 23);
    EXPECT_EQ(dialog_.magnitude, 7.0f);
    EXPECT_EQ(dialog_.period, 1000.0);
}

TEST_F(DataExchangeTest, FloatValuesComeBackAsTheShortestTextThatReadsTheSame) {
    Run([&] {
        Type(IDC_FLOAT, "6.1");
        Type(IDC_DOUBLE, "0.1");
        EXPECT_TRUE(dialog_.CallTransferData(true));
        EXPECT_EQ(dialog_.magnitude, 6.1f);
        EXPECT_EQ(dialog_.period, 0.1);
        EXPECT_TRUE(dialog_.CallTransferData(false));
        EXPECT_EQ(Box(IDC_FLOAT)->text(), "6.1");
        EXPECT_EQ(Box(IDC_DOUBLE)->text(), "0.1");
        Type(IDC_DOUBLE, "1e-400");  // below the smallest double: reads as 0
        EXPECT_TRUE(dialog_.CallTransferData(true));
        EXPECT_EQ(dialog_.period, 0.0);
    });
}

}  // namespace
