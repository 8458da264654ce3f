// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: arbitrary bytes as a catalogue file. Loads them, then
// searches in both modes under criteria taken from the input's last bytes,
// walks each result list both ways reading every accessor, and saves it as
// CSV and as text; the saved text must load back to as many records. The
// input is also loaded split into 2 to 9 pieces (decoded by as many
// threads), which must give the very same records. Any broken promise
// aborts, so the fuzzer reports it like a crash.
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "load_splitting.h"
#include "star_catalog.h"

namespace {

void Check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "broken promise: %s\n", what);
        std::abort();
    }
}

// A private directory for this process's files, removed at exit.
const std::string& WorkDir() {
    static const std::string dir = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "velmo-fuzz-XXXXXX").string();
        Check(mkdtemp(pattern.data()) != nullptr, "cannot create a temporary directory");
        return pattern;
    }();
    static const struct Remover {
        ~Remover() {
            std::error_code ignored;
            std::filesystem::remove_all(dir, ignored);
        }
    } remover;
    return dir;
}

// Walks the result list forwards or backwards, reading every accessor;
// returns the number of rows read.
std::int32_t Walk(StarCatalog& catalog, bool forward) {
    std::int32_t rows = 0;
    std::size_t sink = 0;
    if (forward) {
        catalog.MoveFirst();
    } else {
        catalog.MoveLast();
    }
    while (!(forward ? catalog.IsAtLast() : catalog.IsAtFirst())) {
        sink += static_cast<std::size_t>(catalog.CurrentRaHours() + catalog.CurrentRaMinutes() +
                                         catalog.CurrentDec());
        Check(std::strlen(catalog.CurrentName()) <= 11, "name wider than 11");
        Check(std::strlen(catalog.CurrentType()) <= 8, "type wider than 8");
        Check(std::strlen(catalog.CurrentRange()) <= 14, "range wider than 14");
        Check(std::strlen(catalog.CurrentDescription()) <= 20, "description wider than 20");
        sink += static_cast<std::size_t>(catalog.CurrentPeriod() != 0.0);
        Check(++rows <= 1 << 24, "the walk does not end");
        if (forward) {
            catalog.MoveNext();
        } else {
            catalog.MovePrev();
        }
    }
    (void)sink;
    return rows;
}

// True when both catalogues hold the same records, field for field.
bool SameRecords(const StarCatalog& a, const StarCatalog& b) {
    const StarRecord* x = a.FirstRecord();
    const StarRecord* y = b.FirstRecord();
    for (; x != nullptr && y != nullptr; x = x->next, y = y->next) {
        if (x->seq != y->seq || x->lineLength != y->lineLength ||
            std::memcmp(x->line, y->line, static_cast<std::size_t>(x->lineLength) + 1) != 0 ||
            x->raHours != y->raHours || x->raMinutes != y->raMinutes ||
            x->decDegrees != y->decDegrees || std::strcmp(x->name, y->name) != 0 ||
            std::strcmp(x->type, y->type) != 0 || std::strcmp(x->range, y->range) != 0 ||
            std::strcmp(x->description, y->description) != 0 ||
            x->maxMagnitude != y->maxMagnitude || x->minMagnitude != y->minMagnitude ||
            x->period != y->period) {
            return false;
        }
    }
    return x == nullptr && y == nullptr;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string& dir = WorkDir();
    const std::string input = dir + "/input.txt";
    const std::string csv = dir + "/out.csv";
    const std::string text = dir + "/out.txt";
    {
        std::ofstream file(input, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        Check(file.good(), "cannot write the input file");
    }

    StarCatalog catalog;
    const std::int32_t loaded = catalog.Load(input.c_str());
    Check(loaded >= 0, "a readable file did not load");
    Check(catalog.IsLoaded() == (loaded > 0), "loaded flag");
    {
        velmo::SetLoadSplitting(2 + (size > 0 ? data[0] % 8 : 0), 0);
        StarCatalog split;
        const std::int32_t splitLoaded = split.Load(input.c_str());
        velmo::ResetLoadSplitting();
        Check(splitLoaded == loaded, "a split load counts differently");
        Check(SameRecords(catalog, split), "a split load gives other records");
    }

    // Criteria from the last eight bytes, out-of-range values included.
    std::uint8_t knobs[8] = {};
    std::memcpy(knobs, data + (size >= 8 ? size - 8 : 0), size >= 8 ? 8 : size);
    catalog.SetRaWest(static_cast<std::int16_t>(static_cast<std::int8_t>(knobs[0]) % 30));
    catalog.SetRaEast(static_cast<std::int16_t>(static_cast<std::int8_t>(knobs[1]) % 30));
    catalog.SetDecSouth(static_cast<std::int8_t>(knobs[2]));
    catalog.SetDecNorth(static_cast<std::int8_t>(knobs[3]));
    catalog.SetMinMagLimit(static_cast<std::int8_t>(knobs[4]) / 8.0);
    catalog.SetMaxMagLimit(static_cast<std::int8_t>(knobs[5]) / 8.0);
    catalog.SetPeriodLeast(static_cast<std::int8_t>(knobs[6]) * 3.5);
    catalog.SetPeriodMost(knobs[7] * 40.0);

    const bool firstMode = (knobs[0] & 1) != 0;
    for (const bool specific : {firstMode, !firstMode}) {
        const std::int32_t matches = catalog.Search(specific);
        Check(loaded == 0 ? matches == -1 : (matches >= 0 && matches <= loaded), "search count");
        const std::int32_t expected = matches > 0 ? matches : 0;
        Check(Walk(catalog, true) == expected, "forward walk count");
        Check(Walk(catalog, false) == expected, "backward walk count");
        // A save with nothing to write touches no file: start without one.
        std::remove(csv.c_str());
        std::remove(text.c_str());
        Check(catalog.SaveCsv(csv.c_str()) == expected, "CSV count");
        Check(catalog.SaveText(text.c_str()) == expected, "text count");
        if (loaded > 0) {
            StarCatalog reloaded;
            Check(reloaded.Load(text.c_str()) == (expected > 0 ? expected : -1),
                  "saved text loads back");
        }
    }
    catalog.ListAll();
    Check(Walk(catalog, false) == loaded, "walk of the whole catalogue");
    return 0;
}
