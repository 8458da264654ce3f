#include "constellations.h"

#include <algorithm>
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

// <0, 0, >0 as `a` sorts before, with or after `b`, case not counting.
int CompareFolded(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const char x = Lower(a[i]);
        const char y = Lower(b[i]);
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace

const char* ConstellationName(std::string_view abbreviation) {
    const auto* end = std::end(kConstellations);
    const auto* found = std::lower_bound(
        std::begin(kConstellations), end, abbreviation,
        [](const Constellation& c, std::string_view key) {
            return CompareFolded(c.abbreviation, key) < 0;
        });
    if (found == end || CompareFolded(found->abbreviation, abbreviation) != 0) {
        return nullptr;
    }
    return found->name;
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
    return ConstellationName(designation.substr(start, end - start));
}

}  // namespace velmo::importing
