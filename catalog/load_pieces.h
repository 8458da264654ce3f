// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a catalogue file in pieces for Load. A large file is cut at line
// starts into one piece per core (see load_splitting.h). Each piece is read
// and decoded by its own thread into its own arenas; once the records of the
// pieces before it are counted, the thread numbers its records on from them
// and builds their nodes of the list of all records. Load then joins the
// pieces in file order, so that records, seq and list are exactly those of
// one pass.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "arena.h"
#include "line_reader.h"
#include "record_chunk.h"
#include "star_catalog.h"

namespace velmo {

// True when `path` names a regular file, directly or through symbolic links.
// Anything else is refused before it is opened: opening a FIFO without a
// writer blocks for good, and a device such as /dev/zero never ends.
bool IsRegularFile(const char* path);

// The catalogue file, open for reading while the object lives.
class InputFile {
  public:
    // Opens `path` without blocking (a FIFO swapped in after IsRegularFile
    // opens at once) and keeps it only when it is a regular file; Fd() is
    // then -1 when it could not be opened or is not a regular file.
    explicit InputFile(const char* path);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool IsOpen() const { return fd >= 0; }
    int Fd() const { return fd; }
    std::uint64_t Size() const { return size; }  // when opened; the file may grow

  private:
    int fd = -1;
    std::uint64_t size = 0;
};

enum class PieceStatus { kDone, kReadError, kNoMemory };

// One piece of the file, the records decoded from it and their nodes of
// the list of all records.
struct Piece {
    std::uint64_t begin = 0;
    std::uint64_t end = LineReader::kToEndOfFile;
    Arena arena;
    RecordChunkWriter records{arena};
    Arena nodeArena;
    ResultNode* firstNode = nullptr;
    ResultNode* lastNode = nullptr;
    PieceStatus status = PieceStatus::kDone;
};

// Cuts `file` into pieces and decodes every piece, the first on the calling
// thread and the others on threads of their own; returns when every thread
// has ended. Sets `count` and returns the pieces in file order, each with
// its status, or null when the file could not be read while it was cut.
// Throws std::bad_alloc when the pieces themselves cannot be allocated.
std::unique_ptr<Piece[]> ReadPieces(const InputFile& file, std::size_t& count);

// The first failure among the pieces, in file order, as one pass would meet
// it; kDone when every piece was read whole.
PieceStatus FirstFailure(const Piece* pieces, std::size_t count);

}  // namespace velmo
