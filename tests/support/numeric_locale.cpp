// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/numeric_locale.h"

#include <clocale>
#include <stdexcept>

namespace tktest {

ScopedNumericLocale::ScopedNumericLocale(std::initializer_list<const char*> names, bool cxxToo)
    : previous_(std::setlocale(LC_NUMERIC, nullptr)) {
    for (const char* name : names) {
        if (std::setlocale(LC_NUMERIC, name) == nullptr) continue;
        ok_ = true;
        if (cxxToo) {
            try {
                previousCxx_ =
                    std::locale::global(std::locale(std::locale(), name, std::locale::numeric));
                cxxChanged_ = true;
            } catch (const std::runtime_error&) {
            }
            std::setlocale(LC_NUMERIC, name);  // global() may have set it from the C++ name
        }
        break;
    }
}

ScopedNumericLocale::~ScopedNumericLocale() {
    if (cxxChanged_) std::locale::global(previousCxx_);
    std::setlocale(LC_NUMERIC, previous_.c_str());
}

}  // namespace tktest
