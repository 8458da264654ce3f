#include "tests/support/unprivileged.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <filesystem>
#include <string>

namespace tktest {
namespace {

namespace fs = std::filesystem;

constexpr int kChildTimeoutMs = 240000;

// True when every folder above `path` lets others pass and the file lets
// them read and run it.
bool OthersCanRun(const fs::path& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || (info.st_mode & (S_IROTH | S_IXOTH)) != (S_IROTH | S_IXOTH)) {
        return false;
    }
    for (fs::path folder = path.parent_path(); !folder.empty(); folder = folder.parent_path()) {
        if (stat(folder.c_str(), &info) != 0 || (info.st_mode & S_IXOTH) == 0) return false;
        if (folder == folder.root_path()) break;
    }
    return true;
}

std::string MakeFolder(const char* pattern) {
    std::string name = (fs::temp_directory_path() / pattern).string();
    if (mkdtemp(name.data()) == nullptr) return std::string();
    return name;
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
    // program: 0755 under /tmp, the home owned by nobody.
    const std::string folder = MakeFolder("velmo-unprivileged-XXXXXX");
    if (folder.empty()) {
        ADD_FAILURE() << "cannot make a folder for the child";
        return true;
    }
    const fs::path home = fs::path(folder) / "home";
    std::error_code error;
    fs::create_directory(home, error);
    chmod(folder.c_str(), 0755);
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

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", QString::fromStdString(home.string()));
    environment.insert("XDG_RUNTIME_DIR", QString::fromStdString(home.string()));
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setWorkingDirectory(QString::fromStdString(home.string()));
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start("setpriv",
                {"--reuid=nobody", "--regid=nogroup", "--clear-groups", "--",
                 QString::fromStdString(program.string()),
                 QString::fromStdString("--gtest_filter=" + filter)});
    const bool finished = child.waitForStarted(10000) && child.waitForFinished(kChildTimeoutMs);
    const std::string output = child.readAll().toStdString();
    if (!finished) {
        child.kill();
        child.waitForFinished(5000);
        ADD_FAILURE() << "the run as nobody did not finish: " << child.errorString().toStdString()
                      << "\n" << output;
    } else if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0 ||
               output.find("[  PASSED  ] 1 test.") == std::string::npos) {
        ADD_FAILURE() << "the run as nobody failed (exit " << child.exitCode() << "):\n" << output;
    }
    fs::remove_all(folder, error);
    return true;
}

} // namespace tktest
