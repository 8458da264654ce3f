// SPDX-License-Identifier: GPL-3.0-or-later
// Running out of memory on demand. A test program built with
// failing_allocation.cpp has the global operator new and delete replaced
// (every form: plain, array, nothrow, aligned, sized) by versions over
// malloc and free that can be told to fail, as when memory runs out. Link it
// only into programs that test running out of memory.
#pragma once

#include <cstddef>

namespace tktest {

// From now on every allocation through operator new of at least `bytes`
// fails: the throwing forms throw std::bad_alloc, the nothrow forms return
// null. Smaller allocations go on working. Lasts until
// StopFailingAllocations.
void FailAllocationsOfAtLeast(std::size_t bytes);
void StopFailingAllocations();
// The allocations refused since the last FailAllocationsOfAtLeast.
std::size_t RefusedAllocations();

}  // namespace tktest
