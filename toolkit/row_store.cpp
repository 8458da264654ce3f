// SPDX-License-Identifier: GPL-3.0-or-later
#include "toolkit/row_store.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>

#include "huge_page_map.h"

namespace tk {
namespace {

using velmo::kHugePageBytes;
constexpr std::uint32_t kChunkBytes = 256 * 1024;
constexpr std::size_t kMinDeadBytesToCompact = 1024 * 1024;

std::size_t LengthSize(std::uint32_t value) {
    std::size_t size = 1;
    while (value >= 0x80) {
        value >>= 7;
        ++size;
    }
    return size;
}

char* PutLength(char* out, std::uint32_t value) {
    while (value >= 0x80) {
        *out++ = static_cast<char>((value & 0x7F) | 0x80);
        value >>= 7;
    }
    *out++ = static_cast<char>(value);
    return out;
}

void PutLength(std::string& out, std::uint32_t value) {
    char bytes[5];
    out.append(bytes, static_cast<std::size_t>(PutLength(bytes, value) - bytes));
}

std::uint32_t GetLength(const char*& p) {
    std::uint32_t value = 0;
    int shift = 0;
    for (;;) {
        const auto byte = static_cast<unsigned char>(*p++);
        value |= static_cast<std::uint32_t>(byte & 0x7F) << shift;
        if ((byte & 0x80) == 0) return value;
        shift += 7;
    }
}

std::uint32_t ClampedLength(std::string_view text) {
    return static_cast<std::uint32_t>(
        std::min<std::size_t>(text.size(), std::numeric_limits<std::uint32_t>::max()));
}

void PutCell(std::string& out, std::string_view text) {
    const std::uint32_t length = ClampedLength(text);
    PutLength(out, length);
    out.append(text.data(), length);
}

// Walks the cells of one record.
class RecordReader {
  public:
    explicit RecordReader(const char* record) : p_(record), cells_(GetLength(p_)) {}
    std::uint32_t CellCount() const { return cells_; }
    std::string_view Next() {
        const std::uint32_t length = GetLength(p_);
        std::string_view text(p_, length);
        p_ += length;
        return text;
    }
    const char* Position() const { return p_; }

  private:
    const char* p_;
    std::uint32_t cells_;
};

std::size_t RecordSize(const char* record) {
    RecordReader reader(record);
    for (std::uint32_t i = 0; i < reader.CellCount(); ++i) reader.Next();
    return static_cast<std::size_t>(reader.Position() - record);
}

}  // namespace

void* RowIndexAllocate(std::size_t bytes) {
    if (bytes < kHugePageBytes) return ::operator new(bytes);
    const std::size_t length = velmo::WholeHugePages(bytes);
    void* memory = length == 0 ? nullptr : velmo::MapHugePageAligned(length, true);
    if (memory == nullptr) throw std::bad_alloc();
    return memory;
}

void RowIndexRelease(void* memory, std::size_t bytes) noexcept {
    if (memory == nullptr) return;
    if (bytes < kHugePageBytes) {
        ::operator delete(memory);
    } else {
        munmap(memory, velmo::WholeHugePages(bytes));
    }
}

void ChunkUnmap::operator()(char* memory) const noexcept {
    if (memory != nullptr) munmap(memory, bytes);
}

char* RowStore::RecordAt(std::uint64_t ref) const {
    const Chunk& chunk = chunks_[static_cast<std::size_t>(ref >> 32)];
    return chunk.data.get() + static_cast<std::uint32_t>(ref);
}

char* RowStore::Reserve(std::size_t size, std::uint64_t& ref) {
    const auto bytes = static_cast<std::uint32_t>(size);
    if (chunks_.empty() || chunks_.back().size - chunks_.back().used < bytes) {
        Chunk chunk;
        chunk.size = std::max(kChunkBytes, bytes);
        // Populated now: the chunk is about to be filled, and one call costs
        // far less than a fault on each of its pages.
        void* memory = mmap(nullptr, chunk.size, PROT_READ | PROT_WRITE,
                            MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
        if (memory == MAP_FAILED) throw std::bad_alloc();
        chunk.data =
            std::unique_ptr<char[], ChunkUnmap>(static_cast<char*>(memory), ChunkUnmap{chunk.size});
        chunks_.push_back(std::move(chunk));
    }
    Chunk& chunk = chunks_.back();
    ref = (static_cast<std::uint64_t>(chunks_.size() - 1) << 32) | chunk.used;
    char* at = chunk.data.get() + chunk.used;
    chunk.used += bytes;
    usedBytes_ += bytes;
    tailRef_ = ref;
    return at;
}

std::uint64_t RowStore::Append(const std::string& record) {
    std::uint64_t ref = 0;
    std::memcpy(Reserve(record.size(), ref), record.data(), record.size());
    return ref;
}

void RowStore::InsertRow(int index, std::string_view cell0) {
    const std::uint32_t length = ClampedLength(cell0);
    std::uint64_t ref = 0;
    char* at = Reserve(1 + LengthSize(length) + length, ref);
    *at++ = 1;  // one cell
    at = PutLength(at, length);
    std::memcpy(at, cell0.data(), length);
    const int position = std::clamp(index, 0, RowCount());
    if (position == RowCount()) {
        rows_.push_back(ref);
    } else {
        rows_.insert(rows_.begin() + position, ref);
    }
}

void RowStore::SetCell(int row, int column, std::string_view text) {
    const std::uint64_t ref = rows_[static_cast<std::size_t>(row)];
    char* old = RecordAt(ref);
    RecordReader reader(old);
    const std::uint32_t oldCount = reader.CellCount();
    const auto wanted = static_cast<std::uint32_t>(column);
    const std::uint32_t newCount = std::max(oldCount, wanted + 1);

    // The usual way a row is built: cells added after the last one to the
    // record written last, which ends where the arena does. They are written
    // in place, behind it (a one-byte cell count stays one byte below 128).
    Chunk& tail = chunks_[static_cast<std::size_t>(ref >> 32)];
    if (ref == tailRef_ && wanted >= oldCount && newCount < 0x80) {
        const std::uint32_t length = ClampedLength(text);
        const std::size_t needed = (wanted - oldCount) + LengthSize(length) + length;
        if (needed <= tail.size - tail.used) {
            char* at = tail.data.get() + tail.used;
            for (std::uint32_t gap = oldCount; gap < wanted; ++gap) *at++ = 0;  // empty cells
            at = PutLength(at, length);
            std::memcpy(at, text.data(), length);
            tail.used += static_cast<std::uint32_t>(needed);
            usedBytes_ += needed;
            old[0] = static_cast<char>(newCount);
            return;
        }
    }

    scratch_.clear();
    PutLength(scratch_, newCount);
    for (std::uint32_t i = 0; i < newCount; ++i) {
        const std::string_view current = i < oldCount ? reader.Next() : std::string_view();
        PutCell(scratch_, i == wanted ? text : current);
    }
    const auto oldSize = static_cast<std::size_t>(reader.Position() - old);

    // The last record written can grow or shrink in place.
    Chunk& chunk = tail;
    const auto offset = static_cast<std::uint32_t>(ref);
    const bool atEnd = ref == tailRef_;
    if (atEnd && scratch_.size() <= chunk.size - offset) {
        std::memcpy(chunk.data.get() + offset, scratch_.data(), scratch_.size());
        usedBytes_ = usedBytes_ - oldSize + scratch_.size();
        chunk.used = offset + static_cast<std::uint32_t>(scratch_.size());
        return;
    }

    // Written elsewhere first: when that runs out of memory, the row keeps
    // its old record and the store stays as it was.
    const std::size_t chunkIndex = static_cast<std::size_t>(ref >> 32);
    const std::uint64_t moved = Append(scratch_);
    if (atEnd) {
        chunks_[chunkIndex].used = offset;  // the old record's space is given back
        usedBytes_ -= oldSize;
    } else {
        deadBytes_ += oldSize;
    }
    rows_[static_cast<std::size_t>(row)] = moved;
    if (deadBytes_ >= kMinDeadBytesToCompact && deadBytes_ * 2 > usedBytes_) Rewrite(-1);
}

std::string_view RowStore::Cell(int row, int column) const {
    RecordReader reader(RecordAt(rows_[static_cast<std::size_t>(row)]));
    const auto wanted = static_cast<std::uint32_t>(column);
    if (wanted >= reader.CellCount()) return std::string_view();
    for (std::uint32_t i = 0; i < wanted; ++i) reader.Next();
    return reader.Next();
}

void RowStore::InsertEmptyCell(int column) {
    if (!rows_.empty()) Rewrite(column);
}

void RowStore::Rewrite(int insertColumn) {
    std::vector<Chunk> old;
    old.swap(chunks_);
    usedBytes_ = 0;
    deadBytes_ = 0;
    tailRef_ = kNoRecord;
    for (std::uint64_t& ref : rows_) {
        const Chunk& chunk = old[static_cast<std::size_t>(ref >> 32)];
        const char* record = chunk.data.get() + static_cast<std::uint32_t>(ref);
        if (insertColumn < 0) {
            scratch_.assign(record, RecordSize(record));
        } else {
            RecordReader reader(record);
            const std::uint32_t count = reader.CellCount();
            const auto at = static_cast<std::uint32_t>(insertColumn);
            scratch_.clear();
            PutLength(scratch_, count > at ? count + 1 : count);
            for (std::uint32_t i = 0; i < count; ++i) {
                if (i == at) PutCell(scratch_, std::string_view());
                PutCell(scratch_, reader.Next());
            }
        }
        ref = Append(scratch_);
    }
}

void RowStore::Clear() {
    decltype(rows_)().swap(rows_);
    std::vector<Chunk>().swap(chunks_);
    std::string().swap(scratch_);
    usedBytes_ = 0;
    deadBytes_ = 0;
    tailRef_ = kNoRecord;
}

std::size_t RowStore::BytesHeld() const {
    std::size_t bytes = rows_.capacity() * sizeof(std::uint64_t) + scratch_.capacity();
    for (const Chunk& chunk : chunks_) bytes += chunk.size;
    bytes += chunks_.capacity() * sizeof(Chunk);
    return bytes;
}

}  // namespace tk
