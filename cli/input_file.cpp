// SPDX-License-Identifier: GPL-3.0-or-later
#include "input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "options.h"

namespace velmo_cli {
namespace {

constexpr std::size_t kCopyBlock = std::size_t{256} << 10;

}  // namespace

bool IsStandardInput(const char* path) { return std::strcmp(path, "-") == 0; }

std::string InputProblem(const char* path) {
    struct stat info {};
    if (::stat(path, &info) != 0) {
        return std::strerror(errno);
    }
    if (S_ISDIR(info.st_mode)) {
        return std::strerror(EISDIR);
    }
    if (!S_ISREG(info.st_mode)) {
        return "not a regular file";
    }
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return std::strerror(errno);
    }
    ::close(fd);
    return std::string();
}

SpooledInput::~SpooledInput() {
    if (fd >= 0) ::close(fd);
    if (!nameToRemove.empty()) ::unlink(nameToRemove.c_str());
}

bool SpooledInput::Spool() {
    const char* tmpdir = std::getenv("TMPDIR");
    const std::string folder = tmpdir != nullptr && tmpdir[0] != '\0' ? tmpdir : "/tmp";
    std::vector<char> name(folder.begin(), folder.end());
    const char kPattern[] = "/velmo-cli-stdin-XXXXXX";
    name.insert(name.end(), kPattern, kPattern + sizeof kPattern);  // with the '\0'
    fd = ::mkostemp(name.data(), O_CLOEXEC);                        // created with mode 0600
    if (fd < 0) {
        PrintError(std::string(kStandardInputLabel) + ": cannot keep a copy in " + folder + ": " +
                   std::strerror(errno));
        return false;
    }
    nameToRemove = name.data();
    path = "/proc/self/fd/" + std::to_string(fd);
    if (::access(path.c_str(), R_OK) == 0) {
        ::unlink(nameToRemove.c_str());
        nameToRemove.clear();
    } else {
        path = nameToRemove;
    }

    const std::unique_ptr<char[]> block(new char[kCopyBlock]);
    for (;;) {
        const ssize_t got = ::read(STDIN_FILENO, block.get(), kCopyBlock);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            PrintError(std::string(kStandardInputLabel) + ": " + std::strerror(errno));
            return false;
        }
        const int failed = WriteAll(fd, block.get(), static_cast<std::size_t>(got));
        if (failed != 0) {
            PrintError(std::string(kStandardInputLabel) + ": cannot keep a copy in " + folder +
                       ": " + std::strerror(failed));
            return false;
        }
    }
    return true;
}

}  // namespace velmo_cli
