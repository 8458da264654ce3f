// SPDX-License-Identifier: GPL-3.0-or-later
#include "output_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

namespace velmo_cli {
namespace {

// The one temporary file that an interruption removes. Only the handler and
// the code below, with the signals blocked while it changes, touch it.
char pendingPath[PATH_MAX + 1];
volatile sig_atomic_t pending = 0;

constexpr int kCleanupSignals[] = {SIGINT, SIGTERM, SIGHUP};

extern "C" void RemovePendingAndEnd(int signal) {
    if (pending != 0) {
        ::unlink(pendingPath);
        pending = 0;
    }
    // The default action ends the program by this very signal as soon as
    // the handler returns and the signal is no longer blocked.
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    ::sigemptyset(&fallback.sa_mask);
    ::sigaction(signal, &fallback, nullptr);
    ::raise(signal);
}

void InstallHandlersOnce() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    for (const int signal : kCleanupSignals) {
        struct sigaction current {};
        ::sigaction(signal, nullptr, &current);
        // A signal that was ignored when the program started (a job started
        // in the background by a shell) stays ignored.
        if (current.sa_handler == SIG_IGN) continue;
        struct sigaction handler {};
        handler.sa_handler = RemovePendingAndEnd;
        ::sigemptyset(&handler.sa_mask);
        for (const int other : kCleanupSignals) ::sigaddset(&handler.sa_mask, other);
        ::sigaction(signal, &handler, nullptr);
    }
}

// Blocks the cleanup signals for the life of the object.
class SignalsHeld {
  public:
    SignalsHeld() {
        sigset_t held;
        ::sigemptyset(&held);
        for (const int signal : kCleanupSignals) ::sigaddset(&held, signal);
        ::sigprocmask(SIG_BLOCK, &held, &before);
    }
    ~SignalsHeld() { ::sigprocmask(SIG_SETMASK, &before, nullptr); }
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

  private:
    sigset_t before;
};

void Watch(const std::string& path) {
    if (path.empty() || path.size() > PATH_MAX) return;
    InstallHandlersOnce();
    std::memcpy(pendingPath, path.c_str(), path.size() + 1);
    pending = 1;
}

void Forget() {
    SignalsHeld held;
    pending = 0;
}

// The file `path` is, or what is open on standard input for "-". False when
// it cannot be looked at.
bool Identify(const char* path, struct stat& info) {
    if (std::strcmp(path, "-") == 0) return ::fstat(STDIN_FILENO, &info) == 0;
    return ::stat(path, &info) == 0;
}

}  // namespace

OutputFile::~OutputFile() { Abort(); }

bool OutputFile::Fail(int code, const std::string& text) {
    Abort();
    error = code;
    why = text;
    return false;
}

bool OutputFile::Open(const char* path, const char* input) {
    Abort();
    why.clear();
    error = 0;
    standardOutput = path == nullptr || std::strcmp(path, "-") == 0;
    if (standardOutput) {
        descriptor = STDOUT_FILENO;
        return true;
    }
    if (path[0] == '\0') return Fail(ENOENT, std::strerror(ENOENT));
    {
        SignalsHeld held;  // no interruption between creating and watching the file
        if (!file.Open(path)) return Fail(file.Error(), std::strerror(file.Error()));
        Watch(file.TemporaryPath());
    }
    descriptor = file.Descriptor();
    // Judged once open, by the file the target leads to (the descriptor's
    // file when written through one, else the file the path names).
    struct stat read {};
    struct stat written {};
    const bool same = input != nullptr && Identify(input, read) && S_ISREG(read.st_mode) &&
                      ((::fstat(descriptor, &written) == 0 && read.st_dev == written.st_dev &&
                        read.st_ino == written.st_ino) ||
                       (::stat(path, &written) == 0 && read.st_dev == written.st_dev &&
                        read.st_ino == written.st_ino));
    if (same) return Fail(0, "output would replace the input");
    return true;
}

bool OutputFile::Commit() {
    if (standardOutput) return true;
    const bool done = file.Commit();
    Forget();
    descriptor = -1;
    return done ? true : Fail(file.Error(), std::strerror(file.Error()));
}

void OutputFile::Abort() {
    if (!standardOutput && descriptor >= 0) {
        file.Abort();
        Forget();
    }
    descriptor = -1;
}

}  // namespace velmo_cli
