// Splits a stream into lines, reading it in large blocks. Lines of any
// length are returned whole.
#pragma once

#include <cstddef>
#include <istream>
#include <memory>

namespace velmo {

class LineReader {
  public:
    enum class Status { kLine, kEnd, kError };

    // Reads from `in` (borrowed; it must outlive the reader).
    explicit LineReader(std::istream& in);

    // Gives the next line: `text` and `length` describe it without its line
    // feed and without one carriage return before the line feed. A last line
    // without a line feed is returned too; an empty remainder at end of file
    // is not. The text stays valid until the next call. Returns kLine, kEnd
    // at end of file, or kError when the stream reports a read error (a
    // directory, an I/O error). Throws std::bad_alloc when a line does not
    // fit in memory.
    Status Next(const char*& text, std::size_t& length);

  private:
    // Moves the unfinished line to the front of the buffer (growing it when
    // the line fills it) and appends the next block; false on a read error.
    bool Refill();

    static constexpr std::size_t kBlockSize = std::size_t{64} << 10;

    std::istream& in;
    std::unique_ptr<char[]> buffer;
    std::size_t capacity = kBlockSize;
    std::size_t begin = 0;     // start of the unread text
    std::size_t end = 0;       // end of the text read so far
    std::size_t scanFrom = 0;  // no line feed in [begin, scanFrom)
    bool atEof = false;
};

}  // namespace velmo
