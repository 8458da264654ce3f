// SPDX-License-Identifier: GPL-3.0-or-later
#include "output_target.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "options.h"

namespace velmo_cli {

bool OutputTarget::Open(const char* target, const char* input) {
    if (!file.Open(target, input)) {
        PrintError(std::string(target[0] == '\0' ? "''" : target) + ": " + file.Why());
        return false;
    }
    path = file.IsStandardOutput() ? std::string() : std::string(target);
    writer = std::make_unique<velmo::BlockWriter>(file.Descriptor());
    return true;
}

bool OutputTarget::Finish() {
    if (!writer->Finish()) {
        const int error = writer->Error();
        file.Abort();
        return Fail(error);
    }
    if (!file.Commit()) {
        return Fail(file.Error());
    }
    return true;
}

bool OutputTarget::Fail(int error) {
    // A reader that has gone (`velmo-cli search ... | head`, also through
    // -o /dev/stdout) wants no more; that is no news worth a message.
    if (error == EPIPE) {
        return false;
    }
    PrintError((path.empty() ? std::string("standard output") : path) + ": " +
               std::strerror(error));
    return false;
}

}  // namespace velmo_cli
