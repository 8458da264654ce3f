// SPDX-License-Identifier: GPL-3.0-or-later
// The file a command writes its results to, chosen with -o: standard output
// when no file or "-" is given, else a file replaced only by a complete new
// one (velmo::AtomicFile, which also writes through the process's own
// descriptors and refuses a file its user may not write).
//
// Two more rules keep what the user has: an output that is the very file the
// command reads (same device and inode, links followed) is refused before
// anything is read, and while a temporary file exists, SIGINT, SIGTERM and
// SIGHUP remove it before they end the program (by the same signal, so that
// the exit status still names it).
#pragma once

#include <string>

#include "atomic_file.h"

namespace velmo_cli {

class OutputFile {
  public:
    OutputFile() = default;
    ~OutputFile();  // aborts an uncommitted file
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Prepares the output `path` (null or "-": standard output) for a
    // command that reads `input` ("-": standard input; null: nothing). False
    // when it cannot be written or is the input; Why() then tells why in a
    // few words ("Permission denied", "output would replace the input").
    bool Open(const char* path, const char* input);

    // The descriptor to write to; -1 when not open.
    int Descriptor() const { return descriptor; }
    bool IsStandardOutput() const { return standardOutput; }

    // Puts a file in place (nothing to do for standard output). False, with
    // Why() set, when that fails; the file then keeps its former content.
    bool Commit();
    // Drops what was written to a file; its former content stays.
    void Abort();

    const std::string& Why() const { return why; }
    // errno of the last failure, 0 when none or when the output is the input.
    int Error() const { return error; }

  private:
    bool Fail(int code, const std::string& text);

    velmo::AtomicFile file;
    int descriptor = -1;
    bool standardOutput = false;
    std::string why;
    int error = 0;
};

}  // namespace velmo_cli
