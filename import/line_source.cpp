#include "line_source.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace velmo::importing {
namespace {

// Bytes asked of one read.
constexpr std::size_t kReadSize = std::size_t{1} << 20;
// Buffer: a read's worth beside the longest line.
constexpr std::size_t kCapacity = LineSource::kMaxLine + kReadSize;

}  // namespace

LineSource::LineSource(int fd) : fd(fd), buffer(new char[kCapacity]) {}

bool LineSource::Fill() {
    if (atEnd) {
        return false;
    }
    if (kCapacity - end < kReadSize) {
        std::memmove(buffer.get(), buffer.get() + start, end - start);
        end -= start;
        start = 0;
    }
    for (;;) {
        const ssize_t got = ::read(fd, buffer.get() + end, kCapacity - end);
        if (got > 0) {
            end += static_cast<std::size_t>(got);
            return true;
        }
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            error = errno;
        }
        atEnd = true;
        return false;
    }
}

std::string_view LineSource::Peek(std::size_t bytes) {
    while (end - start < bytes && Fill()) {
    }
    return std::string_view(buffer.get() + start, end - start);
}

bool LineSource::Next(std::string_view* line) {
    tooLong = false;
    std::size_t searched = start;  // bytes before this hold no line feed
    for (;;) {
        const char* base = buffer.get();
        const void* feed = std::memchr(base + searched, '\n', end - searched);
        if (dropping) {
            // Throw away the rest of an over-long line, up to its line feed.
            if (feed == nullptr) {
                start = searched = end;
                if (!Fill()) {
                    return false;
                }
                continue;
            }
            start = searched = static_cast<std::size_t>(static_cast<const char*>(feed) - base) + 1;
            dropping = false;
            continue;
        }
        std::size_t length;
        std::size_t next;
        if (feed != nullptr) {
            length = static_cast<std::size_t>(static_cast<const char*>(feed) - base) - start;
            next = start + length + 1;
        } else if (end - start >= kMaxLine) {
            length = kMaxLine;
            next = start + kMaxLine;
            tooLong = true;
            dropping = true;
        } else {
            searched = end;
            const std::size_t before = start;
            if (Fill()) {
                searched -= before - start;  // the text may have moved to the front
                continue;
            }
            if (error != 0 || end == start) {
                return false;
            }
            length = end - start;  // a last line without a line feed
            next = end;
        }
        if (!tooLong && length > kMaxLine) {
            length = kMaxLine;
            tooLong = true;
        }
        const char* text = buffer.get() + start;
        std::size_t shown = length;
        if (!tooLong && shown > 0 && text[shown - 1] == '\r') {
            --shown;
        }
        *line = std::string_view(text, shown);
        start = next;
        ++lineNumber;
        return true;
    }
}

}  // namespace velmo::importing
