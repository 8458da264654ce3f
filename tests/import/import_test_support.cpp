#include "import_test_support.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace import_test {

TempDir::TempDir() {
    char pattern[] = "/tmp/velmo-import-XXXXXX";
    if (::mkdtemp(pattern) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    ::chmod(pattern, 0755);
    path = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

std::string TempDir::Write(const std::string& name, const std::string& contents) const {
    const std::string file = Path(name);
    std::ofstream out(file, std::ios::binary);
    out << contents;
    return file;
}

const char kFixtureSummary[] =
    "imported 10 stars; skipped 1 (1 with a negative magnitude); 1 name cut\n";

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Fixture(const std::string& name) {
    return std::string(VELMO_IMPORT_FIXTURES) + "/" + name;
}

std::vector<std::string> SplitLines(const std::string& text) {
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

RunResult RunImport(const std::vector<std::string>& args, const std::string& input,
                    const std::vector<std::string>& environment, const std::string& user) {
    TempDir io;
    const std::string in = io.Write("stdin", input);
    const std::string out = io.Path("stdout");
    const std::string err = io.Path("stderr");

    std::vector<std::string> command;
    std::string program = VELMO_IMPORT_PROGRAM;
    if (!user.empty()) {
        command = {"/usr/bin/setpriv", "--reuid=" + user, "--regid=nogroup", "--clear-groups"};
        // The build folder may be private to its owner: run a copy from the
        // folder that every user may enter.
        const std::string copy = io.Path("velmo-cli");
        std::filesystem::copy_file(program, copy);
        ::chmod(copy.c_str(), 0755);
        program = copy;
    }
    command.push_back(program);
    command.push_back("import");
    command.insert(command.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : command) argv.push_back(arg.data());
    argv.push_back(nullptr);

    // Entries of `environment` replace inherited ones of the same name.
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        const std::string name = entry.substr(0, entry.find('=') + 1);
        bool replaced = false;
        for (const std::string& added : environment) replaced |= added.rfind(name, 0) == 0;
        if (!replaced) env.push_back(entry);
    }
    env.insert(env.end(), environment.begin(), environment.end());
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    RunResult result;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        result.err = std::string("spawn failed: ") + std::strerror(spawned);
        return result;
    }
    int status = 0;
    struct rusage usage {};
    while (::wait4(pid, &status, 0, &usage) < 0) {
    }
    result.peakKib = usage.ru_maxrss;
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = ReadFile(out);
    result.err = ReadFile(err);
    return result;
}

}  // namespace import_test
