#include "import_generator.h"

#include <cstdio>
#include <string>

namespace velmo_bench {
namespace {

// xorshift64*: small, fast and the same everywhere.
std::uint32_t Next(std::uint64_t& state, std::uint32_t below) {
    state ^= state >> 12;
    state ^= state << 25;
    state ^= state >> 27;
    return static_cast<std::uint32_t>((state * 2685821657736338717ull) >> 33) % below;
}

const char* const kConstellations[] = {"And", "Aql", "Cas", "Cen", "Cyg", "Oph", "Ori", "Sco",
                                       "Sgr", "Vir", "CrB", "CVn", "UMa", "Per", "Car", "Lyr"};
const char* const kTypes[] = {"M",  "SRB",      "EA/SD", "RRAB", "DCEP",   "LB",
                              "EW", "ELL+BCEP", "SR:",   "INSA", "UGSS+E", "BY"};

struct Star {
    char name[16];
    unsigned raCentis;  // centiseconds of time
    bool south;
    unsigned decTenths;  // tenths of an arcsecond
    char type[12];
    char max[16];
    char min[16];
    char period[24];
};

void MakeStar(std::uint64_t& state, std::size_t index, Star* star) {
    std::snprintf(star->name, sizeof star->name, "V%04u %s",
                  static_cast<unsigned>(index % 9999 + 1), kConstellations[Next(state, 16)]);
    star->raCentis = Next(state, 8640000);
    star->south = Next(state, 2) == 1;
    star->decTenths = Next(state, 3240000);
    std::snprintf(star->type, sizeof star->type, "%s", kTypes[Next(state, 12)]);
    const unsigned max = 300 + Next(state, 1500);  // hundredths
    const char* limit = Next(state, 20) == 0 ? "<" : "";
    const char* uncertain = Next(state, 10) == 0 ? ":" : "";
    std::snprintf(star->max, sizeof star->max, "%u.%02u%s", max / 100, max % 100, uncertain);
    const unsigned amplitude = 5 + Next(state, 800);
    if (Next(state, 6) == 0) {
        std::snprintf(star->min, sizeof star->min, "(%u.%02u)", amplitude / 100, amplitude % 100);
    } else {
        const unsigned min = max + amplitude;
        std::snprintf(star->min, sizeof star->min, "%s%u.%02u", limit, min / 100, min % 100);
    }
    const unsigned kind = Next(state, 10);
    const unsigned micro = Next(state, 1000000);
    if (kind < 2) {
        star->period[0] = '\0';
    } else if (kind == 2) {
        std::snprintf(star->period, sizeof star->period, "(%u)", 1000 + Next(state, 30000));
    } else {
        std::snprintf(star->period, sizeof star->period, "%u.%06u", Next(state, 1000), micro);
    }
}

std::size_t WriteAll(const std::string& text, std::FILE* file) {
    const std::size_t written = std::fwrite(text.data(), 1, text.size(), file);
    return written == text.size() ? written : 0;
}

}  // namespace

std::size_t WriteGcvsExtract(const std::string& path, std::size_t lines, std::uint64_t seed) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return 0;
    std::uint64_t state = seed | 1;
    std::string out =
        "   GCVS extract (generated)\n"
        "NUM    |NAME       |RA,DEC (J2000)      |TYPE      |MAX      |MIN1        |MIN2        "
        "|  |EPOCH       |YEAR |PERIOD     |     |SP               |\n";
    std::size_t bytes = 0;
    Star star;
    char line[256];
    for (std::size_t i = 0; i < lines; ++i) {
        MakeStar(state, i, &star);
        const unsigned h = star.raCentis / 360000, m = star.raCentis / 6000 % 60;
        const unsigned s = star.raCentis % 6000;
        const unsigned d = star.decTenths / 36000, am = star.decTenths / 600 % 60;
        const unsigned as = star.decTenths % 600;
        char position[40] = "";
        if (Next(state, 100) != 0) {
            std::snprintf(position, sizeof position, "%02u%02u%02u.%02u%s%c%02u%02u%02u.%u", h, m,
                          s / 100, s % 100, (i & 1) ? "" : " ", star.south ? '-' : '+', d, am,
                          as / 10, as % 10);
        }
        std::snprintf(line, sizeof line,
                      "%06zu |%-10s %c|%-20s|%-10s|%7s  |%10s  |            |V |%-12s|     "
                      "|%16s   |     |M3e              |\n",
                      i % 999999 + 1, star.name, (i % 3) ? '*' : ' ', position, star.type, star.max,
                      star.min, "52345.6", star.period);
        out += line;
        if (out.size() > (1u << 20)) {
            bytes += WriteAll(out, file);
            out.clear();
        }
    }
    bytes += WriteAll(out, file);
    const bool ok = std::fclose(file) == 0;
    return ok ? bytes : 0;
}

std::size_t WriteStarTable(const std::string& path, std::size_t rows, std::uint64_t seed) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return 0;
    std::uint64_t state = seed | 1;
    std::string out = "Name,RAJ2000,DEJ2000,Type,magMax,magMin,Period\n";
    std::size_t bytes = 0;
    Star star;
    char line[256];
    for (std::size_t i = 0; i < rows; ++i) {
        MakeStar(state, i, &star);
        const unsigned h = star.raCentis / 360000, m = star.raCentis / 6000 % 60;
        const unsigned s = star.raCentis % 6000;
        const unsigned d = star.decTenths / 36000, am = star.decTenths / 600 % 60;
        const unsigned as = star.decTenths % 600;
        const char* quote = (i % 4 == 0) ? "\"" : "";
        std::snprintf(line, sizeof line,
                      "%s%s%s,%02u %02u %02u.%02u,%c%02u %02u %02u.%u,%s,%s,%s,%s\n", quote,
                      star.name, quote, h, m, s / 100, s % 100, star.south ? '-' : '+', d, am,
                      as / 10, as % 10, star.type, star.max, star.min, star.period);
        out += line;
        if (out.size() > (1u << 20)) {
            bytes += WriteAll(out, file);
            out.clear();
        }
    }
    bytes += WriteAll(out, file);
    const bool ok = std::fclose(file) == 0;
    return ok ? bytes : 0;
}

}  // namespace velmo_bench
