// SPDX-License-Identifier: GPL-3.0-or-later
// A save that survives a crash: the new content reaches the disk before it
// replaces the old file, the folder is synced after the rename, and the
// replacement keeps the owner and group of the file it replaces.
//
// This test program defines fsync itself, so that the engine's calls come
// here first: each is recorded (what the descriptor names, and for a folder
// whether a temporary file is still in it) and then made for real.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <climits>
#include <string>
#include <vector>

#include "catalog_fixture.h"

namespace {

struct SyncCall {
    std::string path;         // what the descriptor names
    bool folder = false;      // a folder was synced
    bool dotEntries = false;  // the folder still held a hidden (temporary) file
};

bool recording = false;
std::vector<SyncCall> syncCalls;

bool HoldsHiddenFile(const std::string& folder) {
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) return false;
    bool found = false;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != ".." && name[0] == '.') found = true;
    }
    closedir(dir);
    return found;
}

}  // namespace

extern "C" int fsync(int fd) {
    if (recording) {
        char link[PATH_MAX] = {};
        const std::string self = "/proc/self/fd/" + std::to_string(fd);
        const ssize_t length = readlink(self.c_str(), link, sizeof link - 1);
        SyncCall call;
        call.path = length > 0 ? std::string(link, static_cast<std::size_t>(length)) : "?";
        struct stat info {};
        call.folder = fstat(fd, &info) == 0 && S_ISDIR(info.st_mode);
        call.dotEntries = call.folder && HoldsHiddenFile(call.path);
        syncCalls.push_back(call);
    }
    return static_cast<int>(syscall(SYS_fsync, fd));
}

namespace {

class DurableSaveTest : public CatalogTest {};

TEST_F(DurableSaveTest, TheContentIsSyncedBeforeTheRenameAndTheFolderAfter) {
    ASSERT_EQ(LoadLines({WorkedLine(), WorkedLine()}), 2);
    const std::string target = WriteFile("results.txt", "old\n");
    char real[PATH_MAX];
    ASSERT_NE(realpath(dir.c_str(), real), nullptr);
    const std::string folder = real;

    syncCalls.clear();
    recording = true;
    const std::int32_t saved = catalog.SaveText(target.c_str());
    recording = false;
    ASSERT_EQ(saved, 2);

    // The temporary file beside the target, synced while it still had its
    // own name (before the rename); then the folder, with the rename done.
    int content = -1, folderSync = -1;
    for (std::size_t i = 0; i < syncCalls.size(); ++i) {
        const SyncCall& call = syncCalls[i];
        if (!call.folder && call.path.rfind(folder + "/.results.txt.", 0) == 0) {
            content = static_cast<int>(i);
        }
        if (call.folder && call.path == folder && !call.dotEntries) {
            folderSync = static_cast<int>(i);
        }
    }
    EXPECT_GE(content, 0) << "the new content was not synced under its temporary name";
    EXPECT_GT(folderSync, content) << "the folder was not synced after the rename";
}

TEST_F(DurableSaveTest, TheReplacementKeepsOwnerAndGroup) {
    if (geteuid() != 0) GTEST_SKIP() << "only root may give a file to another user";
    ASSERT_EQ(LoadLines({WorkedLine()}), 1);
    const std::string target = WriteFile("owned.csv", "old\n");
    ASSERT_EQ(chown(target.c_str(), 65534, 65534), 0);  // nobody:nogroup
    ASSERT_EQ(chmod(target.c_str(), 0640), 0);
    ASSERT_EQ(catalog.SaveCsv(target.c_str()), 1);
    struct stat info {};
    ASSERT_EQ(stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 65534u);
    EXPECT_EQ(info.st_gid, 65534u);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_NE(ReadFile(target), "old\n");
}

}  // namespace
