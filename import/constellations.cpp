// SPDX-License-Identifier: GPL-3.0-or-later
#include "constellations.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace velmo::importing {
namespace {

struct Constellation {
    const char* abbreviation;
    const char* name;
};

// The 88 IAU constellations, sorted by abbreviation without regard to case
// (no two abbreviations differ only in case).
constexpr Constellation kConstellations[] = {
    {"And", "Andromeda"},
    {"Ant", "Antlia"},
    {"Aps", "Apus"},
    {"Aql", "Aquila"},
    {"Aqr", "Aquarius"},
    {"Ara", "Ara"},
    {"Ari", "Aries"},
    {"Aur", "Auriga"},
    {"Boo", "Bootes"},
    {"Cae", "Caelum"},
    {"Cam", "Camelopardalis"},
    {"Cap", "Capricornus"},
    {"Car", "Carina"},
    {"Cas", "Cassiopeia"},
    {"Cen", "Centaurus"},
    {"Cep", "Cepheus"},
    {"Cet", "Cetus"},
    {"Cha", "Chamaeleon"},
    {"Cir", "Circinus"},
    {"CMa", "Canis Major"},
    {"CMi", "Canis Minor"},
    {"Cnc", "Cancer"},
    {"Col", "Columba"},
    {"Com", "Coma Berenices"},
    {"CrA", "Corona Australis"},
    {"CrB", "Corona Borealis"},
    {"Crt", "Crater"},
    {"Cru", "Crux"},
    {"Crv", "Corvus"},
    {"CVn", "Canes Venatici"},
    {"Cyg", "Cygnus"},
    {"Del", "Delphinus"},
    {"Dor", "Dorado"},
    {"Dra", "Draco"},
    {"Equ", "Equuleus"},
    {"Eri", "Eridanus"},
    {"For", "Fornax"},
    {"Gem", "Gemini"},
    {"Gru", "Grus"},
    {"Her", "Hercules"},
    {"Hor", "Horologium"},
    {"Hya", "Hydra"},
    {"Hyi", "Hydrus"},
    {"Ind", "Indus"},
    {"Lac", "Lacerta"},
    {"Leo", "Leo"},
    {"Lep", "Lepus"},
    {"Lib", "Libra"},
    {"LMi", "Leo Minor"},
    {"Lup", "Lupus"},
    {"Lyn", "Lynx"},
    {"Lyr", "Lyra"},
    {"Men", "Mensa"},
    {"Mic", "Microscopium"},
    {"Mon", "Monoceros"},
    {"Mus", "Musca"},
    {"Nor", "Norma"},
    {"Oct", "Octans"},
    {"Oph", "Ophiuchus"},
    {"Ori", "Orion"},
    {"Pav", "Pavo"},
    {"Peg", "Pegasus"},
    {"Per", "Perseus"},
    {"Phe", "Phoenix"},
    {"Pic", "Pictor"},
    {"PsA", "Piscis Austrinus"},
    {"Psc", "Pisces"},
    {"Pup", "Puppis"},
    {"Pyx", "Pyxis"},
    {"Ret", "Reticulum"},
    {"Scl", "Sculptor"},
    {"Sco", "Scorpius"},
    {"Sct", "Scutum"},
    {"Ser", "Serpens"},
    {"Sex", "Sextans"},
    {"Sge", "Sagitta"},
    {"Sgr", "Sagittarius"},
    {"Tau", "Taurus"},
    {"Tel", "Telescopium"},
    {"TrA", "Triangulum Australe"},
    {"Tri", "Triangulum"},
    {"Tuc", "Tucana"},
    {"UMa", "Ursa Major"},
    {"UMi", "Ursa Minor"},
    {"Vel", "Vela"},
    {"Vir", "Virgo"},
    {"Vol", "Volans"},
    {"Vul", "Vulpecula"},
};

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Three characters folded to lower case, packed into one number.
std::uint32_t Key(const char* text) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(Lower(text[0]))) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(Lower(text[1]))) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(Lower(text[2])));
}

// The keys of kConstellations, in the same (sorted) order.
struct KeyTable {
    std::uint32_t key[std::size(kConstellations)];
    KeyTable() {
        for (std::size_t i = 0; i < std::size(kConstellations); ++i) {
            key[i] = Key(kConstellations[i].abbreviation);
        }
    }
};

}  // namespace

const char* ConstellationName(std::string_view abbreviation) {
    if (abbreviation.size() != 3) {
        return nullptr;
    }
    static const KeyTable table;
    const std::uint32_t key = Key(abbreviation.data());
    const std::uint32_t* end = std::end(table.key);
    const std::uint32_t* found = std::lower_bound(std::begin(table.key), end, key);
    if (found == end || *found != key) {
        return nullptr;
    }
    return kConstellations[found - std::begin(table.key)].name;
}

const char* ConstellationOfDesignation(std::string_view designation) {
    std::size_t end = designation.size();
    while (end > 0 && designation[end - 1] == ' ') {
        --end;
    }
    std::size_t start = end;
    while (start > 0 && designation[start - 1] != ' ') {
        --start;
    }
    if (start == 0) {
        return nullptr;  // a single word is not "star + constellation"
    }
    const std::string_view word = designation.substr(start, end - start);
    if (word.size() == 4 && word[3] >= 'A' && word[3] <= 'Z') {
        // A component of a multiple star: "CE CasA".
        if (const char* name = ConstellationName(word.substr(0, 3))) {
            return name;
        }
    }
    return ConstellationName(word);
}

}  // namespace velmo::importing
