#include "tests/support/unprivileged.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pwd.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace tktest {
namespace {

namespace fs = std::filesystem;

constexpr int kChildTimeoutSeconds = 240;

// True when every folder above `path` lets others pass and the file lets
// them read and run it.
bool OthersCanRun(const fs::path& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 ||
        (info.st_mode & (S_IROTH | S_IXOTH)) != (S_IROTH | S_IXOTH)) {
        return false;
    }
    for (fs::path folder = path.parent_path(); !folder.empty(); folder = folder.parent_path()) {
        if (stat(folder.c_str(), &info) != 0 || (info.st_mode & S_IXOTH) == 0) return false;
        if (folder == folder.root_path()) break;
    }
    return true;
}

// This process's environment with HOME and XDG_RUNTIME_DIR set to `home`.
std::vector<std::string> ChildEnvironment(const std::string& home) {
    std::vector<std::string> entries;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (std::strncmp(*entry, "HOME=", 5) == 0) continue;
        if (std::strncmp(*entry, "XDG_RUNTIME_DIR=", 16) == 0) continue;
        entries.emplace_back(*entry);
    }
    entries.push_back("HOME=" + home);
    entries.push_back("XDG_RUNTIME_DIR=" + home);
    return entries;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

// Runs `arguments` (the first one looked up in PATH) in `folder` with
// `environment`; returns its wait status, or -1 when it could not start or
// did not end in time (it is then killed). Its output, both streams, goes
// to `output`.
int Run(std::vector<std::string> arguments, std::vector<std::string> environment,
        const std::string& folder, std::string& output) {
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDERR_FILENO);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    std::vector<char*> argv = Pointers(arguments);
    std::vector<char*> envp = Pointers(environment);
    pid_t child = 0;
    const int spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0) {
        close(pipeEnds[0]);
        output = std::string("cannot start ") + argv[0] + ": " + std::strerror(spawned);
        return -1;
    }

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kChildTimeoutSeconds);
    bool timedOut = false;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            timedOut = true;
            break;
        }
        pollfd readable{pipeEnds[0], POLLIN, 0};
        if (poll(&readable, 1, static_cast<int>(left.count())) < 0) continue;
        char block[4096];
        const ssize_t got = read(pipeEnds[0], block, sizeof block);
        if (got <= 0) break; // the child closed its end: it has ended
        output.append(block, static_cast<std::size_t>(got));
    }
    close(pipeEnds[0]);
    if (timedOut) kill(child, SIGKILL);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return timedOut ? -1 : status;
}

} // namespace

bool RanAsUnprivilegedUser() {
    if (geteuid() != 0) return false;

    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    const std::string filter = std::string(test->test_suite_name()) + "." + test->name();
    const passwd* nobody = getpwnam("nobody");
    if (nobody == nullptr) {
        ADD_FAILURE() << "no user nobody to run " << filter << " as";
        return true;
    }

    // The child's home, working folder and, when needed, its copy of the
    // program: 0755 under the temporary folder, the home owned by nobody.
    std::string folder = (fs::temp_directory_path() / "velmo-unprivileged-XXXXXX").string();
    if (mkdtemp(folder.data()) == nullptr || chmod(folder.c_str(), 0755) != 0) {
        ADD_FAILURE() << "cannot make a folder for the run as nobody";
        return true;
    }
    const fs::path home = fs::path(folder) / "home";
    std::error_code error;
    fs::create_directory(home, error);
    if (chown(home.c_str(), nobody->pw_uid, nobody->pw_gid) != 0 || chmod(home.c_str(), 0700) != 0) {
        ADD_FAILURE() << "cannot hand " << home << " to nobody";
    }
    fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (!OthersCanRun(program)) {
        const fs::path copy = fs::path(folder) / program.filename();
        fs::copy_file(program, copy, error);
        chmod(copy.c_str(), 0755);
        program = copy;
    }

    std::string output;
    const int status = Run({"setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups",
                            "--", program.string(), "--gtest_filter=" + filter},
                           ChildEnvironment(home.string()), home.string(), output);
    const bool passed = status >= 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0 &&
                        output.find("[  PASSED  ] 1 test.") != std::string::npos;
    if (!passed) {
        ADD_FAILURE() << "the run of " << filter << " as nobody failed (wait status " << status
                      << "):\n"
                      << output;
    }
    fs::remove_all(folder, error);
    return true;
}

} // namespace tktest
