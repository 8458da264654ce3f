// SPDX-License-Identifier: GPL-3.0-or-later
#include "record_chunk.h"

#include <new>

#include "line_format.h"
#include "line_layout.h"

namespace velmo {
namespace {

// A chunk fills one huge page but for a little room left to the arena's
// block header and to long lines.
constexpr std::size_t kChunkBytes = (std::size_t{2} << 20) - 4096;
constexpr std::size_t kHeaderBytes = 64;
static_assert(sizeof(RecordChunk) <= kHeaderBytes, "chunk header too large");
static_assert(sizeof(RecordSlot) % 8 == 0, "slots must keep the records aligned");
constexpr std::size_t kBytesPerRecord =
    sizeof(RecordSlot) + sizeof(double) + 2 * sizeof(std::uint16_t) + 2 * sizeof(std::int8_t);
constexpr std::int32_t kChunkCapacity =
    static_cast<std::int32_t>((kChunkBytes - kHeaderBytes) / kBytesPerRecord);

}  // namespace

void RecordChunkWriter::StartChunk() {
    char* memory = static_cast<char*>(arena.Allocate(kChunkBytes));
    RecordChunk* chunk = new (memory) RecordChunk{};
    char* at = memory + kHeaderBytes;
    const std::size_t n = static_cast<std::size_t>(kChunkCapacity);
    chunk->slots = reinterpret_cast<RecordSlot*>(at);
    at += n * sizeof(RecordSlot);
    chunk->period = reinterpret_cast<double*>(at);
    at += n * sizeof(double);
    chunk->maxMagnitudeCode = reinterpret_cast<std::uint16_t*>(at);
    at += n * sizeof(std::uint16_t);
    chunk->minMagnitudeCode = reinterpret_cast<std::uint16_t*>(at);
    at += n * sizeof(std::uint16_t);
    chunk->raHours = reinterpret_cast<std::uint8_t*>(at);
    at += n;
    chunk->decDegrees = reinterpret_cast<std::int8_t*>(at);
    chunk->capacity = kChunkCapacity;
    if (lastChunk == nullptr) {
        firstChunk = chunk;
    } else {
        lastChunk->next = chunk;
    }
    lastChunk = chunk;
}

void RecordChunkWriter::Append(const char* text, std::size_t length) {
    if (lastChunk == nullptr || lastChunk->count == lastChunk->capacity) {
        StartChunk();
    }
    RecordChunk& chunk = *lastChunk;
    const std::int32_t i = chunk.count;
    RecordSlot* slot = new (&chunk.slots[i]) RecordSlot;
    const std::size_t stored = length < kStoredLineMinLength ? kStoredLineMinLength : length;
    char* line =
        stored < sizeof slot->line ? slot->line : static_cast<char*>(arena.Allocate(stored + 1));
    StarRecord* record = &slot->record;
    DecodeRecord(text, length, count + 1, line, record);

    // Hours and degrees are two decimal digits, so these never truncate.
    chunk.raHours[i] = static_cast<std::uint8_t>(record->raHours);
    chunk.decDegrees[i] = static_cast<std::int8_t>(record->decDegrees);
    chunk.maxMagnitudeCode[i] =
        static_cast<std::uint16_t>(MagnitudeCode(line + line_layout::kMaxMagnitude.first));
    chunk.minMagnitudeCode[i] =
        static_cast<std::uint16_t>(MagnitudeCode(line + line_layout::kMinMagnitude.first));
    chunk.period[i] = record->period;

    if (lastRecord == nullptr) {
        firstRecord = record;
    } else {
        lastRecord->next = record;
    }
    lastRecord = record;
    ++chunk.count;
    ++count;
}

void RecordChunkWriter::ShiftSeq(std::int32_t offset) {
    for (RecordChunk* chunk = firstChunk; chunk != nullptr; chunk = chunk->next) {
        for (std::int32_t i = 0; i < chunk->count; ++i) {
            chunk->slots[i].record.seq += offset;
        }
    }
}

void RecordChunkWriter::Truncate(std::int32_t keep) {
    if (keep <= 0) {
        firstChunk = lastChunk = nullptr;
        firstRecord = lastRecord = nullptr;
        count = 0;
        return;
    }
    std::int32_t before = 0;
    RecordChunk* chunk = firstChunk;
    while (before + chunk->count < keep) {
        before += chunk->count;
        chunk = chunk->next;
    }
    chunk->count = keep - before;
    chunk->next = nullptr;
    lastChunk = chunk;
    lastRecord = chunk->Record(chunk->count - 1);
    lastRecord->next = nullptr;
    count = keep;
}

}  // namespace velmo
