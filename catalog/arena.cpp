// SPDX-License-Identifier: GPL-3.0-or-later
#include "arena.h"

#include <sys/mman.h>

#include <atomic>
#include <cstdint>
#include <new>

#include "huge_page_map.h"

namespace velmo {
namespace {

constexpr std::size_t kFirstBlockBytes = kHugePageBytes;
constexpr std::size_t kLargestBlockBytes = std::size_t{64} << 20;

std::atomic<bool> hugePagesAllowed{true};
std::atomic<std::size_t> mappedBlocks{0};
std::atomic<long> mapsBeforeFailure{-1};

// Consumes one map of the failure hook; false when this map is to fail.
bool MapAllowedByHook() {
    long left = mapsBeforeFailure.load(std::memory_order_relaxed);
    while (left >= 0) {
        if (left == 0) {
            return false;
        }
        if (mapsBeforeFailure.compare_exchange_weak(left, left - 1, std::memory_order_relaxed)) {
            return true;
        }
    }
    return true;
}

}  // namespace

// Header at the start of each mapped block; the usable bytes follow it, a
// cache line in.
struct Arena::Block {
    static constexpr std::size_t kHeaderBytes = 64;
    Block* next;
    std::size_t bytes;  // the whole mapping, header included
    char* Begin() { return reinterpret_cast<char*>(this) + kHeaderBytes; }
    char* End() { return reinterpret_cast<char*>(this) + bytes; }
};

Arena::~Arena() { ReleaseAll(); }

void* Arena::AllocateSlow(std::size_t bytes) {
    // A block that a Reset left behind is used again when the request fits.
    if (current != nullptr && current->next != nullptr &&
        bytes <= static_cast<std::size_t>(current->next->End() - current->next->Begin())) {
        current = current->next;
    } else {
        Block* block = MapBlock(bytes);
        if (block == nullptr) {
            throw std::bad_alloc();
        }
        if (current == nullptr) {
            block->next = first;
            first = block;
        } else {
            block->next = current->next;
            current->next = block;
        }
        current = block;
    }
    cursor = current->Begin() + bytes;
    limit = current->End();
    return current->Begin();
}

Arena::Block* Arena::MapBlock(std::size_t bytes) {
    // Blocks grow with their number, so that a small catalogue stays small
    // and a large one needs few mappings.
    std::size_t size = kFirstBlockBytes << (blocksMapped < 6 ? blocksMapped : 6);
    if (size > kLargestBlockBytes) {
        size = kLargestBlockBytes;
    }
    const std::size_t needed = WholeHugePages(bytes + Block::kHeaderBytes);
    if (needed == 0 || bytes + Block::kHeaderBytes < bytes) {
        return nullptr;  // overflow
    }
    if (size < needed) {
        size = needed;
    }
    if (!MapAllowedByHook()) {
        return nullptr;
    }
    void* memory = MapHugePageAligned(size, hugePagesAllowed.load(std::memory_order_relaxed));
    if (memory == nullptr) {
        return nullptr;
    }
    ++blocksMapped;
    mappedBlocks.fetch_add(1, std::memory_order_relaxed);
    Block* block = static_cast<Block*>(memory);
    block->next = nullptr;
    block->bytes = size;
    return block;
}

void Arena::Reset() {
    current = first;
    if (current != nullptr) {
        cursor = current->Begin();
        limit = current->End();
    } else {
        cursor = limit = nullptr;
    }
}

void Arena::ReleaseAll() {
    while (first != nullptr) {
        Block* next = first->next;
        munmap(first, first->bytes);
        mappedBlocks.fetch_sub(1, std::memory_order_relaxed);
        first = next;
    }
    current = nullptr;
    cursor = limit = nullptr;
    blocksMapped = 0;
}

void Arena::Adopt(Arena& other) {
    if (other.first != nullptr) {
        Block* last = other.first;
        while (last->next != nullptr) {
            last = last->next;
        }
        last->next = first;
        first = other.first;
        blocksMapped += other.blocksMapped;
    }
    // New allocations must not land in the blocks taken over: with no
    // current block, the next one maps a fresh block at the front.
    current = nullptr;
    cursor = limit = nullptr;
    other.first = other.current = nullptr;
    other.cursor = other.limit = nullptr;
    other.blocksMapped = 0;
}

void SetHugePagesAllowed(bool allowed) { hugePagesAllowed.store(allowed); }
bool HugePagesAllowed() { return hugePagesAllowed.load(); }
std::size_t MappedArenaBlocks() { return mappedBlocks.load(); }
void FailArenaMapsAfter(long maps) { mapsBeforeFailure.store(maps); }

}  // namespace velmo
