// SPDX-License-Identifier: GPL-3.0-or-later
// The catalogue a command reads: a path, or "-" for standard input (a pipe,
// a FIFO, a terminal or a redirected file). Why a path cannot be read, in
// the system's words, for messages.
#pragma once

#include <string>

namespace velmo_cli {

// True when the catalogue named on the command line is "-".
bool IsStandardInput(const char* path);

// How messages name standard input: "(standard input):3: ...".
constexpr char kStandardInputLabel[] = "(standard input)";

// Looks at `path` without reading it and without opening anything but a
// regular file (a FIFO would block, a device might never end): the system's
// reason when it does not exist or cannot be opened ("No such file or
// directory", "Permission denied"), "Is a directory", or "not a regular
// file"; the empty text when a regular file opens for reading. Only a hint
// for the message: the load's own result decides whether the file is read.
std::string InputProblem(const char* path);

// Standard input copied to its end into a private temporary file, for the
// engine's loader, which reads regular files only (it reads large files in
// pieces, at their offsets). The copy is made in $TMPDIR, or /tmp when that
// is not set, readable by its owner only, and its name is removed at once:
// Path() reaches it through /proc/self/fd while the object lives, and
// nothing is left behind however the program ends. Where /proc is missing,
// the name stays until the object is destroyed.
class SpooledInput {
  public:
    SpooledInput() = default;
    ~SpooledInput();
    SpooledInput(const SpooledInput&) = delete;
    SpooledInput& operator=(const SpooledInput&) = delete;

    // Copies standard input. False, after a message naming standard input
    // or the folder and the system's reason, when it cannot be read or the
    // copy cannot be written (a full disk, a missing folder).
    bool Spool();

    // The path the copy is read through; valid after a successful Spool.
    const char* Path() const { return path.c_str(); }

  private:
    int fd = -1;
    std::string path;
    std::string nameToRemove;  // the copy's own name, while it has one
};

}  // namespace velmo_cli
