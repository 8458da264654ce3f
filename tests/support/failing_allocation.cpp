// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/failing_allocation.h"

#include <atomic>
#include <cstdlib>
#include <limits>
#include <new>

namespace {

std::atomic<std::size_t> g_failFrom{std::numeric_limits<std::size_t>::max()};
std::atomic<std::size_t> g_refused{0};

void* Allocate(std::size_t size, std::size_t alignment) {
    if (size >= g_failFrom.load(std::memory_order_relaxed)) {
        g_refused.fetch_add(1, std::memory_order_relaxed);
        throw std::bad_alloc();
    }
    if (size == 0) size = 1;
    void* memory = nullptr;
    if (alignment <= alignof(std::max_align_t)) {
        memory = std::malloc(size);
    } else {
        // aligned_alloc wants a size that is a multiple of the alignment.
        memory = std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment);
    }
    if (memory == nullptr) throw std::bad_alloc();
    return memory;
}

void* AllocateOrNull(std::size_t size, std::size_t alignment) noexcept {
    try {
        return Allocate(size, alignment);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

constexpr std::size_t kPlain = alignof(std::max_align_t);

}  // namespace

namespace tktest {

void FailAllocationsOfAtLeast(std::size_t bytes) {
    g_refused.store(0, std::memory_order_relaxed);
    g_failFrom.store(bytes, std::memory_order_relaxed);
}

void StopFailingAllocations() {
    g_failFrom.store(std::numeric_limits<std::size_t>::max(), std::memory_order_relaxed);
}

std::size_t RefusedAllocations() { return g_refused.load(std::memory_order_relaxed); }

}  // namespace tktest

void* operator new(std::size_t size) { return Allocate(size, kPlain); }
void* operator new[](std::size_t size) { return Allocate(size, kPlain); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return AllocateOrNull(size, kPlain);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return AllocateOrNull(size, kPlain);
}
void* operator new(std::size_t size, std::align_val_t alignment) {
    return Allocate(size, static_cast<std::size_t>(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
    return Allocate(size, static_cast<std::size_t>(alignment));
}
void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return AllocateOrNull(size, static_cast<std::size_t>(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return AllocateOrNull(size, static_cast<std::size_t>(alignment));
}

void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete(void* memory, std::align_val_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::align_val_t) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t, std::align_val_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t, std::align_val_t) noexcept { std::free(memory); }
void operator delete(void* memory, std::align_val_t, const std::nothrow_t&) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::align_val_t, const std::nothrow_t&) noexcept {
    std::free(memory);
}
