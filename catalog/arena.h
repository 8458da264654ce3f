// SPDX-License-Identifier: GPL-3.0-or-later
// Arena: memory handed out from large blocks that the arena maps itself
// (anonymous mmap, aligned to 2 MiB) and unmaps all at once. Blocks ask the
// kernel for transparent huge pages (madvise MADV_HUGEPAGE) unless that was
// switched off with SetHugePagesAllowed(false); where the kernel refuses,
// plain pages are used and only the speed changes.
//
// The catalogue keeps its records and result nodes in arenas, so that
// releasing a catalogue of millions of records costs a few munmap calls,
// and the first touch of its memory costs one fault per 2 MiB instead of
// one per 4 KiB.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>

namespace velmo {

class Arena {
  public:
    Arena() = default;
    ~Arena();  // unmaps every block
    Arena(const Arena&) = delete;
    Arena& operator=(const Arena&) = delete;

    // Returns `bytes` of zeroed-or-reused memory aligned to 16 bytes, valid
    // until Reset, ReleaseAll or the destruction of the arena. Memory handed
    // out before a Reset is handed out again afterwards, not zeroed. Throws
    // std::bad_alloc when no block can be mapped.
    void* Allocate(std::size_t bytes) {
        if (bytes > kLargestRequest) {
            throw std::bad_alloc();
        }
        bytes = (bytes + 15) & ~std::size_t{15};
        if (bytes <= static_cast<std::size_t>(limit - cursor)) {
            char* memory = cursor;
            cursor += bytes;
            return memory;
        }
        return AllocateSlow(bytes);
    }

    // Starts handing out the kept blocks again from the first one; constant
    // time. Everything handed out before must no longer be used.
    void Reset();
    // Unmaps every block; the arena is then empty.
    void ReleaseAll();
    // Takes over every block of `other`, which is left empty. Allocations
    // made afterwards go to new blocks, never into the blocks taken over,
    // until a Reset (which hands out every block again).
    void Adopt(Arena& other);

    bool Empty() const { return first == nullptr; }

  private:
    struct Block;

    static constexpr std::size_t kLargestRequest = std::size_t{1} << 40;

    void* AllocateSlow(std::size_t bytes);
    // Maps a block with room for at least `bytes`; null when mmap fails.
    Block* MapBlock(std::size_t bytes);

    Block* first = nullptr;     // owned blocks, linked by Block::next
    Block* current = nullptr;   // block in use; null when there is none
    char* cursor = nullptr;     // next free byte of `current`
    char* limit = nullptr;      // end of `current`
    unsigned blocksMapped = 0;  // since the last ReleaseAll: sets the next block's size
};

// Whether new blocks ask for transparent huge pages (default: true). For
// tests and measurements; the answer changes only speed and memory use.
void SetHugePagesAllowed(bool allowed);
bool HugePagesAllowed();

// Blocks of every arena of the process mapped now (for tests: every block
// is unmapped once its catalogue lets go of it).
std::size_t MappedArenaBlocks();

// Test hook: after `maps` more successful block maps, every further map
// fails as if memory had run out; a negative value (the default) turns the
// failure off. Applies to every arena of the process.
void FailArenaMapsAfter(long maps);

}  // namespace velmo
