// SPDX-License-Identifier: GPL-3.0-or-later
// Memory per loaded record: the peak resident size after Load minus the
// resident size of the process just before it, divided by the records.
//
//   velmo_bench_memory [catalogue-file]
//
// Without a file, a 1,000,000-line catalogue is generated first (in a
// scratch directory, written in small blocks so that it costs the process
// no memory worth counting).
#include <cstdio>
#include <fstream>
#include <string>

#include "catalogue_generator.h"
#include "star_catalog.h"

namespace {

// A "VmRSS" or "VmHWM" line of /proc/self/status, in kB; -1 when absent.
long StatusKb(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(key) + ":";
    while (std::getline(status, line)) {
        if (line.compare(0, prefix.size(), prefix) == 0) {
            return std::stol(line.substr(prefix.size()));
        }
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    velmo_bench::ScratchDir scratch;
    std::string path;
    if (argc > 1) {
        path = argv[1];
    } else {
        path = scratch.PathOf("catalogue.txt");
        velmo_bench::WriteCatalogue(path, 1000000, 20240601);
    }

    StarCatalog catalog;
    const long before = StatusKb("VmRSS");
    const std::int32_t records = catalog.Load(path.c_str());
    const long peak = StatusKb("VmHWM");
    const long after = StatusKb("VmRSS");
    if (records <= 0) {
        std::fprintf(stderr, "velmo_bench_memory: cannot load %s (%d)\n", path.c_str(), records);
        return 1;
    }
    std::printf("records loaded            %d\n", records);
    std::printf("sizeof StarRecord         %zu bytes (+ the stored line)\n", sizeof(StarRecord));
    std::printf("sizeof ResultNode         %zu bytes\n", sizeof(ResultNode));
    std::printf("resident before Load      %ld kB\n", before);
    std::printf("resident after Load       %ld kB (peak %ld kB)\n", after, peak);
    std::printf("bytes per record          %.1f (peak after Load - resident before)\n",
                static_cast<double>(peak - before) * 1024.0 / records);
    return 0;
}
