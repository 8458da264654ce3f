// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/child_process.h"

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>

namespace tktest {
namespace {

namespace fs = std::filesystem;

// True when every folder above `path` lets others pass and the file lets
// them read and run it.
bool OthersCanRun(const fs::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 ||
        (info.st_mode & (S_IROTH | S_IXOTH)) != (S_IROTH | S_IXOTH)) {
        return false;
    }
    for (fs::path folder = path.parent_path(); !folder.empty(); folder = folder.parent_path()) {
        if (::stat(folder.c_str(), &info) != 0 || (info.st_mode & S_IXOTH) == 0) return false;
        if (folder == folder.root_path()) break;
    }
    return true;
}

bool DropsPrivileges(const ChildRun& run) { return run.asNobody && ::geteuid() == 0; }

// The child's side, after fork: its standard streams, signals, environment
// and folder as `run` asks.
void PrepareChild(const ChildRun& run, int in, int out, int err) {
    int target = out;
    if (run.stdoutTo == ChildStdout::kDevFull) target = ::open("/dev/full", O_WRONLY);
    ::dup2(target, STDOUT_FILENO);
    ::dup2(err, STDERR_FILENO);
    const int input = run.stdinThroughPipe ? in : ::open(run.stdinPath.c_str(), O_RDONLY);
    ::dup2(input, STDIN_FILENO);
    ::signal(SIGPIPE, SIG_DFL);
    for (const std::string& entry : run.environment) {
        const std::size_t equals = entry.find('=');
        if (equals == std::string::npos) {
            ::unsetenv(entry.c_str());
        } else {
            ::setenv(entry.substr(0, equals).c_str(), entry.c_str() + equals + 1, 1);
        }
    }
    if (!run.folder.empty() && ::chdir(run.folder.c_str()) != 0) {
        std::fprintf(stderr, "cannot enter %s: %s\n", run.folder.c_str(), std::strerror(errno));
        ::_exit(127);
    }
}

void ReadInto(int& fd, std::string& text) {
    char buffer[65536];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n > 0) {
        text.append(buffer, static_cast<std::size_t>(n));
    } else if (n == 0 || (errno != EINTR && errno != EAGAIN)) {
        ::close(fd);
        fd = -1;
    }
}

// The wait status of `pid`, or -1 when it is no child of this process (any
// more); with `peakKib`, the most resident memory it held.
int WaitFor(pid_t pid, long* peakKib = nullptr) {
    int status = 0;
    struct rusage usage {};
    while (::wait4(pid, &status, 0, &usage) < 0) {
        if (errno != EINTR) return -1;
    }
    if (peakKib != nullptr) *peakKib = usage.ru_maxrss;
    return status;
}

// A process that writes `text` into `fd` and closes it, so that the test
// never blocks on a child that does not read; -1 when it cannot start.
pid_t StartFeeder(int fd, const std::string& text) {
    const pid_t feeder = ::fork();
    if (feeder == 0) {
        const char* data = text.data();
        std::size_t left = text.size();
        while (left > 0) {
            const ssize_t n = ::write(fd, data, left);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;
            data += n;
            left -= static_cast<std::size_t>(n);
        }
        ::_exit(0);
    }
    return feeder;
}

// Forks; the child prepares itself and calls `start`, which does not return.
ChildResult Run(const ChildRun& run, const std::function<void()>& start) {
    ChildResult result;
    int out[2], err[2], in[2] = {-1, -1};
    if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0 ||
        (run.stdinThroughPipe && ::pipe2(in, O_CLOEXEC) != 0)) {
        result.err = std::string("pipe: ") + std::strerror(errno);
        return result;
    }
    if (run.stdoutTo == ChildStdout::kClosedPipe) {
        ::close(out[0]);  // nobody will ever read: writes fail with EPIPE
        out[0] = -1;
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        PrepareChild(run, in[0], out[1], err[1]);
        for (const int fd : {out[0], out[1], err[0], err[1], in[0], in[1]}) {
            if (fd > STDERR_FILENO) ::close(fd);
        }
        start();
        ::_exit(127);
    }
    ::close(out[1]);
    ::close(err[1]);
    if (in[0] >= 0) ::close(in[0]);
    pid_t feeder = -1;
    if (pid > 0 && run.stdinThroughPipe) feeder = StartFeeder(in[1], run.stdinText);
    if (in[1] >= 0) ::close(in[1]);
    if (pid < 0) {
        result.err = std::string("fork: ") + std::strerror(errno);
        if (out[0] >= 0) ::close(out[0]);
        ::close(err[0]);
        return result;
    }

    using Clock = std::chrono::steady_clock;
    const auto deadline =
        Clock::now() + std::chrono::milliseconds(static_cast<long>(run.timeoutSeconds * 1000));
    int outFd = out[0], errFd = err[0];
    while (outFd >= 0 || errFd >= 0) {
        pollfd fds[2] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}};
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) {
            result.timedOut = true;
            break;
        }
        if (::poll(fds, 2, static_cast<int>(left)) < 0 && errno != EINTR) break;
        if (outFd >= 0 && fds[0].revents != 0) ReadInto(outFd, result.out);
        if (errFd >= 0 && fds[1].revents != 0) ReadInto(errFd, result.err);
    }
    if (outFd >= 0) ::close(outFd);
    if (errFd >= 0) ::close(errFd);
    if (result.timedOut) ::kill(pid, SIGKILL);
    const int status = WaitFor(pid, &result.peakKib);
    if (!result.timedOut && status >= 0) {
        if (WIFEXITED(status)) result.status = WEXITSTATUS(status);
        if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
    }
    if (feeder > 0) {
        ::kill(feeder, SIGKILL);  // a child that stopped reading leaves it blocked
        WaitFor(feeder);
    }
    return result;
}

}  // namespace

int StartProgram(const std::vector<std::string>& command, int stdinFd) {
    std::vector<std::string> arguments = command;
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int nothing = ::open("/dev/null", O_RDWR);
        ::dup2(stdinFd >= 0 ? stdinFd : nothing, STDIN_FILENO);
        ::dup2(nothing, STDOUT_FILENO);
        ::dup2(nothing, STDERR_FILENO);
        for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) ::signal(signal, SIG_DFL);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    return pid;
}

int StartFunction(const std::function<int()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(body() & 0xff);
    return pid;
}

ChildResult WaitForChild(int pid, double timeoutSeconds) {
    ChildResult result;
    if (pid <= 0) return result;
    using Clock = std::chrono::steady_clock;
    const auto deadline =
        Clock::now() + std::chrono::milliseconds(static_cast<long>(timeoutSeconds * 1000));
    int status = 0;
    struct rusage usage {};
    pid_t ended = 0;
    while ((ended = ::wait4(pid, &status, WNOHANG, &usage)) == 0 && Clock::now() < deadline) {
        ::usleep(2000);
    }
    if (ended == 0) {
        result.timedOut = true;
        ::kill(pid, SIGKILL);
        WaitFor(pid);
        return result;
    }
    if (ended < 0) return result;
    result.peakKib = usage.ru_maxrss;
    if (WIFEXITED(status)) result.status = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
    return result;
}

ChildRun AsNobody() {
    ChildRun run;
    run.asNobody = true;
    return run;
}

std::string RunnableByEveryone(const std::string& program) {
    static std::map<std::string, std::string> copies;
    if (OthersCanRun(program)) return program;
    std::string& copy = copies[program];
    if (copy.empty()) {
        std::string folder = (fs::temp_directory_path() / "velmo-program-XXXXXX").string();
        if (::mkdtemp(folder.data()) == nullptr) return program;
        ::chmod(folder.c_str(), 0755);
        copy = folder + "/" + fs::path(program).filename().string();
        std::error_code error;
        fs::copy_file(program, copy, error);
        ::chmod(copy.c_str(), 0755);
        if (copies.size() == 1) {
            std::atexit([] {
                std::error_code ignored;
                for (const auto& entry : copies) {
                    fs::remove_all(fs::path(entry.second).parent_path(), ignored);
                }
            });
        }
    }
    return copy;
}

ChildResult RunProgram(const std::vector<std::string>& command, const ChildRun& run) {
    std::vector<std::string> full;
    if (DropsPrivileges(run)) {
        full = {"setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups", "--"};
    }
    full.insert(full.end(), command.begin(), command.end());
    if (DropsPrivileges(run) && command.at(0).find('/') != std::string::npos) {
        full.at(full.size() - command.size()) = RunnableByEveryone(command.at(0));
    }
    std::vector<char*> argv;
    for (std::string& argument : full) argv.push_back(argument.data());
    argv.push_back(nullptr);
    return Run(run, [&] {
        ::execvp(argv[0], argv.data());
        std::fprintf(stderr, "cannot start %s: %s\n", argv[0], std::strerror(errno));
    });
}

ChildResult RunFunction(const std::function<int()>& body, const ChildRun& run) {
    ChildResult result = Run(run, [&] {
        if (DropsPrivileges(run)) {
            constexpr uid_t kNobody = 65534;
            constexpr gid_t kNoGroup = 65534;
            if (::setgroups(0, nullptr) != 0 || ::setgid(kNoGroup) != 0 || ::setuid(kNobody) != 0) {
                ::_exit(255);
            }
        }
        ::_exit(body() & 0xff);
    });
    if (result.status == 255) result.status = -1;
    return result;
}

}  // namespace tktest
