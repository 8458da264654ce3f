#include "block_writer.h"

#include <cstring>

namespace velmo {

BlockWriter::BlockWriter(std::ostream& out) : out(out), buffer(new char[kBlockSize]) {}

void BlockWriter::Drain() {
    if (used > 0) {
        out.write(buffer.get(), static_cast<std::streamsize>(used));
        used = 0;
    }
}

void BlockWriter::Append(const char* data, std::size_t size) {
    if (capacity - used >= size) {
        std::memcpy(buffer.get() + used, data, size);
        used += size;
        return;
    }
    Drain();
    if (size >= capacity) {
        out.write(data, static_cast<std::streamsize>(size));  // too big to buffer
        return;
    }
    std::memcpy(buffer.get(), data, size);
    used = size;
}

bool BlockWriter::Finish() {
    Drain();
    out.flush();
    return out.good();
}

}  // namespace velmo
