#include "cli_runner.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace {

// Nobody may not reach the build folder: run a copy in a world-readable place.
std::string CopyForNobody() {
    static std::string copy;
    if (copy.empty()) {
        std::string folder = (std::filesystem::temp_directory_path() / "velmo-cli-XXXXXX").string();
        if (mkdtemp(folder.data()) == nullptr) return VELMO_CLI;
        ::chmod(folder.c_str(), 0755);
        copy = folder + "/velmo-cli";
        std::filesystem::copy_file(VELMO_CLI, copy);
        ::chmod(copy.c_str(), 0755);
        std::atexit([] { std::filesystem::remove_all(std::filesystem::path(copy).parent_path()); });
    }
    return copy;
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

}  // namespace

CliResult RunCli(const std::vector<std::string>& args) {
    CliRun run;
    run.args = args;
    return RunCli(run);
}

CliResult RunCli(const CliRun& run) {
    CliResult result;
    std::vector<std::string> command;
    const bool drop = run.asNobody && ::geteuid() == 0;
    if (drop) {
        command = {"setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups",
                   CopyForNobody()};
    } else {
        command = {VELMO_CLI};
    }
    command.insert(command.end(), run.args.begin(), run.args.end());
    std::vector<char*> argv;
    for (std::string& arg : command) argv.push_back(arg.data());
    argv.push_back(nullptr);

    int out[2], err[2], in[2] = {-1, -1};
    if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0 ||
        (run.stdinThroughPipe && ::pipe2(in, O_CLOEXEC) != 0)) {
        ADD_FAILURE() << "pipe: " << std::strerror(errno);
        return result;
    }
    if (run.stdoutTo == CliStdout::kClosedPipe) {
        ::close(out[0]);  // nobody will ever read: writes fail with EPIPE
        out[0] = -1;
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        int target = out[1];
        if (run.stdoutTo == CliStdout::kDevFull) target = ::open("/dev/full", O_WRONLY);
        ::dup2(target, STDOUT_FILENO);
        ::dup2(err[1], STDERR_FILENO);
        const int input = run.stdinThroughPipe ? in[0] : ::open(run.stdinPath.c_str(), O_RDONLY);
        ::dup2(input, STDIN_FILENO);
        ::signal(SIGPIPE, SIG_DFL);  // as a shell starts it
        if (!run.numericLocale.empty()) ::setenv("LC_ALL", run.numericLocale.c_str(), 1);
        for (const std::string& entry : run.environment) {
            const std::size_t equals = entry.find('=');
            if (equals == std::string::npos) {
                ::unsetenv(entry.c_str());
            } else {
                ::setenv(entry.substr(0, equals).c_str(), entry.c_str() + equals + 1, 1);
            }
        }
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(out[1]);
    ::close(err[1]);
    if (pid < 0) {
        ADD_FAILURE() << "fork: " << std::strerror(errno);
        return result;
    }
    pid_t feeder = -1;
    if (run.stdinThroughPipe) {
        ::close(in[0]);
        feeder = ::fork();
        if (feeder == 0) {
            const char* data = run.stdinText.data();
            std::size_t left = run.stdinText.size();
            while (left > 0) {
                const ssize_t n = ::write(in[1], data, left);
                if (n < 0 && errno == EINTR) continue;
                if (n <= 0) break;
                data += n;
                left -= static_cast<std::size_t>(n);
            }
            ::_exit(0);
        }
        ::close(in[1]);
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
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    result.status = !result.timedOut && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    if (feeder > 0) {
        ::kill(feeder, SIGKILL);  // a program that stopped reading leaves it blocked
        while (::waitpid(feeder, &status, 0) < 0 && errno == EINTR) {
        }
    }
    return result;
}

void CliTest::SetUp() {
    CatalogTest::SetUp();
    ::chmod(dir.c_str(), 0755);  // an unprivileged run must reach its files
}

std::string CliTest::WriteLines(const std::string& name,
                                const std::vector<std::string>& lines) const {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    const std::string path = WriteFile(name, text);
    ::chmod(path.c_str(), 0644);
    return path;
}

std::string SampleCatalogue() { return VELMO_DATA_DIR "/bright-variable-stars.txt"; }

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}
