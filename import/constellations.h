// SPDX-License-Identifier: GPL-3.0-or-later
// The 88 IAU constellations: abbreviation to full Latin name in plain ASCII
// ("Bootes"), for the description column of stars that have none.
#pragma once

#include <string_view>

namespace velmo::importing {

// The full name for a three-letter abbreviation ("CVn" gives "Canes
// Venatici"), case not counting; null when `abbreviation` is none of the 88.
// The text is static.
const char* ConstellationName(std::string_view abbreviation);

// The constellation that a designation ends with ("R And", "V0370 And",
// "alf Vir"): its last blank-separated word, when the designation has more
// than one word and that word is an abbreviation, or an abbreviation and a
// component letter A-Z ("CE CasA"). Null otherwise.
const char* ConstellationOfDesignation(std::string_view designation);

}  // namespace velmo::importing
