// SPDX-License-Identifier: GPL-3.0-or-later
// The memory under the records: blocks that hold what they are asked for
// (header included, also when a kept block is handed out again), grow so
// that a large catalogue needs few of them, ask for huge pages, and record
// slots that keep a line of 80 characters out of the next slot.
#include "arena.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

#include "catalog_fixture.h"

namespace {

class ArenaTest : public CatalogTest {
  protected:
    // The worked line with its description run on to `length` characters.
    static std::string LineOfLength(std::size_t length) {
        std::string line = WorkedLine();
        line.resize(length, 'd');
        return line;
    }
    void SaveAndCompare(const std::string& text) {
        const std::string saved = PathOf("saved.txt");
        ASSERT_GT(catalog.SaveText(saved.c_str()), 0);
        EXPECT_TRUE(ReadFile(saved) == text) << "the saved lines differ from the loaded ones";
    }
};

constexpr std::size_t kMiB = std::size_t{1} << 20;

// A line stored outside its slot takes memory of its own length plus one;
// lengths around the first blocks' sizes (2 and 4 MiB) must fit, header and
// all, in whatever block is mapped for them.
TEST_F(ArenaTest, LinesJustUnderABlocksSizeLoadAndSaveIntact) {
    // In a child: memory written past a block's end may end the process.
    const int status =
        tktest::RunFunction([&] {
            for (const std::size_t block : {2 * kMiB, 4 * kMiB}) {
                for (const std::size_t under : {17u, 33u, 49u, 64u, 65u, 80u}) {
                    const std::string text = WorkedLine() + "\n" + LineOfLength(block - under) +
                                             "\n" + WorkedLine() + "\n";
                    if (LoadText(text) != 3) return 1;
                    catalog.SetMaxMagLimit(99);
                    catalog.SetMinMagLimit(0);
                    if (catalog.Search(true) != 3) return 2;
                    const std::string saved = PathOf("saved.txt");
                    if (catalog.SaveText(saved.c_str()) != 3 || ReadFile(saved) != text) return 3;
                }
            }
            return 0;
        }).status;
    EXPECT_EQ(status, 0) << "1: not loaded, 2: not found, 3: not saved as loaded, -1: crashed";
}

TEST_F(ArenaTest, AMillionStarsMapFewBlocks) {
    std::string text;
    const std::string line = WorkedLine() + "\n";
    text.reserve(line.size() * 1000000);
    for (int i = 0; i < 1000000; ++i) text += line;
    const std::size_t before = velmo::MappedArenaBlocks();
    ASSERT_EQ(LoadText(text), 1000000);
    ASSERT_EQ(catalog.Search(true), 1000000);
    // About 250 MB of records, nodes and packed copy: blocks that double up
    // to 64 MiB need a few per piece of the load; 2 MiB blocks would be 120.
    const std::size_t blocks = velmo::MappedArenaBlocks() - before;
    const long cores = sysconf(_SC_NPROCESSORS_ONLN);
    EXPECT_LE(blocks, 12u + 8u * static_cast<std::size_t>(cores > 0 ? cores : 1))
        << "blocks mapped for a million stars";
}

// After a Reset the kept blocks are handed out again, but only to requests
// that fit them: the memory given must be the arena's own, all of it.
TEST_F(ArenaTest, AKeptBlockIsHandedOutAgainOnlyWhenTheRequestFits) {
    const int status =
        tktest::RunFunction([] {
            velmo::Arena arena;
            arena.Allocate(2 * kMiB - 4096);  // the first block, nearly full
            arena.Allocate(64 * 1024);        // a second block of 4 MiB
            arena.Reset();
            char* small = static_cast<char*>(arena.Allocate(1024));
            std::memset(small, 'a', 1024);
            const std::size_t large = 5 * kMiB;  // more than the kept second block
            char* big = static_cast<char*>(arena.Allocate(large));
            // Memory that is mapped in full answers mincore; a block too small
            // for the request leaves part of it unmapped or inside another.
            const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
            const std::uintptr_t first = reinterpret_cast<std::uintptr_t>(big) & ~(page - 1);
            const std::size_t span = large + (reinterpret_cast<std::uintptr_t>(big) - first);
            std::vector<unsigned char> resident(span / page + 1);
            if (mincore(reinterpret_cast<void*>(first), span, resident.data()) != 0) return 1;
            std::memset(big, 'b', large);
            for (int i = 0; i < 1024; ++i) {
                if (small[i] != 'a') return 2;
            }
            return 0;
        }).status;
    EXPECT_EQ(status, 0) << "1: unmapped memory handed out, 2: another allocation overwritten";
}

// An 80-character line does not fit a slot's 80 bytes with its terminator.
// Stars in 80-character lines, across several chunks, load, search and save
// exactly as the same stars in 79-character lines.
TEST_F(ArenaTest, LinesOf80CharactersBehaveAsLinesOf79) {
    constexpr int kStars = 40000;  // several chunks of records
    std::vector<std::vector<RecordCopy>> records;
    std::vector<std::int32_t> found;
    for (const std::size_t length : {79u, 80u}) {
        SCOPED_TRACE(length);
        std::string text;
        for (int i = 0; i < kStars; ++i) text += LineOfLength(length) + "\n";
        ASSERT_EQ(LoadText(text), kStars);
        // A search on the exact period finds a star only when its stored
        // period is exactly what its line says.
        catalog.SetPeriodMost(409.33);
        catalog.SetPeriodLeast(409.33);
        catalog.SetMaxMagLimit(99);
        catalog.SetMinMagLimit(0);
        found.push_back(catalog.Search(true));
        SaveAndCompare(text);
        records.push_back(CopyRecords(catalog));
        for (RecordCopy& record : records.back()) record.line.resize(75);
    }
    EXPECT_EQ(found, (std::vector<std::int32_t>{kStars, kStars}));
    EXPECT_TRUE(records[0] == records[1]) << "the records differ beyond their lines";
}

// Where the kernel grants huge pages on request, the blocks under the
// records ask for them.
TEST_F(ArenaTest, LoadedBlocksAskForHugePages) {
    std::ifstream setting("/sys/kernel/mm/transparent_hugepage/enabled");
    std::string enabled;
    std::getline(setting, enabled);
    if (enabled.find("[madvise]") == std::string::npos &&
        enabled.find("[always]") == std::string::npos) {
        GTEST_SKIP() << "transparent huge pages are off here: " << enabled;
    }
    ASSERT_TRUE(velmo::HugePagesAllowed());
    ASSERT_EQ(LoadLines({WorkedLine(), WorkedLine()}), 2);
    const auto address = reinterpret_cast<std::uintptr_t>(catalog.FirstRecord());
    std::ifstream smaps("/proc/self/smaps");
    std::string line;
    bool inside = false;
    std::string eligible, flags;
    while (std::getline(smaps, line)) {
        unsigned long start = 0, end = 0;
        char dash = 0;
        std::istringstream range(line);
        if (range >> std::hex >> start >> dash >> end && dash == '-' &&
            line.find(':') > line.find(' ')) {
            inside = address >= start && address < end;
            continue;
        }
        if (!inside) continue;
        if (line.rfind("THPeligible:", 0) == 0) eligible = line;
        if (line.rfind("VmFlags:", 0) == 0) flags = line;
    }
    EXPECT_NE(flags.find(" hg"), std::string::npos) << "no huge-page advice: " << flags;
    if (enabled.find("[madvise]") != std::string::npos) {
        EXPECT_NE(eligible.find('1'), std::string::npos) << eligible;
    }
}

}  // namespace
