// SPDX-License-Identifier: GPL-3.0-or-later
#include "huge_page_map.h"

#include <sys/mman.h>

#include <cstdint>

namespace velmo {

std::size_t WholeHugePages(std::size_t bytes) {
    const std::size_t rounded = (bytes + kHugePageBytes - 1) & ~(kHugePageBytes - 1);
    return rounded < bytes ? 0 : rounded;
}

void* MapHugePageAligned(std::size_t length, bool askHugePages) {
    const std::size_t mapped = length + kHugePageBytes;
    if (length == 0 || mapped < length) {
        return nullptr;
    }
    void* memory =
        mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) {
        return nullptr;
    }
    const std::uintptr_t start = reinterpret_cast<std::uintptr_t>(memory);
    const std::uintptr_t aligned =
        (start + kHugePageBytes - 1) & ~std::uintptr_t{kHugePageBytes - 1};
    if (aligned > start) {
        munmap(memory, aligned - start);
    }
    const std::uintptr_t tail = start + mapped - (aligned + length);
    if (tail > 0) {
        munmap(reinterpret_cast<void*>(aligned + length), tail);
    }
    if (askHugePages) {
        madvise(reinterpret_cast<void*>(aligned), length, MADV_HUGEPAGE);
    }
    return reinterpret_cast<void*>(aligned);
}

}  // namespace velmo
