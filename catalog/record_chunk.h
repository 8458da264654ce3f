// SPDX-License-Identifier: GPL-3.0-or-later
// Records stored in chunks: each chunk holds up to a fixed number of
// records in file order, one fixed-size slot each (the record and, when it
// fits, its stored line), and beside them a packed copy of the fields a
// search compares (hours, degrees, the two magnitudes as the codes of their
// digits, and the period), one array per field. A search scans the packed
// arrays and touches a record only to link a result node to it, so it reads
// 14 bytes per record instead of the record's cache lines.
//
// Chunks live in an Arena and are never freed one by one.
#pragma once

#include <cstddef>
#include <cstdint>

#include "arena.h"
#include "star_catalog.h"

namespace velmo {

// One record with room for a stored line of up to 79 characters and its
// terminator; a longer line lives elsewhere in the same arena.
struct RecordSlot {
    StarRecord record;
    char line[80];
};

struct RecordChunk {
    RecordChunk* next;      // next chunk in file order, null at the last
    std::int32_t count;     // records held, slots[0 .. count-1]
    std::int32_t capacity;  // slots available
    RecordSlot* slots;
    // The packed copy, index for index with slots. Hours and degrees are
    // two digits each, so they fit 8 bits (degrees with their sign); a
    // magnitude is given by its MagnitudeCode (line_format.h).
    double* period;
    std::uint16_t* maxMagnitudeCode;
    std::uint16_t* minMagnitudeCode;
    std::uint8_t* raHours;
    std::int8_t* decDegrees;

    StarRecord* Record(std::int32_t i) { return &slots[i].record; }
};

// Appends records to a chain of chunks taken from `records`. Each record gets
// the next `seq` (1 for the first) and is linked behind the previous one.
class RecordChunkWriter {
  public:
    explicit RecordChunkWriter(Arena& records) : arena(records) {}
    RecordChunkWriter(const RecordChunkWriter&) = delete;
    RecordChunkWriter& operator=(const RecordChunkWriter&) = delete;

    // Stores the `length` bytes at `text` (a line that passes the format
    // test, shorter than INT32_MAX bytes) as the next record. Throws
    // std::bad_alloc when the arena cannot grow.
    void Append(const char* text, std::size_t length);

    std::int32_t Count() const { return count; }
    RecordChunk* FirstChunk() const { return firstChunk; }
    RecordChunk* LastChunk() const { return lastChunk; }
    StarRecord* FirstRecord() const { return firstRecord; }
    StarRecord* LastRecord() const { return lastRecord; }

    // Adds `offset` to the seq of every record written.
    void ShiftSeq(std::int32_t offset);
    // Keeps only the first `keep` records (keep <= Count()).
    void Truncate(std::int32_t keep);

  private:
    void StartChunk();

    Arena& arena;
    RecordChunk* firstChunk = nullptr;
    RecordChunk* lastChunk = nullptr;
    StarRecord* firstRecord = nullptr;
    StarRecord* lastRecord = nullptr;
    std::int32_t count = 0;
};

}  // namespace velmo
