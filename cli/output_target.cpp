#include "output_target.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "options.h"

namespace velmo_cli {

bool OutputTarget::Open(const char* target) {
    if (target == nullptr) {
        path.clear();
        writer = std::make_unique<velmo::BlockWriter>(STDOUT_FILENO);
        return true;
    }
    path = target;
    if (path.empty()) {
        PrintError("'': " + std::string(std::strerror(ENOENT)));
        return false;
    }
    if (!file.Open(path)) {
        PrintError(path + ": " + std::strerror(file.Error()));
        return false;
    }
    writer = std::make_unique<velmo::BlockWriter>(file.Descriptor());
    return true;
}

bool OutputTarget::Finish() {
    if (!writer->Finish()) {
        const int error = writer->Error();
        if (!path.empty()) {
            file.Abort();
        }
        return Fail(error);
    }
    if (!path.empty() && !file.Commit()) {
        return Fail(file.Error());
    }
    return true;
}

bool OutputTarget::Fail(int error) {
    if (path.empty()) {
        // A reader that has gone (`velmo-cli search ... | head`) wants no
        // more; that is no news worth a message.
        if (error != EPIPE) {
            PrintError(std::string("standard output: ") + std::strerror(error));
        }
    } else {
        PrintError(path + ": " + std::strerror(error));
    }
    return false;
}

}  // namespace velmo_cli
