// SPDX-License-Identifier: GPL-3.0-or-later
#include "block_writer.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace velmo {

BlockWriter::BlockWriter(int file) : fd(file), buffer(new char[kBlockSize]) {}

void BlockWriter::WriteAll(const char* data, std::size_t size) {
    while (size > 0 && error == 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno != EINTR) {
                error = errno;
            }
            continue;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
}

void BlockWriter::Drain() {
    if (used > 0) {
        WriteAll(buffer.get(), used);
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
        WriteAll(data, size);  // too big to buffer
        return;
    }
    std::memcpy(buffer.get(), data, size);
    used = size;
}

bool BlockWriter::Finish() {
    Drain();
    return error == 0;
}

}  // namespace velmo
