// SPDX-License-Identifier: GPL-3.0-or-later
// A private temporary folder for one test, removed with everything in it
// when the object goes.
#pragma once

#include <string>

namespace tktest {

class TempFolder {
  public:
    // A fresh folder "<prefix>-XXXXXX" under the system's temporary folder,
    // mode 0700; throws std::runtime_error when none can be made.
    explicit TempFolder(const std::string& prefix = "velmo-test");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    // Path of `name` inside the folder.
    std::string PathOf(const std::string& name) const { return path_ + "/" + name; }
    // Writes `contents` to `name` inside the folder; returns its path.
    std::string Write(const std::string& name, const std::string& contents) const;
    // Lets every user enter and read the folder (0755), for work done as
    // another user.
    void OpenToEveryone() const;

  private:
    std::string path_;
};

}  // namespace tktest
