// SPDX-License-Identifier: GPL-3.0-or-later
// Loading a catalogue file (StarCatalog::Load) and listing every record
// (StarCatalog::ListAll). The file is read in pieces on several threads
// (load_pieces.h); Load discards the earlier catalogue, has the pieces read,
// and joins them in file order.
#include <memory>
#include <new>

#include "load_pieces.h"
#include "result_list.h"
#include "star_catalog.h"

std::int32_t StarCatalog::Load(const char* path) {
    // The new list of all records is built by the threads in blocks of
    // their own, so the blocks of the earlier nodes go now too.
    Discard();
    if (path == nullptr) {
        inputPath.clear();
        return -1;
    }
    inputPath = path;
    if (!velmo::IsRegularFile(path)) {
        return -1;
    }
    std::int64_t total = 0;
    try {
        const velmo::InputFile file(path);
        std::size_t count = 0;
        std::unique_ptr<velmo::Piece[]> pieces;
        if (file.IsOpen()) {
            pieces = velmo::ReadPieces(file, count);
        }
        if (pieces == nullptr) {
            return -1;
        }
        switch (velmo::FirstFailure(pieces.get(), count)) {
            case velmo::PieceStatus::kNoMemory:
                throw std::bad_alloc();  // the pieces unmap their arenas
            case velmo::PieceStatus::kReadError:
                return -1;
            case velmo::PieceStatus::kDone:
                break;
        }
        total = JoinPieces(pieces.get(), count);
    } catch (const std::bad_alloc&) {
        // Nothing of this load is kept: the pieces have unmapped their arenas.
        Discard();
        throw;
    }

    if (total == 0) {
        Discard();
        return 0;
    }
    loaded = true;
    cursor = resultHead;
    atFirst = true;
    atLast = false;
    hasResults = true;
    return static_cast<std::int32_t>(total);
}

std::int64_t StarCatalog::JoinPieces(velmo::Piece* pieces, std::size_t count) {
    std::int64_t total = 0;
    StarRecord* lastRecord = nullptr;
    velmo::RecordChunk* lastChunk = nullptr;
    ResultNode* lastNode = nullptr;
    for (std::size_t t = 0; t < count; ++t) {
        velmo::Piece& piece = pieces[t];
        if (piece.records.Count() > 0) {
            if (lastRecord != nullptr) {
                lastRecord->next = piece.records.FirstRecord();
                lastChunk->next = piece.records.FirstChunk();
                lastNode->next = piece.firstNode;
                piece.firstNode->prev = lastNode;
            } else {
                firstRecord = piece.records.FirstRecord();
                firstChunk = piece.records.FirstChunk();
                resultHead = piece.firstNode;
            }
            lastRecord = piece.records.LastRecord();
            lastChunk = piece.records.LastChunk();
            lastNode = piece.lastNode;
            total += piece.records.Count();
        }
        recordArena.Adopt(piece.arena);
        nodeArena.Adopt(piece.nodeArena);
    }
    resultTail = lastNode;
    return total;
}

void StarCatalog::ListAll() {
    if (!loaded) {
        return;
    }
    ClearResults();
    velmo::ResultListBuilder nodes(nodeArena);
    for (velmo::RecordChunk* chunk = firstChunk; chunk != nullptr; chunk = chunk->next) {
        for (std::int32_t i = 0; i < chunk->count; ++i) {
            nodes.Append(chunk->Record(i));
        }
    }
    nodes.Release(resultHead, resultTail);
    cursor = resultHead;
    atFirst = true;
    atLast = false;
    hasResults = true;
}
