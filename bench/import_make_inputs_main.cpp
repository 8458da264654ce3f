// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the inputs for timing `velmo-cli import`:
//
//   velmo_import_make_inputs FOLDER [STARS] [SEED]   (defaults: 1000000, 20261209)
//
// FOLDER/stars.gcvs.txt (a GCVS extract), FOLDER/stars.csv (a table),
// FOLDER/stars.tabledata.vot and FOLDER/stars.binary2.vot (VOTables) and
// FOLDER/stars.fits (a FITS table), STARS stars each.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "import_generator.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: velmo_import_make_inputs FOLDER [STARS] [SEED]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const std::size_t stars = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1000000;
    const std::uint64_t seed = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 20261209;
    const std::string gcvs = folder + "/stars.gcvs.txt";
    const std::string table = folder + "/stars.csv";
    const std::size_t gcvsBytes = velmo_bench::WriteGcvsExtract(gcvs, stars, seed);
    const std::size_t tableBytes = velmo_bench::WriteStarTable(table, stars, seed);
    if (gcvsBytes == 0 || tableBytes == 0) {
        std::fprintf(stderr, "velmo_import_make_inputs: cannot write to %s\n", folder.c_str());
        return 1;
    }
    std::printf("%s: %zu stars, %zu bytes\n%s: %zu stars, %zu bytes\n", gcvs.c_str(), stars,
                gcvsBytes, table.c_str(), stars, tableBytes);
    const struct {
        const char* name;
        velmo_bench::TableForm form;
    } kServiceTables[] = {
        {"stars.tabledata.vot", velmo_bench::TableForm::kTableData},
        {"stars.binary2.vot", velmo_bench::TableForm::kBinary2},
        {"stars.fits", velmo_bench::TableForm::kFits},
    };
    for (const auto& service : kServiceTables) {
        const std::string path = folder + "/" + service.name;
        if (!velmo_bench::WriteServiceTable(path, service.form, stars, seed)) {
            std::fprintf(stderr, "velmo_import_make_inputs: cannot write %s\n", path.c_str());
            return 1;
        }
        std::printf("%s: %zu stars\n", path.c_str(), stars);
    }
    return 0;
}
