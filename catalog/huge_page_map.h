// SPDX-License-Identifier: GPL-3.0-or-later
// Anonymous memory on a huge-page boundary: the one way the engine's arenas
// and the window's row index map large blocks. A block is mapped with one
// huge page to spare and trimmed, so that it starts on a 2 MiB boundary and
// the kernel can back it with transparent huge pages; where the kernel
// refuses them, plain pages are used and only the speed changes.
#pragma once

#include <cstddef>

namespace velmo {

constexpr std::size_t kHugePageBytes = std::size_t{2} << 20;

// `bytes` rounded up to whole huge pages; 0 when that does not fit a size_t.
std::size_t WholeHugePages(std::size_t bytes);

// Maps `length` bytes (a multiple of kHugePageBytes, not 0) of zeroed,
// private, read-write memory aligned to kHugePageBytes. With `askHugePages`
// the block is advised MADV_HUGEPAGE. Returns null when the mapping fails.
// The caller owns the block and releases it with munmap(block, length).
void* MapHugePageAligned(std::size_t length, bool askHugePages);

}  // namespace velmo
