// SPDX-License-Identifier: GPL-3.0-or-later
// AtomicFile: writes a file so that an existing file of that name is only
// ever replaced by a complete new one.
//
// The new content goes to a temporary file in the target's own folder; Commit
// flushes it to the disk (fsync), gives it the permission bits of the file it
// replaces, renames it over the target and syncs the folder. Until Commit
// succeeds the target keeps every byte it had; on any failure, and when the
// object is destroyed or Abort is called before Commit, the temporary file is
// removed.
//
// A target that is a symbolic link is written through: the link stays a
// link and the file it points to gets the new content. A target that exists
// and is not a regular file (/dev/full, a FIFO, a terminal) cannot be
// replaced by a rename; it is opened and written directly, as such files are
// meant to be.
//
// A target that names one of this process's open descriptors (after its
// links are followed: /dev/stdout, /dev/stderr, /dev/fd/N, /proc/self/fd/N),
// or whose file is the one open on descriptor 1 or 2, is written through
// that descriptor as it stands (appending when it was opened to append, a
// pipe as a pipe); the descriptor stays open. An existing file that this
// process may not write is refused (EACCES), as a rewrite in place would be,
// even though its folder would allow the rename.
#pragma once

#include <string>

namespace velmo {

class AtomicFile {
  public:
    AtomicFile() = default;
    ~AtomicFile();  // aborts an uncommitted file
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Prepares to write the new content of `path`. False when that is not
    // possible (the folder does not exist or cannot be written, `path` is a
    // directory ...); Error() then tells why.
    bool Open(const std::string& path);

    // The descriptor to write the content to; -1 when not open.
    int Descriptor() const { return fd; }

    // Puts the written content in place (see above). False, with Error()
    // set, when any step fails; the target is then unchanged. The object is
    // closed afterwards either way.
    bool Commit();

    // Closes and removes the temporary file; the target is unchanged.
    void Abort();

    // errno of the last failure, 0 when none.
    int Error() const { return error; }

    // The temporary file being written, empty when none (before Open, after
    // Commit or Abort, and when writing in place or through a descriptor).
    const std::string& TemporaryPath() const { return temporary; }

  private:
    bool Fail(int code);

    int fd = -1;
    bool direct = false;    // writing to a non-regular target in place
    bool borrowed = false;  // fd is one of the process's own descriptors, not closed here
    std::string target;     // the file that the content replaces (links resolved)
    std::string temporary;  // the temporary file beside it, empty when direct
    int error = 0;
};

}  // namespace velmo
