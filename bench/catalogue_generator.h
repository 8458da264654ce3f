// SPDX-License-Identifier: GPL-3.0-or-later
// A seeded generator of realistic catalogue files for the benchmarks: the
// same seed gives the same bytes on every machine.
//
// Lines are laid out like a real variable-star catalogue: RA over all 24
// hours, stars north and south, designations and types of the usual kinds;
// about 62 % of the stars have both magnitudes and a period, 12 % have none
// of them, the rest only some; about 1 % of the periods are in thousands of
// days ("K"); about a quarter of the lines end without trailing blanks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace velmo_bench {

// Appends one catalogue line (without its line feed) to `out`, advancing
// `state`.
void AppendStarLine(std::uint64_t& state, std::string& out);

// Writes `lines` catalogue lines, each ended by a line feed, to `path`.
// Returns the number of bytes written, or 0 when the file cannot be written.
std::size_t WriteCatalogue(const std::string& path, std::size_t lines, std::uint64_t seed);

}  // namespace velmo_bench

namespace velmo_bench {

// A private scratch directory under $VELMO_BENCH_DIR, else under /dev/shm
// (tmpfs) when writable, else under the system's temporary directory.
// Removed, with everything in it, on destruction.
class ScratchDir {
  public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string PathOf(const std::string& name) const { return path + "/" + name; }

  private:
    std::string path;
};

}  // namespace velmo_bench
