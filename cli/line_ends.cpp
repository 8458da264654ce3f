// SPDX-License-Identifier: GPL-3.0-or-later
#include "line_ends.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace velmo_cli {

bool EndsLinesWithCarriageReturnsOnly(const char* path) {
    if (std::strcmp(path, "-") == 0) return false;  // standard input is read once only
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return false;
    char block[16384];
    bool carriageReturn = false;
    bool lineFeed = false;
    for (;;) {
        const ssize_t got = ::read(fd, block, sizeof block);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        const std::size_t size = static_cast<std::size_t>(got);
        if (std::memchr(block, '\n', size) != nullptr) {
            lineFeed = true;
            break;
        }
        carriageReturn = carriageReturn || std::memchr(block, '\r', size) != nullptr;
    }
    ::close(fd);
    return carriageReturn && !lineFeed;
}

}  // namespace velmo_cli
