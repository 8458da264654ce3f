// SPDX-License-Identifier: GPL-3.0-or-later
#include "atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

namespace velmo {
namespace {

// The folder part of `path` ("." when it has none) and its last component.
std::string FolderOf(const std::string& path) {
    const std::string::size_type slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const std::string::size_type slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The descriptor that `path` names when it lies in this process's own
// descriptor folder (/proc/PID/fd or /proc/PID/task/TID/fd, where /dev/fd,
// /proc/self/fd and /proc/thread-self/fd lead); -1 for any other path.
int DescriptorNamed(const std::string& path) {
    const std::string name = NameOf(path);
    const bool number = !name.empty() && name.size() <= 9 &&
                        name.find_first_not_of("0123456789") == std::string::npos;
    if (!number) return -1;
    char resolved[PATH_MAX];
    if (::realpath(FolderOf(path).c_str(), resolved) == nullptr) return -1;
    const std::string folder = resolved;
    const std::string own = "/proc/" + std::to_string(::getpid());
    bool ours = folder == own + "/fd";
    const std::string task = own + "/task/";
    if (!ours && folder.compare(0, task.size(), task) == 0 && folder.size() > task.size() + 3 &&
        folder.compare(folder.size() - 3, 3, "/fd") == 0) {
        const std::string id = folder.substr(task.size(), folder.size() - 3 - task.size());
        ours = id.find_first_not_of("0123456789") == std::string::npos;
    }
    return ours ? std::atoi(name.c_str()) : -1;
}

// Follows `path` through symbolic links to the file they finally name, which
// need not exist yet, or to the first of the process's descriptors that one
// of them names (`descriptor`, else -1). False (errno set) on a loop or an
// unreadable link.
bool ResolveLinks(std::string path, std::string& resolved, int& descriptor) {
    descriptor = -1;
    for (int hops = 0; hops < 40; ++hops) {
        descriptor = DescriptorNamed(path);
        if (descriptor >= 0) return true;
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            resolved = path;
            return true;
        }
        std::vector<char> link(
            static_cast<std::size_t>(info.st_size > 0 ? info.st_size : PATH_MAX) + 1);
        const ssize_t length = ::readlink(path.c_str(), link.data(), link.size());
        if (length < 0) return false;
        if (static_cast<std::size_t>(length) >= link.size()) {
            errno = ENAMETOOLONG;  // the link grew while being read
            return false;
        }
        const std::string to(link.data(), static_cast<std::size_t>(length));
        path = (!to.empty() && to[0] == '/') ? to : FolderOf(path) + "/" + to;
    }
    errno = ELOOP;
    return false;
}

// Descriptor 1 or 2 when the file open on it is the file `info` describes;
// -1 when neither is.
int StandardDescriptorOf(const struct stat& info) {
    for (const int candidate : {STDOUT_FILENO, STDERR_FILENO}) {
        struct stat open {};
        if (::fstat(candidate, &open) == 0 && open.st_dev == info.st_dev &&
            open.st_ino == info.st_ino) {
            return candidate;
        }
    }
    return -1;
}

// The temporary file's name pattern beside `target`: ".NAME.XXXXXX", with
// NAME shortened as far as needed for the whole to fit the folder's limit
// on a name's length.
std::string TemporaryPattern(const std::string& target) {
    const std::string folder = FolderOf(target);
    std::string name = NameOf(target);
    long limit = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    if (limit <= 0) limit = NAME_MAX;
    constexpr std::size_t kAdded = 8;  // the leading dot and ".XXXXXX"
    const std::size_t room =
        static_cast<std::size_t>(limit) > kAdded ? static_cast<std::size_t>(limit) - kAdded : 1;
    if (name.size() > room) name.resize(room);
    return folder + "/." + name + ".XXXXXX";
}

// The permission bits a newly created file gets from this process's umask.
mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

AtomicFile::~AtomicFile() { Abort(); }

bool AtomicFile::Fail(int code) {
    const int saved = code;
    Abort();
    error = saved;
    return false;
}

bool AtomicFile::Open(const std::string& path) {
    Abort();
    error = 0;
    if (path.empty()) return Fail(ENOENT);
    int descriptor = -1;
    if (!ResolveLinks(path, target, descriptor)) return Fail(errno);

    struct stat info {};
    const bool exists = descriptor < 0 && ::stat(target.c_str(), &info) == 0;
    if (exists) descriptor = StandardDescriptorOf(info);
    if (descriptor >= 0) {
        // Written as the descriptor stands; one open only for reading is no
        // place to write to.
        const int flags = ::fcntl(descriptor, F_GETFL);
        if (flags < 0 || (flags & O_ACCMODE) == O_RDONLY) return Fail(EBADF);
        fd = descriptor;
        borrowed = true;
        return true;
    }
    if (exists && S_ISDIR(info.st_mode)) return Fail(EISDIR);
    if (exists && S_ISREG(info.st_mode) &&
        ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        return Fail(errno);  // as a rewrite in place would be refused
    }
    if (exists && !S_ISREG(info.st_mode)) {
        // A device, FIFO or terminal: it cannot be replaced, only written.
        direct = true;
        fd = ::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC | O_NOCTTY);
        return fd >= 0 ? true : Fail(errno);
    }

    std::string name = TemporaryPattern(target);
    fd = ::mkostemp(&name[0], O_CLOEXEC);
    if (fd < 0) return Fail(errno);
    temporary = name;
    // The replacement keeps what it replaces: permission bits and, where
    // this process may set them, owner and group. A new file gets the mode
    // any newly created file would get.
    if (exists) {
        if (::fchown(fd, info.st_uid, info.st_gid) != 0) {
            // Only a privileged process may give a file away; others keep
            // their own ownership, as a rewrite in place would.
        }
        if (::fchmod(fd, info.st_mode & 07777) != 0) return Fail(errno);
    } else if (::fchmod(fd, NewFileMode()) != 0) {
        return Fail(errno);
    }
    return true;
}

bool AtomicFile::Commit() {
    if (fd < 0) return Fail(EBADF);
    if (borrowed) {
        fd = -1;
        borrowed = false;
        return true;
    }
    if (direct) {
        const int closed = ::close(fd);
        fd = -1;
        direct = false;
        return closed == 0 ? true : Fail(errno);
    }
    if (::fsync(fd) != 0) return Fail(errno);
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0) return Fail(errno);
    if (::rename(temporary.c_str(), target.c_str()) != 0) return Fail(errno);
    temporary.clear();
    // Make the rename itself durable. Some file systems cannot sync a
    // folder; the content is in place all the same.
    const int folder = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        if (::fsync(folder) != 0) {
            // EINVAL on file systems without folder sync: nothing to do.
        }
        ::close(folder);
    }
    return true;
}

void AtomicFile::Abort() {
    if (borrowed) {
        fd = -1;  // not ours to close
        borrowed = false;
    }
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
    if (!temporary.empty()) {
        ::unlink(temporary.c_str());
        temporary.clear();
    }
    direct = false;
}

}  // namespace velmo
