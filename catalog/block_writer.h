// SPDX-License-Identifier: GPL-3.0-or-later
// Collects output in a large buffer and hands it to a file descriptor in big
// writes, so that a line costs a few stores instead of a system call.
#pragma once

#include <cstddef>
#include <memory>

namespace velmo {

class BlockWriter {
  public:
    static constexpr std::size_t kBlockSize = std::size_t{64} << 10;

    // Writes to the open descriptor `fd` (borrowed; not closed here).
    explicit BlockWriter(int fd);

    // Returns room for at least `size` bytes (size <= kBlockSize); fill it and
    // pass the end of what was written to Commit before the next call.
    char* Reserve(std::size_t size) {
        if (capacity - used < size) {
            Drain();
        }
        return buffer.get() + used;
    }
    void Commit(char* end) { used = static_cast<std::size_t>(end - buffer.get()); }

    // Appends `size` bytes of any length.
    void Append(const char* data, std::size_t size);

    // Writes what is buffered. False when any write so far has failed;
    // Error() then holds the errno of the first failure (EPIPE for a closed
    // pipe, ENOSPC for a full disk). After a failure nothing more is written.
    bool Finish();
    int Error() const { return error; }

  private:
    void Drain();
    void WriteAll(const char* data, std::size_t size);

    int fd;
    std::unique_ptr<char[]> buffer;
    std::size_t capacity = kBlockSize;
    std::size_t used = 0;
    int error = 0;
};

}  // namespace velmo
