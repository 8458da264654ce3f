// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue_generator.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "line_layout.h"

namespace velmo_bench {
namespace {

std::uint64_t Next(std::uint64_t& state) {  // splitmix64
    std::uint64_t z = (state += 0x9e3779b97f4a7c15ull);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
}

int Below(std::uint64_t& state, int n) {
    return static_cast<int>(Next(state) % static_cast<std::uint64_t>(n));
}

const char* const kConstellations[][2] = {
    {"And", "Andromeda"},   {"Aql", "Aquila"},    {"Aqr", "Aquarius"},       {"Ara", "Ara"},
    {"Aur", "Auriga"},      {"Boo", "Bootes"},    {"Cam", "Camelopardalis"}, {"Car", "Carina"},
    {"Cas", "Cassiopeia"},  {"Cen", "Centaurus"}, {"Cep", "Cepheus"},        {"Cet", "Cetus"},
    {"CMa", "Canis Major"}, {"Cru", "Crux"},      {"Cyg", "Cygnus"},         {"Dor", "Dorado"},
    {"Gem", "Gemini"},      {"Her", "Hercules"},  {"Hya", "Hydra"},          {"Lac", "Lacerta"},
    {"Lyr", "Lyra"},        {"Mon", "Monoceros"}, {"Mus", "Musca"},          {"Oph", "Ophiuchus"},
    {"Ori", "Orion"},       {"Peg", "Pegasus"},   {"Per", "Perseus"},        {"Phe", "Phoenix"},
    {"Pup", "Puppis"},      {"Sco", "Scorpius"},  {"Sgr", "Sagittarius"},    {"Tau", "Taurus"},
    {"UMa", "Ursa Major"},  {"Vel", "Vela"},      {"Vul", "Vulpecula"},
};
constexpr int kConstellationCount = sizeof kConstellations / sizeof kConstellations[0];

const char* const kTypes[] = {"M",    "SRB",  "SRA",  "SR",   "LB",  "EA/SD", "EA",  "EB",
                              "EW",   "RRAB", "RRC",  "DCEP", "CWA", "RVA",   "BY",  "ROT",
                              "INSA", "UGSS", "GCAS", "IS",   "L:",  "SRD",   "ELL", "DSCT"};
constexpr int kTypeCount = sizeof kTypes / sizeof kTypes[0];

const char* const kGreek[] = {"alf", "bet", "gam", "del", "eps", "zet", "eta", "omi", "mu."};

namespace layout = velmo::line_layout;

// Writes `text` into `field`, cut to its width.
void Put(char* line, layout::Field field, const char* text) {
    for (std::size_t i = 0; i < field.width && text[i] != '\0'; ++i) {
        line[field.first + i] = text[i];
    }
}

void Designation(std::uint64_t& state, const char* constellation, char* out, std::size_t size) {
    const int kind = Below(state, 10);
    if (kind < 6) {
        std::snprintf(out, size, "V%04d %s", 1 + Below(state, 3000), constellation);
    } else if (kind < 9) {
        const char letters[] = "RSTUVWXYZ";
        std::snprintf(out, size, "%c%c %s", letters[Below(state, 9)], 'A' + Below(state, 26),
                      constellation);
    } else {
        std::snprintf(out, size, "%s %s", kGreek[Below(state, 9)], constellation);
    }
}

// Magnitude in hundredths as "dd.dd" (5 characters).
void Magnitude(int hundredths, char* out, std::size_t size) {
    std::snprintf(out, size, "%2d.%02d", hundredths / 100 % 100, hundredths % 100);
}

void Period(std::uint64_t& state, char* out, std::size_t size) {
    if (Below(state, 100) == 0) {  // thousands of days
        std::snprintf(out, size, "%4dK%d   ", 1 + Below(state, 40), Below(state, 10));
        return;
    }
    // Roughly log-uniform from 0.05 to 2000 days.
    const double days =
        0.05 * static_cast<double>(1u << Below(state, 15)) * (1.0 + Below(state, 1000) / 1000.0);
    const int tenThousandths = static_cast<int>(days * 10000.0) % 100000000;
    const int resolution = days < 10.0 ? 100 : 1000;  // 0.01 or 0.1 days
    const int rounded = tenThousandths / resolution * resolution;
    std::snprintf(out, size, "%4d.%04d", rounded / 10000, rounded % 10000);
}

}  // namespace

void AppendStarLine(std::uint64_t& state, std::string& out) {
    char line[layout::kLineWidth + 1];
    for (char& c : line) {
        c = ' ';
    }
    char text[32];
    std::snprintf(text, sizeof text, "%02d%02d%c%02d", Below(state, 24), Below(state, 60),
                  Below(state, 2) ? '+' : '-', Below(state, 90));
    Put(line, {layout::kRa.first, layout::kRa.width + layout::kDeclination.width}, text);

    const auto& constellation = kConstellations[Below(state, kConstellationCount)];
    Designation(state, constellation[0], text, sizeof text);
    Put(line, layout::kName, text);
    Put(line, layout::kType, kTypes[Below(state, kTypeCount)]);

    // 62 % complete, 12 % nothing, 26 % partial.
    const int shape = Below(state, 100);
    const bool hasMax = shape < 62 || (shape >= 74 && shape < 95);
    const bool hasMin = shape < 62 || (shape >= 74 && shape < 84) || shape >= 95;
    const bool hasPeriod = shape < 62 || (shape >= 84 && shape < 95) || shape >= 95;
    const int maxHundredths = 300 + Below(state, 1200);
    if (hasMax) {
        Magnitude(maxHundredths, text, sizeof text);
        Put(line, layout::kMaxMagnitude, text);
    }
    if (hasMin) {
        Magnitude(maxHundredths + 20 + Below(state, 600), text, sizeof text);
        Put(line, layout::kMinMagnitude, text);
    }
    if (hasPeriod) {
        Period(state, text, sizeof text);
        Put(line, layout::kPeriod, text);
    }
    Put(line, layout::kDescription, constellation[1]);

    std::size_t length = layout::kLineWidth;
    if (Below(state, 4) == 0) {  // no trailing blanks
        while (line[length - 1] == ' ') {
            --length;
        }
    }
    out.append(line, length);
}

std::size_t WriteCatalogue(const std::string& path, std::size_t lines, std::uint64_t seed) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    std::string block;
    block.reserve(1 << 20);
    std::size_t written = 0;
    std::uint64_t state = seed;
    for (std::size_t i = 0; i < lines; ++i) {
        AppendStarLine(state, block);
        block += '\n';
        if (block.size() > (1 << 20) - 128) {
            file.write(block.data(), static_cast<std::streamsize>(block.size()));
            written += block.size();
            block.clear();
        }
    }
    file.write(block.data(), static_cast<std::streamsize>(block.size()));
    written += block.size();
    file.close();
    return file.fail() ? 0 : written;
}

ScratchDir::ScratchDir() {
    // tmpfs by default: the files are then in memory, as in the page cache,
    // and truncating and rewriting them never waits for a disk.
    const char* chosen = std::getenv("VELMO_BENCH_DIR");
    std::filesystem::path base;
    if (chosen != nullptr && *chosen != '\0') {
        base = chosen;
    } else if (access("/dev/shm", W_OK) == 0) {
        base = "/dev/shm";
    } else {
        base = std::filesystem::temp_directory_path();
    }
    std::string pattern = (base / "velmo-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a scratch directory from " + pattern);
    }
    path = pattern;
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

}  // namespace velmo_bench
