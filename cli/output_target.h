// Where a command writes its results: standard output, through the open
// descriptor (never by opening a path such as /dev/stdout), or a file given
// with -o, which is replaced only by a complete new one (AtomicFile).
#pragma once

#include <memory>
#include <string>

#include "atomic_file.h"
#include "block_writer.h"

namespace velmo_cli {

class OutputTarget {
  public:
    OutputTarget() = default;
    OutputTarget(const OutputTarget&) = delete;
    OutputTarget& operator=(const OutputTarget&) = delete;

    // Prepares the output: standard output when `path` is null, else the
    // file `path`. False, after an error message naming the file, when the
    // file cannot be written.
    bool Open(const char* path);

    // The writer to fill; valid after a successful Open.
    velmo::BlockWriter& Writer() { return *writer; }

    // Writes out what is buffered and, for a file, puts it in place. True on
    // success. On failure a file keeps its former content, and an error
    // message names the file or standard output and the system's reason;
    // a closed pipe on standard output fails quietly.
    bool Finish();

  private:
    bool Fail(int error);

    std::string path;  // empty for standard output
    velmo::AtomicFile file;
    std::unique_ptr<velmo::BlockWriter> writer;
};

}  // namespace velmo_cli
