// SPDX-License-Identifier: GPL-3.0-or-later
// ResultRowFormatter: the texts of the result rows' number columns, shared by
// the window's list and the command-line table. Written without printf for
// speed (a search may list millions of rows) yet byte for byte what these
// printf formats give in the C locale, whatever the process's locale:
//   R.A.    "%02d:%02d"  hours, minutes
//   Dec.    "%03d" when negative, else "%02d"
//   Period  "%10.4f", or the empty text when the period is exactly 0
#pragma once

#include <cstdint>

class ResultRowFormatter {
  public:
    // Each returns zero-terminated text held by this object, valid until the
    // next call of the same function on it.
    const char* Ra(std::int16_t hours, std::int16_t minutes);
    const char* Dec(std::int16_t degrees);
    const char* Period(double days);

  private:
    char ra_[16];       // "-32768:-32768" at most
    char dec_[8];       // "-32768" at most
    char period_[328];  // sign, 309 integer digits, point, 4 decimals
};
