// SPDX-License-Identifier: GPL-3.0-or-later
// The one-shot job in a fresh process, as a user would run it: Load a
// catalogue, push the job's criteria, Search in specific mode and SaveCsv
// the matches. Prints the time of each step and the page faults taken,
// since in a fresh process every page the records occupy is touched for the
// first time, and the processor time of the load (user and system, all
// threads), which a busy machine disturbs less than the wall time.
//
//   velmo_bench_job [--no-huge-pages] [--pieces=N] CATALOGUE OUTPUT.csv
//
// --no-huge-pages: the catalogue's blocks do not ask for transparent huge
// pages; --pieces=N: the file is split into N pieces (1: one thread), for
// comparing with the defaults.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "arena.h"
#include "job_criteria.h"
#include "load_splitting.h"
#include "star_catalog.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

long MinorFaults() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

// User and system time of the process so far, all threads, in ms.
double CpuMilliseconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

}  // namespace

int main(int argc, char** argv) {
    for (; argc > 3; --argc, ++argv) {
        if (std::strcmp(argv[1], "--no-huge-pages") == 0) {
            velmo::SetHugePagesAllowed(false);
        } else if (std::strncmp(argv[1], "--pieces=", 9) == 0) {
            velmo::SetLoadSplitting(static_cast<unsigned>(std::atoi(argv[1] + 9)), 0);
        } else {
            break;
        }
    }
    if (argc != 3) {
        std::fprintf(stderr,
                     "usage: velmo_bench_job [--no-huge-pages] [--pieces=N] CATALOGUE "
                     "OUTPUT.csv\n");
        return 2;
    }
    const long faultsBefore = MinorFaults();
    const double cpuBefore = CpuMilliseconds();
    const Clock::time_point start = Clock::now();
    StarCatalog catalog;
    const std::int32_t records = catalog.Load(argv[1]);
    const double loadMs = MillisecondsSince(start);
    const long loadFaults = MinorFaults() - faultsBefore;
    const double loadCpuMs = CpuMilliseconds() - cpuBefore;

    Clock::time_point step = Clock::now();
    velmo_bench::SetJobCriteria(catalog);
    const std::int32_t matches = catalog.Search(true);
    const double searchMs = MillisecondsSince(step);

    step = Clock::now();
    const std::int32_t written = catalog.SaveCsv(argv[2]);
    const double saveMs = MillisecondsSince(step);
    const double totalMs = MillisecondsSince(start);

    if (records <= 0 || written != matches) {
        std::fprintf(stderr, "velmo_bench_job: failed (load %d, search %d, save %d)\n", records,
                     matches, written);
        return 1;
    }
    std::printf(
        "load %.1f ms (%d records, %ld page faults, %.1f ms processor time), search %.1f ms "
        "(%d matches), save %.1f ms, job %.1f ms\n",
        loadMs, records, loadFaults, loadCpuMs, searchMs, matches, saveMs, totalMs);
    return 0;
}
