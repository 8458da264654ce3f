// SPDX-License-Identifier: GPL-3.0-or-later
// Splits a part of a file (read with pread), a descriptor read to its end
// (read) or a whole stream into lines, reading in large blocks. Lines of any
// length are returned whole unless a limit is set (LimitLineLength).
#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <memory>

namespace velmo {

class LineReader {
  public:
    enum class Status { kLine, kEnd, kError };

    // Reads the open file `fd` (borrowed; it must stay open while the reader
    // is used) from byte `begin` up to byte `end`, or up to the end of the
    // file when `end` is kToEndOfFile. Several readers may share one file.
    // Throws std::bad_alloc when the first buffer cannot be allocated.
    LineReader(int fd, std::uint64_t begin, std::uint64_t end);

    static constexpr std::uint64_t kToEndOfFile = ~std::uint64_t{0};

    // Reads the open descriptor `fd` (borrowed) with read() from where it
    // stands to its end, so that pipes and terminals are read as well as
    // files. Throws std::bad_alloc as above.
    explicit LineReader(int fd);

    // Reads `in` (borrowed; it must outlive the reader) to its end; a read
    // error is a stream that fails before its end (a directory, an I/O
    // error).
    explicit LineReader(std::istream& in);

    // Gives the next line: `text` and `length` describe it without its line
    // feed and without one carriage return before the line feed. A last line
    // without a line feed is returned too; an empty remainder at the end is
    // not. The text stays valid until the next call. Returns kLine, kEnd at
    // the end, or kError when a read fails (an I/O error). Throws
    // std::bad_alloc when a line does not fit in memory.
    Status Next(const char*& text, std::size_t& length);

    // From now on a line longer than `bytes` (at least 1) is handed out cut
    // to its first `bytes`, with LineCut() true; the rest of it, up to its
    // line feed, is skipped unread. Keeps memory bounded on hostile input.
    void LimitLineLength(std::size_t bytes) { limit = bytes; }
    // The line last handed out was cut to the limit.
    bool LineCut() const { return cut; }

    // Reads ahead until at least `bytes` are buffered or the input ends, and
    // sets `text` to the buffered text not handed out yet: before the first
    // Next, everything read from the input so far. Valid until the next
    // call. False on a read error.
    bool Peek(std::size_t bytes, const char*& text, std::size_t& length);

    // errno of the read that failed on a descriptor; 0 when none did.
    int ReadError() const { return readError; }

  private:
    // Moves the unfinished line to the front of the buffer (growing it when
    // the line fills it) and appends the next block; false on a read error.
    bool Refill();

    static constexpr std::size_t kBlockSize = std::size_t{256} << 10;

    std::istream* in = nullptr;  // the stream read, or null when reading `fd`
    int fd = -1;
    std::uint64_t offset = 0;                 // next byte of the file to read
    std::uint64_t stopOffset = kToEndOfFile;  // first byte not to read
    std::unique_ptr<char[]> buffer;
    std::size_t capacity = kBlockSize;
    std::size_t begin = 0;     // start of the unread text
    std::size_t end = 0;       // end of the text read so far
    std::size_t scanFrom = 0;  // no line feed in [begin, scanFrom)
    bool atEof = false;
    bool stream = false;    // `fd` is read with read(), not pread
    std::size_t limit = 0;  // longest line handed out whole; 0: none
    bool cut = false;       // the last line was cut to `limit`
    bool dropping = false;  // skipping the rest of a cut line
    int readError = 0;
};

}  // namespace velmo
