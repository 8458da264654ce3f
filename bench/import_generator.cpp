// SPDX-License-Identifier: GPL-3.0-or-later
#include "import_generator.h"

#include <cstdio>
#include <string>
#include <vector>

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

// A star's position in whole units and what is left: hours, minutes and
// centiseconds of time; degrees, arcminutes and tenths of an arcsecond.
struct Sexagesimal {
    unsigned h, m, s;
    unsigned d, am, as;
};

Sexagesimal PartsOf(const Star& star) {
    return {star.raCentis / 360000, star.raCentis / 6000 % 60, star.raCentis % 6000,
            star.decTenths / 36000, star.decTenths / 600 % 60, star.decTenths % 600};
}

// Writes `text` (the heading lines) and then a line for each of `count`
// stars, as `lineOf(state, index, star, line)` formats it into a buffer of
// kLineSize, to `path` in blocks of about a megabyte. Returns the bytes
// written, 0 when the file cannot be written.
constexpr std::size_t kLineSize = 256;

template <typename LineOf>
std::size_t WriteStarLines(const std::string& path, std::string text, std::size_t count,
                           std::uint64_t seed, LineOf lineOf) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return 0;
    std::uint64_t state = seed | 1;
    std::size_t bytes = 0;
    Star star;
    char line[kLineSize];
    for (std::size_t i = 0; i < count; ++i) {
        MakeStar(state, i, &star);
        lineOf(state, i, star, line);
        text += line;
        if (text.size() > (1u << 20)) {
            bytes += WriteAll(text, file);
            text.clear();
        }
    }
    bytes += WriteAll(text, file);
    const bool ok = std::fclose(file) == 0;
    return ok ? bytes : 0;
}

}  // namespace

std::size_t WriteGcvsExtract(const std::string& path, std::size_t lines, std::uint64_t seed) {
    const std::string heading =
        "   GCVS extract (generated)\n"
        "NUM    |NAME       |RA,DEC (J2000)      |TYPE      |MAX      |MIN1        |MIN2        "
        "|  |EPOCH       |YEAR |PERIOD     |     |SP               |\n";
    return WriteStarLines(
        path, heading, lines, seed,
        [](std::uint64_t& state, std::size_t i, const Star& star, char* line) {
            const Sexagesimal p = PartsOf(star);
            char position[40] = "";
            if (Next(state, 100) != 0) {
                std::snprintf(position, sizeof position, "%02u%02u%02u.%02u%s%c%02u%02u%02u.%u",
                              p.h, p.m, p.s / 100, p.s % 100, (i & 1) ? "" : " ",
                              star.south ? '-' : '+', p.d, p.am, p.as / 10, p.as % 10);
            }
            std::snprintf(line, kLineSize,
                          "%06zu |%-10s %c|%-20s|%-10s|%7s  |%10s  |          "
                          "  |V |%-12s|     |%16s   |     |M3e              |\n",
                          i % 999999 + 1, star.name, (i % 3) ? '*' : ' ', position, star.type,
                          star.max, star.min, "52345.6", star.period);
        });
}

std::size_t WriteStarTable(const std::string& path, std::size_t rows, std::uint64_t seed) {
    return WriteStarLines(
        path, "Name,RAJ2000,DEJ2000,Type,magMax,magMin,Period\n", rows, seed,
        [](std::uint64_t&, std::size_t i, const Star& star, char* line) {
            const Sexagesimal p = PartsOf(star);
            const char* quote = (i % 4 == 0) ? "\"" : "";
            std::snprintf(
                line, kLineSize, "%s%s%s,%02u %02u %02u.%02u,%c%02u %02u %02u.%u,%s,%s,%s,%s\n",
                quote, star.name, quote, p.h, p.m, p.s / 100, p.s % 100, star.south ? '-' : '+',
                p.d, p.am, p.as / 10, p.as % 10, star.type, star.max, star.min, star.period);
        });
}

bool WriteServiceTable(const std::string& path, TableForm form, std::size_t rows,
                       std::uint64_t seed) {
    using C = WrittenColumn;
    TableWriter writer(path, form,
                       {{"VarName", C::kText, "meta.id;meta.main", "", 16},
                        {"RAJ2000", C::kDouble, "pos.eq.ra;meta.main", "deg", 0},
                        {"DEJ2000", C::kDouble, "pos.eq.dec;meta.main", "deg", 0},
                        {"VarType", C::kText, "meta.code.class", "", 10},
                        {"magMax", C::kFloat, "phot.mag;stat.max", "mag", 0},
                        {"u_magMax", C::kText, "", "", 1},
                        {"l_Min1", C::kText, "", "", 1},
                        {"Min1", C::kFloat, "phot.mag;stat.min", "mag", 0},
                        {"u_Min1", C::kText, "", "", 1},
                        {"l_Period", C::kText, "", "", 1},
                        {"Period", C::kDouble, "time.period", "d", 0},
                        {"u_Period", C::kText, "", "", 1}});
    if (!writer.Ok()) return false;
    std::uint64_t state = seed | 1;
    Star star;
    std::vector<std::string> cells(12);
    char number[32];
    // "(x)" to "(", "x", ")"; "<x" to "<", "x"; "x:" to "x", ":".
    auto split = [](std::string text, std::string* before, std::string* value, std::string* after) {
        before->clear();
        after->clear();
        if (!text.empty() && (text[0] == '(' || text[0] == '<')) {
            *before = text.substr(0, 1);
            text.erase(0, 1);
        }
        if (!text.empty() && (text.back() == ')' || text.back() == ':')) {
            *after = text.substr(text.size() - 1);
            text.pop_back();
        }
        *value = text;
    };
    std::string unused;
    for (std::size_t i = 0; i < rows; ++i) {
        MakeStar(state, i, &star);
        cells[0] = star.name;
        std::snprintf(number, sizeof number, "%.6f", star.raCentis * 15.0 / 360000.0);
        cells[1] = number;
        std::snprintf(number, sizeof number, "%s%.6f", star.south ? "-" : "",
                      star.decTenths / 36000.0);
        cells[2] = number;
        cells[3] = star.type;
        split(star.max, &unused, &cells[4], &cells[5]);
        split(star.min, &cells[6], &cells[7], &cells[8]);
        split(star.period, &cells[9], &cells[10], &cells[11]);
        writer.Row(cells);
    }
    return writer.Finish();
}

}  // namespace velmo_bench
