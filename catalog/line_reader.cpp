#include "line_reader.h"

#include <cstring>

namespace velmo {

LineReader::LineReader(std::istream& in) : in(in), buffer(new char[kBlockSize]) {}

LineReader::Status LineReader::Next(const char*& text, std::size_t& length) {
    for (;;) {
        char* data = buffer.get();
        const void* feed = std::memchr(data + scanFrom, '\n', end - scanFrom);
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

    in.read(buffer.get() + end, static_cast<std::streamsize>(capacity - end));
    end += static_cast<std::size_t>(in.gcount());
    if (in.eof()) {
        atEof = true;  // a short read ends the file
        return !in.bad();
    }
    return in.good();  // a full block, or a failure that is not the end of the file
}

}  // namespace velmo
