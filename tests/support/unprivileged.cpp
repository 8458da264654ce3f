// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/unprivileged.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "tests/support/child_process.h"
#include "tests/support/temp_folder.h"

namespace tktest {

bool RanAsUnprivilegedUser() {
    if (geteuid() != 0) return false;

    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    const std::string filter = std::string(test->test_suite_name()) + "." + test->name();
    const passwd* nobody = getpwnam("nobody");
    if (nobody == nullptr) {
        ADD_FAILURE() << "no user nobody to run " << filter << " as";
        return true;
    }

    // The child's home and working folder: 0755 under the temporary folder,
    // the home owned by nobody.
    TempFolder folder("velmo-unprivileged");
    folder.OpenToEveryone();
    const std::string home = folder.PathOf("home");
    std::error_code error;
    std::filesystem::create_directory(home, error);
    if (chown(home.c_str(), nobody->pw_uid, nobody->pw_gid) != 0 ||
        chmod(home.c_str(), 0700) != 0) {
        ADD_FAILURE() << "cannot hand " << home << " to nobody";
    }

    ChildRun run = AsNobody();
    run.environment = {"HOME=" + home, "XDG_RUNTIME_DIR=" + home};
    run.folder = home;
    run.timeoutSeconds = 240;
    const std::string program = std::filesystem::read_symlink("/proc/self/exe", error).string();
    const ChildResult result = RunProgram({program, "--gtest_filter=" + filter}, run);
    const bool passed =
        result.status == 0 && result.out.find("[  PASSED  ] 1 test.") != std::string::npos;
    if (!passed) {
        ADD_FAILURE() << "the run of " << filter << " as nobody failed (exit status "
                      << result.status << ", signal " << result.signal
                      << (result.timedOut ? ", timed out" : "") << "):\n"
                      << result.out << result.err;
    }
    return true;
}

}  // namespace tktest
