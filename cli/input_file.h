// Why a catalogue path cannot be read, in the system's words, for messages.
#pragma once

#include <string>

namespace velmo_cli {

// Looks at `path` without reading it and without opening anything but a
// regular file (a FIFO would block, a device might never end): the system's
// reason when it does not exist or cannot be opened ("No such file or
// directory", "Permission denied"), "Is a directory", or "not a regular
// file"; the empty text when a regular file opens for reading. Only a hint
// for the message: the load's own result decides whether the file is read.
std::string InputProblem(const char* path);

}  // namespace velmo_cli
