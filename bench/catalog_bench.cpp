// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the catalogue engine on a generated 1,000,000-line catalogue
// (about 73 MB), read from the page cache; VELMO_BENCH_LINES=10000000 in the
// environment gives the 10,000,000-line case (728 MB; the generated file and
// the catalogue need about 3.5 GB of memory).
//
//   Job          the one-shot job: Load, the eight setters, a specific
//                Search (RA 22-2 h, Dec -30..+60, "Max >" 9.0, "Min <" 6.0,
//                period 1-500 days) and SaveCsv of the matches
//   JobReload    the same job on a catalogue that has loaded before, so that
//                its records go into memory the process already holds
//   Load         Load alone, into a new catalogue
//   Reload       Load again into the same catalogue: the records go into
//                memory the process already holds, so this is Load's own
//                work without the price of fresh memory (see FreshMemory)
//   Teardown     destroying a loaded catalogue (records and nodes)
//   Search/...   a further Search on the loaded catalogue
//   Walk         MoveFirst ... MoveNext over 1,000,000 results, all eight
//                accessors read at each
//   SaveCsv      1,000,000 results as CSV; SaveText the same as lines
//   FreshMemory  the machine's price of 256 MB of never-touched memory, about
//                what Load's records and nodes occupy for a million lines:
//                on a virtual machine that hands freed pages back to its
//                host, every first touch of a page is a costly fault.
//                Argument 0: 4 KiB pages, one fault each; 1: the same memory
//                asked for as transparent huge pages, one fault per 2 MiB,
//                as the catalogue's blocks ask for it. Read Load and Job
//                next to it.
//
// Output files go to a scratch directory under $VELMO_BENCH_DIR (default:
// the temporary directory).
#include <benchmark/benchmark.h>
#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

#include "catalogue_generator.h"
#include "job_criteria.h"
#include "star_catalog.h"

namespace {

constexpr std::uint64_t kSeed = 20240601;

// Lines of the generated catalogue: $VELMO_BENCH_LINES, else 1,000,000.
std::size_t Lines() {
    static const std::size_t lines = [] {
        const char* text = std::getenv("VELMO_BENCH_LINES");
        const unsigned long long value = text != nullptr ? std::strtoull(text, nullptr, 10) : 0;
        return value > 0 ? static_cast<std::size_t>(value) : std::size_t{1000000};
    }();
    return lines;
}

struct Files {
    velmo_bench::ScratchDir scratch;
    std::string catalogue = scratch.PathOf("catalogue.txt");
    std::string output = scratch.PathOf("output");
    std::size_t bytes = 0;

    Files() {
        bytes = velmo_bench::WriteCatalogue(catalogue, Lines(), kSeed);
        // Read it once so that every benchmark finds it in the page cache.
        std::ifstream in(catalogue, std::ios::binary);
        std::string block(1 << 20, '\0');
        while (in.read(&block[0], static_cast<std::streamsize>(block.size()))) {
        }
    }
};

Files& TheFiles() {
    static Files files;
    return files;
}

// One catalogue loaded once and shared by the benchmarks that only read it.
StarCatalog& Loaded() {
    static std::unique_ptr<StarCatalog> catalog = [] {
        auto loaded = std::make_unique<StarCatalog>();
        loaded->Load(TheFiles().catalogue.c_str());
        return loaded;
    }();
    return *catalog;
}

// Criteria that every record with values passes: the most nodes a search
// can build.
void SetWidestCriteria(StarCatalog& catalog) {
    velmo::SetCriteria(catalog, {0, 23, -90, 90, 99.0f, 0.0f, 0.0, 1e9}, true);
}

void BM_Job(benchmark::State& state) {
    const Files& files = TheFiles();
    std::int32_t matches = 0;
    for (auto _ : state) {
        auto catalog = std::make_unique<StarCatalog>();
        const std::int32_t loaded = catalog->Load(files.catalogue.c_str());
        velmo_bench::SetJobCriteria(*catalog);
        matches = catalog->Search(true);
        const std::int32_t written = catalog->SaveCsv(files.output.c_str());
        if (loaded != static_cast<std::int32_t>(Lines()) || written != matches) {
            state.SkipWithError("the job failed");
            break;
        }
        state.PauseTiming();
        catalog.reset();
        state.ResumeTiming();
    }
    state.counters["matches"] = matches;
}

void BM_JobReload(benchmark::State& state) {
    const Files& files = TheFiles();
    StarCatalog catalog;
    catalog.Load(files.catalogue.c_str());
    std::int32_t matches = 0;
    for (auto _ : state) {
        const std::int32_t loaded = catalog.Load(files.catalogue.c_str());
        velmo_bench::SetJobCriteria(catalog);
        matches = catalog.Search(true);
        const std::int32_t written = catalog.SaveCsv(files.output.c_str());
        if (loaded != static_cast<std::int32_t>(Lines()) || written != matches) {
            state.SkipWithError("the job failed");
            break;
        }
    }
    state.counters["matches"] = matches;
}

void BM_Load(benchmark::State& state) {
    const Files& files = TheFiles();
    for (auto _ : state) {
        auto catalog = std::make_unique<StarCatalog>();
        if (catalog->Load(files.catalogue.c_str()) != static_cast<std::int32_t>(Lines())) {
            state.SkipWithError("the load failed");
            break;
        }
        state.PauseTiming();
        catalog.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(files.bytes));
}

void BM_Reload(benchmark::State& state) {
    const Files& files = TheFiles();
    StarCatalog catalog;
    catalog.Load(files.catalogue.c_str());
    for (auto _ : state) {
        if (catalog.Load(files.catalogue.c_str()) != static_cast<std::int32_t>(Lines())) {
            state.SkipWithError("the load failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(files.bytes));
}

void BM_Teardown(benchmark::State& state) {
    const Files& files = TheFiles();
    for (auto _ : state) {
        state.PauseTiming();
        auto catalog = std::make_unique<StarCatalog>();
        catalog->Load(files.catalogue.c_str());
        state.ResumeTiming();
        catalog.reset();
    }
}

// Argument: 0 the job's criteria, specific; 1 the job's sky area,
// unspecified; 2 the widest criteria, specific.
void BM_Search(benchmark::State& state) {
    StarCatalog& catalog = Loaded();
    const bool specific = state.range(0) != 1;
    if (state.range(0) == 2) {
        SetWidestCriteria(catalog);
    } else {
        velmo_bench::SetJobCriteria(catalog);
    }
    std::int32_t matches = catalog.Search(specific);  // drops the list of the load
    for (auto _ : state) {
        matches = catalog.Search(specific);
        benchmark::DoNotOptimize(matches);
    }
    state.counters["matches"] = matches;
}

void BM_Walk(benchmark::State& state) {
    StarCatalog& catalog = Loaded();
    catalog.ListAll();
    std::int64_t rows = 0;
    for (auto _ : state) {
        rows = 0;
        std::int64_t sum = 0;
        for (catalog.MoveFirst(); !catalog.IsAtLast(); catalog.MoveNext()) {
            sum += catalog.CurrentRaHours() + catalog.CurrentRaMinutes() + catalog.CurrentDec();
            sum += catalog.CurrentName()[0] + catalog.CurrentType()[0] + catalog.CurrentRange()[0] +
                   catalog.CurrentDescription()[0];
            sum += static_cast<std::int64_t>(catalog.CurrentPeriod());
            ++rows;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["rows"] = static_cast<double>(rows);
}

void BM_SaveCsv(benchmark::State& state) {
    StarCatalog& catalog = Loaded();
    catalog.ListAll();
    const std::string path = TheFiles().output + ".csv";
    for (auto _ : state) {
        if (catalog.SaveCsv(path.c_str()) != static_cast<std::int32_t>(Lines())) {
            state.SkipWithError("the save failed");
            break;
        }
    }
}

void BM_SaveText(benchmark::State& state) {
    StarCatalog& catalog = Loaded();
    catalog.ListAll();
    const std::string path = TheFiles().output + ".txt";
    for (auto _ : state) {
        if (catalog.SaveText(path.c_str()) != static_cast<std::int32_t>(Lines())) {
            state.SkipWithError("the save failed");
            break;
        }
    }
}

void BM_FreshMemory(benchmark::State& state) {
    constexpr std::size_t kBytes = std::size_t{256} << 20;
    for (auto _ : state) {
        void* memory =
            mmap(nullptr, kBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (memory == MAP_FAILED) {
            state.SkipWithError("mmap failed");
            break;
        }
        if (state.range(0) == 1) {
            madvise(memory, kBytes, MADV_HUGEPAGE);
        }
        auto* bytes = static_cast<volatile char*>(memory);
        for (std::size_t offset = 0; offset < kBytes; offset += 4096) {
            bytes[offset] = 1;
        }
        munmap(memory, kBytes);
    }
}

BENCHMARK(BM_FreshMemory)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Job)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_JobReload)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_Reload)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_Teardown)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0);
BENCHMARK(BM_Search)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Walk)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveCsv)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_SaveText)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
