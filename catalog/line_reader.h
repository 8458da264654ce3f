// Splits a part of a file (read with pread) or a whole stream into lines,
// reading in large blocks. Lines of any length are returned whole.
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
};

}  // namespace velmo
