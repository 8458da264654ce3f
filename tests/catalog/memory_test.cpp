// SPDX-License-Identifier: GPL-3.0-or-later
// Where the catalogue's memory comes from: mapped blocks that go when the
// catalogue lets go of them, huge pages that change nothing but speed, and
// loads that run out of memory and leave nothing behind.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <memory>
#include <new>
#include <string>

#include "arena.h"
#include "catalog_fixture.h"
#include "load_splitting.h"

namespace {

class MemoryTest : public CatalogTest {
  protected:
    void TearDown() override {
        velmo::FailArenaMapsAfter(-1);
        velmo::SetHugePagesAllowed(true);
        velmo::ResetLoadSplitting();
        CatalogTest::TearDown();
    }

    // A catalogue of `lines` random stars, some of them too long for a
    // record's own slot; returns its path.
    std::string WriteCatalogue(int lines) {
        std::uint32_t state = 99;
        std::string text;
        for (int i = 0; i < lines; ++i) {
            text += RandomStarLine(state);
            if (i % 50 == 0) {
                text += std::string(200, '+');
            }
            text += "\n";
        }
        return WriteFile("big.txt", text);
    }

    void ExpectNothingLoaded(const StarCatalog& c) {
        EXPECT_FALSE(c.IsLoaded());
        EXPECT_FALSE(c.HasResults());
        EXPECT_EQ(c.FirstRecord(), nullptr);
        EXPECT_EQ(c.ResultHead(), nullptr);
        EXPECT_EQ(c.Cursor(), nullptr);
    }
};

// The "THPeligible" value of the mapping that holds `address`, from
// /proc/self/smaps; -1 when the kernel does not report it.
int HugePageEligible(const void* address) {
    std::ifstream smaps("/proc/self/smaps");
    const auto where = reinterpret_cast<std::uintptr_t>(address);
    std::string line;
    bool inside = false;
    while (std::getline(smaps, line)) {
        unsigned long long from = 0, to = 0;
        if (std::sscanf(line.c_str(), "%llx-%llx ", &from, &to) == 2) {
            inside = where >= from && where < to;
        } else if (inside && line.rfind("THPeligible:", 0) == 0) {
            return std::stoi(line.substr(12));
        }
    }
    return -1;
}

// True when the kernel gives every mapping huge pages, asked for or not.
bool ThpAlways() {
    std::ifstream setting("/sys/kernel/mm/transparent_hugepage/enabled");
    std::string text;
    std::getline(setting, text);
    return text.find("[always]") != std::string::npos;
}

TEST_F(MemoryTest, EveryBlockGoesWithTheCatalogue) {
    const std::size_t before = velmo::MappedArenaBlocks();
    const std::string path = WriteCatalogue(60000);  // several blocks of records and nodes
    const std::string small = WriteFile("small.txt", WorkedLine() + "\n");
    {
        StarCatalog local;
        ASSERT_EQ(local.Load(path.c_str()), 60000);
        EXPECT_GT(velmo::MappedArenaBlocks(), before + 2);
        local.SetMinMagLimit(0.0);
        local.SetMaxMagLimit(99.0);
        local.SetPeriodMost(1e9);
        ASSERT_GT(local.Search(true), 0);
        const std::size_t held = velmo::MappedArenaBlocks();
        ASSERT_GT(local.Search(false), 0);  // builds in the blocks of the last list
        EXPECT_EQ(velmo::MappedArenaBlocks(), held);
        // A small catalogue keeps one block of records and one of nodes.
        ASSERT_EQ(local.Load(small.c_str()), 1);
        EXPECT_EQ(velmo::MappedArenaBlocks(), before + 2);
        // A failed load keeps none.
        ASSERT_EQ(local.Load(PathOf("missing.txt").c_str()), -1);
        EXPECT_EQ(velmo::MappedArenaBlocks(), before);
        ASSERT_EQ(local.Load(path.c_str()), 60000);
    }
    EXPECT_EQ(velmo::MappedArenaBlocks(), before);
}

TEST_F(MemoryTest, HugePagesRefusedChangeNothingButSpeed) {
    const std::string path = WriteCatalogue(30000);
    velmo::SetLoadSplitting(2, 0);
    for (const bool allowed : {true, false}) {
        velmo::SetHugePagesAllowed(allowed);
        StarCatalog other;
        ASSERT_EQ(other.Load(path.c_str()), 30000);
        const int eligible = HugePageEligible(other.FirstRecord());
        if (eligible >= 0) {
            // Eligible only when asked for (the kernel's setting "madvise"),
            // or always (the setting "always").
            if (!allowed) {
                EXPECT_EQ(eligible, ThpAlways() ? 1 : 0);
            }
        }
        velmo::SetHugePagesAllowed(!allowed);
        ASSERT_EQ(catalog.Load(path.c_str()), 30000);
        EXPECT_EQ(CopyRecords(other), CopyRecords(catalog));
        for (const bool specific : {true, false}) {
            ASSERT_EQ(other.Search(specific), catalog.Search(specific));
            EXPECT_EQ(ResultSeqs(other), ResultSeqs(catalog));
        }
    }
}

TEST_F(MemoryTest, LoadThatRunsOutOfMemoryLeavesNothingBehind) {
    const std::string path = WriteCatalogue(40000);
    const std::size_t before = velmo::MappedArenaBlocks();
    // Fail the first map, then the second, ... until the load needs no more
    // maps than allowed: every point where a block is mapped, in the
    // threads and in the list of all records, fails once.
    for (long maps = 0;; ++maps) {
        ASSERT_LT(maps, 100) << "the load never succeeded";
        velmo::SetLoadSplitting(static_cast<unsigned>(maps % 3 + 1), 0);
        StarCatalog victim;
        ASSERT_EQ(victim.Load(path.c_str()), 40000);  // something to lose first
        ASSERT_GT(victim.Search(false), 0);
        velmo::FailArenaMapsAfter(maps);
        bool failed = false;
        try {
            victim.Load(path.c_str());
        } catch (const std::bad_alloc&) {
            failed = true;
        }
        velmo::FailArenaMapsAfter(-1);
        if (!failed) {
            EXPECT_TRUE(victim.IsLoaded());
            break;
        }
        SCOPED_TRACE("failing after " + std::to_string(maps) + " maps");
        ExpectNothingLoaded(victim);
        EXPECT_EQ(velmo::MappedArenaBlocks(), before) << "a block was left mapped";
        // The catalogue is usable again.
        ASSERT_EQ(victim.Load(path.c_str()), 40000);
    }
}

TEST_F(MemoryTest, LoadUnderAnAddressSpaceLimitFailsCleanly) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer reserves more address space than any limit allows";
#else
    const std::string path = WriteCatalogue(200000);  // about 50 MB of records
    const tktest::ChildResult child = tktest::RunFunction([&] {
        // The limit leaves room for the process as it is and 24 MB more:
        // neither the records nor, perhaps, the threads' stacks fit.
        std::ifstream statm("/proc/self/statm");
        unsigned long pages = 0;
        statm >> pages;
        const rlim_t limit =
            static_cast<rlim_t>(pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + (24 << 20);
        const rlimit cap{limit, limit};
        if (setrlimit(RLIMIT_AS, &cap) != 0) {
            return 10;
        }
        StarCatalog limited;
        try {
            limited.Load(path.c_str());
            return 11;  // it should not have fitted
        } catch (const std::bad_alloc&) {
        }
        if (limited.IsLoaded() || limited.FirstRecord() != nullptr || limited.HasResults()) {
            return 12;
        }
        if (velmo::MappedArenaBlocks() != 0) {
            return 13;
        }
        return 0;
    });
    ASSERT_FALSE(child.timedOut);
    ASSERT_EQ(child.signal, 0);
    EXPECT_EQ(child.status, 0)
        << "10: no limit, 11: loaded anyway, 12: something loaded, 13: a block left mapped";
#endif
}

}  // namespace
