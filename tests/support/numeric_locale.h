// SPDX-License-Identifier: GPL-3.0-or-later
// A numeric locale in force for the scope of an object, for tests that
// check that numbers keep their decimal point whatever the user's locale.
#pragma once

#include <initializer_list>
#include <locale>
#include <string>

namespace tktest {

class ScopedNumericLocale {
  public:
    // Sets LC_NUMERIC to the first of `names` that this machine has and,
    // with `cxxToo`, makes the C++ global locale's numbers follow it. Ok()
    // says whether one was found; with none, nothing changes.
    explicit ScopedNumericLocale(std::initializer_list<const char*> names, bool cxxToo = false);
    // Puts back the LC_NUMERIC (and C++ global locale) in force before.
    ~ScopedNumericLocale();
    ScopedNumericLocale(const ScopedNumericLocale&) = delete;
    ScopedNumericLocale& operator=(const ScopedNumericLocale&) = delete;

    bool Ok() const { return ok_; }

  private:
    std::string previous_;
    std::locale previousCxx_;
    bool ok_ = false;
    bool cxxChanged_ = false;
};

}  // namespace tktest
