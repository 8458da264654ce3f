// SPDX-License-Identifier: GPL-3.0-or-later
#include "load_pieces.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <condition_variable>
#include <cstddef>
#include <cstring>
#include <functional>
#include <memory>
#include <mutex>
#include <new>
#include <thread>
#include <vector>

#include "line_format.h"
#include "load_splitting.h"
#include "result_list.h"

namespace velmo {
namespace {

constexpr std::uint64_t kDefaultSplitFromBytes = std::uint64_t{4} << 20;
constexpr unsigned kMostPieces = 64;

std::atomic<unsigned> piecesWanted{0};
std::atomic<std::uint64_t> splitFromBytes{kDefaultSplitFromBytes};

// Finds the start of the first line that begins at or after `from`: the
// byte after the first line feed at `from - 1` or later. `found` is false
// when the file ends before such a line feed. False on a read error.
bool FindLineStart(int fd, std::uint64_t from, std::uint64_t& start, bool& found) {
    char block[4096];
    std::uint64_t at = from - 1;
    for (;;) {
        ssize_t got = 0;
        do {
            got = ::pread(fd, block, sizeof block, static_cast<off_t>(at));
        } while (got < 0 && errno == EINTR);
        if (got < 0) {
            return false;
        }
        if (got == 0) {
            found = false;
            return true;
        }
        const void* feed = std::memchr(block, '\n', static_cast<std::size_t>(got));
        if (feed != nullptr) {
            start = at + static_cast<std::uint64_t>(static_cast<const char*>(feed) - block) + 1;
            found = true;
            return true;
        }
        at += static_cast<std::uint64_t>(got);
    }
}

// The first byte of each piece, in file order, the first being 0: the file
// is cut at line starts near equal shares of `size`. False on a read error.
bool SplitFile(const InputFile& file, std::vector<std::uint64_t>& starts) {
    starts.assign(1, 0);
    unsigned pieces = piecesWanted.load();
    if (pieces == 0) {
        pieces = std::max(1u, std::thread::hardware_concurrency());
    }
    pieces = std::min(pieces, kMostPieces);
    const std::uint64_t size = file.Size();
    if (pieces < 2 || size < splitFromBytes.load() || size < 2) {
        return true;
    }
    for (unsigned t = 1; t < pieces; ++t) {
        const std::uint64_t share = size / pieces * t + size % pieces * t / pieces;
        std::uint64_t start = 0;
        bool found = false;
        if (!FindLineStart(file.Fd(), std::max<std::uint64_t>(share, 1), start, found)) {
            return false;
        }
        if (!found || start >= size) {
            break;  // the rest of the file is one line: the last piece takes it
        }
        if (start > starts.back()) {
            starts.push_back(start);  // a long line may cover several shares
        }
    }
    return true;
}

// How many records come before each piece: known once every earlier piece
// has been decoded, so each piece waits only for the one before it.
class PieceOffsets {
  public:
    static constexpr std::int64_t kFailed = -1;

    explicit PieceOffsets(std::size_t count) : ends(count, kUnknown) {}

    // Records up to the end of piece `t`, or kFailed.
    void Publish(std::size_t t, std::int64_t end) {
        {
            const std::lock_guard<std::mutex> lock(mutex);
            ends[t] = end;
        }
        published.notify_all();
    }

    // Records before piece `t`, or kFailed when an earlier piece failed;
    // waits until the piece before it has published.
    std::int64_t Before(std::size_t t) {
        if (t == 0) {
            return 0;
        }
        std::unique_lock<std::mutex> lock(mutex);
        published.wait(lock, [&] { return ends[t - 1] != kUnknown; });
        return ends[t - 1];
    }

  private:
    static constexpr std::int64_t kUnknown = -2;
    std::mutex mutex;
    std::condition_variable published;
    std::vector<std::int64_t> ends;
};

// Reads every line of the piece and keeps the valid ones.
void ReadPiece(int fd, Piece& piece) {
    try {
        LineReader reader(fd, piece.begin, piece.end);
        const char* text = nullptr;
        std::size_t length = 0;
        for (;;) {
            switch (reader.Next(text, length)) {
                case LineReader::Status::kLine:
                    // A line too long for the record's length field cannot be
                    // stored whole; it is skipped like any line that is not a star.
                    if (length < static_cast<std::size_t>(INT32_MAX) &&
                        PassesFormatTest(text, length) && piece.records.Count() < INT32_MAX) {
                        piece.records.Append(text, length);
                    }
                    break;
                case LineReader::Status::kEnd:
                    piece.status = PieceStatus::kDone;
                    return;
                case LineReader::Status::kError:
                    piece.status = PieceStatus::kReadError;
                    return;
            }
        }
    } catch (const std::bad_alloc&) {
        piece.status = PieceStatus::kNoMemory;
    }
}

// Decodes piece `t`, then, once the records before it are counted, numbers
// its records on from them and builds their result nodes, positions
// numbered the same way. A catalogue holds at most INT32_MAX records: those
// beyond are dropped, as one pass drops them.
void ProcessPiece(int fd, Piece& piece, std::size_t t, PieceOffsets& offsets) {
    ReadPiece(fd, piece);
    const std::int64_t before = offsets.Before(t);
    if (piece.status != PieceStatus::kDone || before == PieceOffsets::kFailed) {
        offsets.Publish(t, PieceOffsets::kFailed);
        return;
    }
    if (before + piece.records.Count() > INT32_MAX) {
        piece.records.Truncate(static_cast<std::int32_t>(INT32_MAX - before));
    }
    offsets.Publish(t, before + piece.records.Count());
    if (before > 0) {
        piece.records.ShiftSeq(static_cast<std::int32_t>(before));
    }
    try {
        ResultListBuilder nodes(piece.nodeArena, static_cast<std::int32_t>(before));
        for (RecordChunk* chunk = piece.records.FirstChunk(); chunk != nullptr;
             chunk = chunk->next) {
            for (std::int32_t i = 0; i < chunk->count; ++i) {
                nodes.Append(chunk->Record(i));
            }
        }
        nodes.Release(piece.firstNode, piece.lastNode);
    } catch (const std::bad_alloc&) {
        piece.status = PieceStatus::kNoMemory;
    }
}

// Processes every piece: the first on the calling thread, the others on
// threads of their own (or, when no thread can be started, on the calling
// thread, in file order, so that no piece waits for one not yet begun).
void ProcessPieces(int fd, std::unique_ptr<Piece[]>& pieces, std::size_t count) {
    PieceOffsets offsets(count);
    std::vector<std::thread> threads;
    threads.reserve(count);
    std::vector<std::size_t> leftOver;
    leftOver.reserve(count);
    for (std::size_t t = 1; t < count; ++t) {
        try {
            threads.emplace_back(ProcessPiece, fd, std::ref(pieces[t]), t, std::ref(offsets));
        } catch (...) {
            leftOver.push_back(t);
        }
    }
    ProcessPiece(fd, pieces[0], 0, offsets);
    for (const std::size_t t : leftOver) {
        ProcessPiece(fd, pieces[t], t, offsets);
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
}

}  // namespace

bool IsRegularFile(const char* path) {
    struct stat info {};
    return ::stat(path, &info) == 0 && S_ISREG(info.st_mode);
}

InputFile::InputFile(const char* path) {
    fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat info {};
    if (fd >= 0 && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) {
        ::close(fd);
        fd = -1;
    }
    if (fd >= 0) {
        size = static_cast<std::uint64_t>(info.st_size);
    }
}

InputFile::~InputFile() {
    if (fd >= 0) {
        ::close(fd);
    }
}

std::unique_ptr<Piece[]> ReadPieces(const InputFile& file, std::size_t& count) {
    std::vector<std::uint64_t> starts;
    if (!SplitFile(file, starts)) {
        return nullptr;
    }
    count = starts.size();
    std::unique_ptr<Piece[]> pieces(new Piece[count]);
    for (std::size_t t = 0; t < count; ++t) {
        pieces[t].begin = starts[t];
        pieces[t].end = t + 1 < count ? starts[t + 1] : LineReader::kToEndOfFile;
    }
    ProcessPieces(file.Fd(), pieces, count);
    return pieces;
}

PieceStatus FirstFailure(const Piece* pieces, std::size_t count) {
    for (std::size_t t = 0; t < count; ++t) {
        if (pieces[t].status != PieceStatus::kDone) {
            return pieces[t].status;
        }
    }
    return PieceStatus::kDone;
}

void SetLoadSplitting(unsigned pieces, std::uint64_t fromBytes) {
    piecesWanted.store(pieces);
    splitFromBytes.store(fromBytes);
}

void ResetLoadSplitting() { SetLoadSplitting(0, kDefaultSplitFromBytes); }

}  // namespace velmo
