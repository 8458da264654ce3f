// Collects output in a large buffer and hands it to a stream in big writes,
// so that a line costs a few stores instead of a stream call.
#pragma once

#include <cstddef>
#include <memory>
#include <ostream>

namespace velmo {

class BlockWriter {
  public:
    static constexpr std::size_t kBlockSize = std::size_t{64} << 10;

    // Writes to `out` (borrowed; it must outlive the writer).
    explicit BlockWriter(std::ostream& out);

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

    // Writes what is buffered and flushes the stream. False when any write
    // so far has failed.
    bool Finish();

  private:
    void Drain();

    std::ostream& out;
    std::unique_ptr<char[]> buffer;
    std::size_t capacity = kBlockSize;
    std::size_t used = 0;
};

}  // namespace velmo
