// SPDX-License-Identifier: GPL-3.0-or-later
// Where a command writes its results, with the messages for its failures:
// standard output, through the open descriptor, or the file given with -o
// ("-" for standard output), which is replaced only by a complete new one
// (OutputFile says how descriptors, read-only files, the input file and
// interruptions are treated).
#pragma once

#include <memory>
#include <string>

#include "block_writer.h"
#include "output_file.h"

namespace velmo_cli {

class OutputTarget {
  public:
    OutputTarget() = default;
    OutputTarget(const OutputTarget&) = delete;
    OutputTarget& operator=(const OutputTarget&) = delete;

    // Prepares the output: standard output when `path` is null or "-", else
    // the file `path`, for a command that reads `input` (see OutputFile).
    // False, after an error message naming the file, when the file cannot
    // be written or is the input.
    bool Open(const char* path, const char* input = nullptr);

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
    OutputFile file;
    std::unique_ptr<velmo::BlockWriter> writer;
};

}  // namespace velmo_cli
