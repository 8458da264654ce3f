// Reads an input file descriptor line by line through one large buffer, so
// that a line costs a memchr instead of a system call or an allocation.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

namespace velmo::importing {

class LineSource {
  public:
    // Longest line handed out whole; a longer line is handed out cut to this
    // length with TooLong() set, and the rest of it is dropped.
    static constexpr std::size_t kMaxLine = std::size_t{1} << 20;

    // Reads from the open descriptor `fd` (borrowed; not closed here).
    explicit LineSource(int fd);

    // Reads ahead until at least `bytes` (<= kMaxLine) are buffered or the
    // input ends, and returns the buffered text that no Next has handed out
    // yet. For looking at the start of the input before reading it.
    std::string_view Peek(std::size_t bytes);

    // The next line, without its line feed and without one carriage return
    // before it; valid until the next call. False at the end of the input
    // and on a read error (then Error() is set). A last line without a line
    // feed is handed out too.
    bool Next(std::string_view* line);

    // Number of the line last handed out, from 1.
    std::size_t LineNumber() const { return lineNumber; }
    // The line last handed out was longer than kMaxLine.
    bool TooLong() const { return tooLong; }
    // errno of a failed read, 0 when none.
    int Error() const { return error; }

  private:
    // Reads once more into the free end of the buffer, moving the unread
    // text to the front first when needed. False at the end or on an error.
    bool Fill();

    int fd;
    std::unique_ptr<char[]> buffer;
    std::size_t start = 0;  // first byte not handed out yet
    std::size_t end = 0;    // one past the last byte read
    bool atEnd = false;
    bool tooLong = false;
    bool dropping = false;  // dropping the rest of an over-long line
    std::size_t lineNumber = 0;
    int error = 0;
};

}  // namespace velmo::importing
