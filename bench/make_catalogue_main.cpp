// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a generated catalogue, for timing other tools on the same input.
//
//   velmo_make_catalogue FILE [LINES] [SEED]     (defaults: 1000000, 20240601)
#include <cstdio>
#include <cstdlib>

#include "catalogue_generator.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: velmo_make_catalogue FILE [LINES] [SEED]\n");
        return 2;
    }
    const std::size_t lines = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1000000;
    const std::uint64_t seed = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 20240601;
    const std::size_t bytes = velmo_bench::WriteCatalogue(argv[1], lines, seed);
    if (bytes == 0 && lines > 0) {
        std::fprintf(stderr, "velmo_make_catalogue: cannot write %s\n", argv[1]);
        return 1;
    }
    std::printf("%s: %zu lines, %zu bytes\n", argv[1], lines, bytes);
    return 0;
}
