#include "input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace velmo_cli {

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

}  // namespace velmo_cli
