// SPDX-License-Identifier: GPL-3.0-or-later
// RowStore: rows of text cells packed for size, for list views that hold
// millions of rows.
//
// Each row is one record in a chunked byte arena: the number of cells, then
// for each cell its length and its bytes (lengths as 7-bit variable-length
// integers, so a short cell costs one byte more than its text). The row
// index holds one 8-byte reference per row. A row built the usual way
// (inserted at the end, then its cells set in turn) is rewritten in place at
// the arena's end; a record that no longer fits where it is moves to the
// end, and the space it leaves is reclaimed by compaction once it outweighs
// the live data.
//
// Rows are numbered from 0; cells never set read as empty. Text views
// returned by Cell stay valid until the next change to the store.
//
// Filling millions of rows is bound by the first touch of fresh memory, one
// page fault per 4 KiB page. So the arena's chunks are mapped with their
// pages populated at once (one system call per chunk), and a row index of
// 2 MiB or more is mapped aligned to 2 MiB with transparent huge pages asked
// for (one fault per 2 MiB). Where the kernel refuses either, pages are
// faulted in as usual and only the speed changes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <vector>

namespace tk {

// Memory for the row index: blocks of 2 MiB or more are mapped (aligned to
// 2 MiB, huge pages asked for), smaller ones come from the heap. Allocate
// throws std::bad_alloc when there is no memory; deallocate takes the count
// that was asked for.
void* RowIndexAllocate(std::size_t bytes);
void RowIndexRelease(void* memory, std::size_t bytes) noexcept;

template <class T>
struct RowIndexAllocator {
    using value_type = T;
    RowIndexAllocator() = default;
    template <class U>
    RowIndexAllocator(const RowIndexAllocator<U>&) noexcept {}
    T* allocate(std::size_t n) {
        if (n > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_alloc();
        return static_cast<T*>(RowIndexAllocate(n * sizeof(T)));
    }
    void deallocate(T* p, std::size_t n) noexcept { RowIndexRelease(p, n * sizeof(T)); }
    template <class U>
    bool operator==(const RowIndexAllocator<U>&) const noexcept {
        return true;
    }
    template <class U>
    bool operator!=(const RowIndexAllocator<U>&) const noexcept {
        return false;
    }
};

// Unmaps an arena chunk; holds the size it was mapped with.
struct ChunkUnmap {
    std::size_t bytes = 0;
    void operator()(char* memory) const noexcept;
};

class RowStore {
  public:
    RowStore() = default;
    RowStore(const RowStore&) = delete;
    RowStore& operator=(const RowStore&) = delete;

    int RowCount() const { return static_cast<int>(rows_.size()); }

    // Inserts a row at `index` (0..RowCount()) whose cell 0 holds `cell0`.
    void InsertRow(int index, std::string_view cell0);
    // Sets cell `column` (>= 0) of row `row` (0..RowCount()-1).
    void SetCell(int row, int column, std::string_view text);
    // The text of a cell; empty for a cell never set.
    std::string_view Cell(int row, int column) const;
    // Inserts an empty cell at `column` in every row: later cells move one
    // column to the right.
    void InsertEmptyCell(int column);
    // Removes every row and releases the memory.
    void Clear();

    // Bytes held: the row index (its capacity) and the arena's chunks.
    std::size_t BytesHeld() const;

  private:
    struct Chunk {
        std::unique_ptr<char[], ChunkUnmap> data;
        std::uint32_t size = 0;
        std::uint32_t used = 0;
    };

    static constexpr std::uint64_t kNoRecord = ~std::uint64_t{0};

    char* RecordAt(std::uint64_t ref) const;
    // Room for `size` bytes at the arena's end (a new chunk when the last one
    // is full); sets `ref` to it and makes it the tail record.
    char* Reserve(std::size_t size, std::uint64_t& ref);
    std::uint64_t Append(const std::string& record);
    // Rewrites every record into fresh chunks, dropping the dead space; with
    // `insertColumn` >= 0 an empty cell is inserted there on the way.
    void Rewrite(int insertColumn);

    // chunk index << 32 | offset in chunk
    std::vector<std::uint64_t, RowIndexAllocator<std::uint64_t>> rows_;
    std::vector<Chunk> chunks_;
    std::size_t usedBytes_ = 0;          // bytes written into chunks, dead ones included
    std::size_t deadBytes_ = 0;          // bytes of records that were moved away
    std::uint64_t tailRef_ = kNoRecord;  // the record written last: it ends the arena
    std::string scratch_;                // a record being built
};

}  // namespace tk
