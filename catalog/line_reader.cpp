// SPDX-License-Identifier: GPL-3.0-or-later
#include "line_reader.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace velmo {

LineReader::LineReader(int file, std::uint64_t first, std::uint64_t stop)
    : fd(file), offset(first), stopOffset(stop), buffer(new char[kBlockSize]) {}

LineReader::LineReader(int file) : fd(file), buffer(new char[kBlockSize]) { stream = true; }

LineReader::LineReader(std::istream& source) : in(&source), buffer(new char[kBlockSize]) {}

bool LineReader::Peek(std::size_t bytes, const char*& text, std::size_t& length) {
    while (end - begin < bytes && !atEof) {
        if (!Refill()) {
            return false;
        }
    }
    text = buffer.get() + begin;
    length = end - begin;
    return true;
}

LineReader::Status LineReader::Next(const char*& text, std::size_t& length) {
    cut = false;
    for (;;) {
        char* data = buffer.get();
        const void* feed = std::memchr(data + scanFrom, '\n', end - scanFrom);
        if (dropping) {
            if (feed == nullptr) {
                begin = scanFrom = end;  // all of it belongs to the cut line
                if (atEof) {
                    return Status::kEnd;
                }
                if (!Refill()) {
                    return Status::kError;
                }
                continue;
            }
            begin = scanFrom = static_cast<std::size_t>(static_cast<const char*>(feed) - data) + 1;
            dropping = false;
            continue;
        }
        if (feed == nullptr && limit != 0 && end - begin > limit) {
            text = data + begin;
            length = limit;
            cut = true;
            dropping = true;
            begin = scanFrom = end;  // the text handed out stays in place until the next call
            return Status::kLine;
        }
        if (feed != nullptr) {
            const std::size_t stop =
                static_cast<std::size_t>(static_cast<const char*>(feed) - data);
            text = data + begin;
            length = stop - begin;
            begin = scanFrom = stop + 1;
            break;
        }
        scanFrom = end;
        if (atEof) {
            if (begin == end) {
                return Status::kEnd;
            }
            text = data + begin;
            length = end - begin;
            begin = scanFrom = end;
            break;
        }
        if (!Refill()) {
            return Status::kError;
        }
    }
    if (limit != 0 && length > limit) {
        length = limit;
        cut = true;
        return Status::kLine;
    }
    if (length > 0 && text[length - 1] == '\r') {
        --length;
    }
    return Status::kLine;
}

bool LineReader::Refill() {
    const std::size_t held = end - begin;
    if (held == capacity) {
        std::unique_ptr<char[]> larger(new char[capacity * 2]);
        std::memcpy(larger.get(), buffer.get() + begin, held);
        buffer = std::move(larger);
        capacity *= 2;
    } else if (begin > 0) {
        std::memmove(buffer.get(), buffer.get() + begin, held);
    }
    scanFrom -= begin;
    begin = 0;
    end = held;

    if (in != nullptr) {
        in->read(buffer.get() + end, static_cast<std::streamsize>(capacity - end));
        end += static_cast<std::size_t>(in->gcount());
        if (in->eof()) {
            atEof = true;  // a short read ends the stream
            return !in->bad();
        }
        return in->good();  // a full block, or a failure that is not the end
    }
    if (stream) {
        ssize_t got = 0;
        do {
            got = ::read(fd, buffer.get() + end, capacity - end);
        } while (got < 0 && errno == EINTR);
        if (got < 0) {
            readError = errno;
            return false;
        }
        end += static_cast<std::size_t>(got);
        atEof = got == 0;
        return true;
    }
    std::size_t want = capacity - end;
    if (stopOffset - offset < want) {
        want = static_cast<std::size_t>(stopOffset - offset);
    }
    ssize_t got = 0;
    do {
        got = ::pread(fd, buffer.get() + end, want, static_cast<off_t>(offset));
    } while (got < 0 && errno == EINTR);
    if (got < 0) {
        readError = errno;
        return false;
    }
    end += static_cast<std::size_t>(got);
    offset += static_cast<std::uint64_t>(got);
    // A read that gives nothing ends the file (or the part of it); a short
    // read does not, since a file may give less than asked and still go on.
    if (got == 0 || offset >= stopOffset) {
        atEof = true;
    }
    return true;
}

}  // namespace velmo
