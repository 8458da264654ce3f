// SPDX-License-Identifier: GPL-3.0-or-later
// DataExchange: one run of a dialog's transfer table, towards the members
// (reading and validating the controls) or towards the controls.
//
// Usage, in a dialog's TransferData:
//     tk::DataExchange dx(*this, toMembers);
//     dx.Int16(IDC_RA_WEST, m_raWest, 0, 23);
//     dx.Bind(IDC_RA_WEST, m_raWestEdit);
//     ...
//     return dx.Ok();
// Once a row has failed, every later row does nothing and Ok() is false.
//
// Towards the members a numeric row reads the control's text: blanks around
// the number are allowed, "." is the decimal point whatever the locale, an
// exponent is allowed for floating rows. A text that is not a number of the
// row's kind leaves the member unchanged and fails with the "not a number"
// message; a number is stored, then a value outside [low, high] fails with
// the "out of range" message naming both bounds (the member keeps the value).
// A whole number outside the member's type is refused (out of range), never
// wrapped. On failure the message box is shown, then the focus goes to the
// failing control with all its text selected.
//
// Towards the controls numbers are written in "." notation: integers in plain
// decimal, floating values as the shortest %g text (at least 6 significant
// digits for float, 15 for double) that reads back as the same value.
#pragma once

#include <cstdint>
#include <string>

namespace tk {

class Dialog;
class Control;

class DataExchange {
  public:
    DataExchange(Dialog& dialog, bool toMembers);

    bool ToMembers() const { return toMembers_; }
    bool Ok() const { return ok_; }

    // Text <-> number rows; the range is checked only towards the members.
    void Int16(int id, std::int16_t& member, std::int16_t low, std::int16_t high);
    void Int16(int id, std::int16_t& member);
    void Int32(int id, std::int32_t& member, std::int32_t low, std::int32_t high);
    void Int32(int id, std::int32_t& member);
    void Float(int id, float& member, float low, float high);
    void Float(int id, float& member);
    void Double(int id, double& member, double low, double high);
    void Double(int id, double& member);
    // Text <-> string.
    void Text(int id, std::string& member);
    // Check box state <-> integer (1 ticked, 0 clear).
    void Check(int id, int& member);
    // Binds a control object to its control (every run; harmless to repeat).
    void Bind(int id, Control& control);

    // Formatting and parsing used by the rows, the same under every locale.
    //
    // FormatFloat / FormatDouble: the shortest "%.Ng" text, N from 6 (float)
    // or 15 (double) upwards, that ParseFloat reads back as the same value
    // ("7", "1000", "6.1", "1e-07"); "inf", "-inf" or "nan" for those.
    static std::string FormatFloat(float value);
    static std::string FormatDouble(double value);
    // ParseInteger: an optional sign ("+" or "-") and decimal digits, with
    // blanks (space, tab, line breaks) around. False: not a whole number. A
    // number beyond long long's range reads as its nearest limit.
    static bool ParseInteger(const std::string& text, long long& value);
    // ParseFloat: a decimal number with optional sign, point, fraction and
    // exponent ("1e-7", "+2.5E3", ".5"), with blanks around. False: not a
    // number ("inf" and "nan" are not numbers here). A number too large for
    // the type reads as infinity with its sign, one too small as zero.
    static bool ParseFloat(const std::string& text, double& value);
    static bool ParseFloat(const std::string& text, float& value);

  private:
    template <typename Integer>
    void IntegerRow(int id, Integer& member, long long low, long long high);
    template <typename Real>
    void RealRow(int id, Real& member, Real low, Real high);
    // Reports a failed row: the message box, then the focus to the control
    // with its text selected; later rows do nothing.
    void Fail(int id, const std::string& message);

    Dialog& dialog_;
    bool toMembers_;
    bool ok_ = true;
};

}  // namespace tk
