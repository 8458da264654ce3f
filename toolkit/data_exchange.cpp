// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/data_exchange.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <cmath>
#include <limits>

#include "toolkit/controls.h"
#include "toolkit/dialog.h"
#include "toolkit/text_bytes.h"

namespace tk {
namespace {

std::string ControlText(const QWidget* control) {
    if (auto* edit = qobject_cast<const QLineEdit*>(control)) return BytesFromText(edit->text());
    if (auto* label = qobject_cast<const QLabel*>(control)) return BytesFromText(label->text());
    if (auto* button = qobject_cast<const QAbstractButton*>(control)) {
        return BytesFromText(button->text());
    }
    return std::string();
}

void SetControlText(QWidget* control, const std::string& text) {
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->setText(TextFromBytes(text));
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
        label->setText(TextFromBytes(text));
    } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->setText(TextFromBytes(text));
    }
}

std::string Format(long long value) { return std::to_string(value); }
std::string Format(float value) { return DataExchange::FormatFloat(value); }
std::string Format(double value) { return DataExchange::FormatDouble(value); }

const char kNotAWholeNumber[] = "Enter a whole number.";
const char kNotANumber[] = "Enter a number.";

template <typename Value>
std::string RangeMessage(Value low, Value high) {
    return "Enter a number between " + Format(low) + " and " + Format(high) + ".";
}

}  // namespace

DataExchange::DataExchange(Dialog& dialog, bool toMembers)
    : dialog_(dialog), toMembers_(toMembers) {}

template <typename Integer>
void DataExchange::IntegerRow(int id, Integer& member, long long low, long long high) {
    if (!ok_) return;
    QWidget* control = dialog_.GetControl(id);
    if (control == nullptr) return;
    if (!toMembers_) {
        SetControlText(control, Format(static_cast<long long>(member)));
        return;
    }
    long long value = 0;
    if (!ParseInteger(ControlText(control), value)) {
        Fail(id, kNotAWholeNumber);
        return;
    }
    // A value that the member cannot hold is refused before it is stored.
    if (value < std::numeric_limits<Integer>::min() ||
        value > std::numeric_limits<Integer>::max()) {
        Fail(id, RangeMessage(low, high));
        return;
    }
    member = static_cast<Integer>(value);
    if (value < low || value > high) Fail(id, RangeMessage(low, high));
}

template <typename Real>
void DataExchange::RealRow(int id, Real& member, Real low, Real high) {
    if (!ok_) return;
    QWidget* control = dialog_.GetControl(id);
    if (control == nullptr) return;
    if (!toMembers_) {
        SetControlText(control, Format(member));
        return;
    }
    Real value{};
    if (!ParseFloat(ControlText(control), value)) {
        Fail(id, kNotANumber);
        return;
    }
    // Too large for the member's type: refused before it is stored.
    if (!std::isfinite(value)) {
        Fail(id, RangeMessage(low, high));
        return;
    }
    member = value;
    if (value < low || value > high) Fail(id, RangeMessage(low, high));
}

void DataExchange::Int16(int id, std::int16_t& member, std::int16_t low, std::int16_t high) {
    IntegerRow(id, member, low, high);
}

void DataExchange::Int16(int id, std::int16_t& member) {
    IntegerRow(id, member, std::numeric_limits<std::int16_t>::min(),
               std::numeric_limits<std::int16_t>::max());
}

void DataExchange::Int32(int id, std::int32_t& member, std::int32_t low, std::int32_t high) {
    IntegerRow(id, member, low, high);
}

void DataExchange::Int32(int id, std::int32_t& member) {
    IntegerRow(id, member, std::numeric_limits<std::int32_t>::min(),
               std::numeric_limits<std::int32_t>::max());
}

void DataExchange::Float(int id, float& member, float low, float high) {
    RealRow(id, member, low, high);
}

void DataExchange::Float(int id, float& member) {
    RealRow(id, member, std::numeric_limits<float>::lowest(), std::numeric_limits<float>::max());
}

void DataExchange::Double(int id, double& member, double low, double high) {
    RealRow(id, member, low, high);
}

void DataExchange::Double(int id, double& member) {
    RealRow(id, member, std::numeric_limits<double>::lowest(), std::numeric_limits<double>::max());
}

void DataExchange::Text(int id, std::string& member) {
    if (!ok_) return;
    QWidget* control = dialog_.GetControl(id);
    if (control == nullptr) return;
    if (toMembers_) {
        member = ControlText(control);
    } else {
        SetControlText(control, member);
    }
}

void DataExchange::Check(int id, int& member) {
    if (!ok_) return;
    auto* box = qobject_cast<QAbstractButton*>(dialog_.GetControl(id));
    if (box == nullptr) return;
    if (toMembers_) {
        member = box->isChecked() ? 1 : 0;
    } else {
        box->setChecked(member != 0);
    }
}

void DataExchange::Bind(int id, Control& control) {
    if (!ok_) return;
    control.Attach(dialog_.GetControl(id));
}

void DataExchange::Fail(int id, const std::string& message) {
    ok_ = false;
    dialog_.MessageBox(message.c_str());
    QWidget* control = dialog_.GetControl(id);
    if (control == nullptr) return;
    control->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) edit->selectAll();
}

}  // namespace tk
