// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/temp_folder.h"

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "tests/support/text_files.h"

namespace tktest {

TempFolder::TempFolder(const std::string& prefix) {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a temporary folder " + pattern);
    }
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::Write(const std::string& name, const std::string& contents) const {
    const std::string path = PathOf(name);
    WriteFile(path, contents);
    return path;
}

void TempFolder::OpenToEveryone() const {
    if (::chmod(path_.c_str(), 0755) != 0) {
        throw std::system_error(errno, std::generic_category(), "chmod " + path_);
    }
}

}  // namespace tktest
