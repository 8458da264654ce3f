// SPDX-License-Identifier: GPL-3.0-or-later
// Files are never lost: a save that fails leaves the file it would replace
// exactly as it was, a replaced file keeps its permissions and links, and a
// load refuses anything that is not a regular file instead of blocking.
#include <fcntl.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <future>
#include <set>
#include <thread>

#include "catalog_fixture.h"

namespace {

class SafeFilesTest : public CatalogTest {
  protected:
    // Names in the temporary directory, to find leftover temporary files.
    std::set<std::string> Names(const std::string& folder) const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            names.insert(entry.path().filename().string());
        }
        return names;
    }
    // Loads `count` copies of the worked line from a file named `name`.
    std::int32_t LoadMany(int count, const std::string& name = "catalog.txt") {
        std::string text;
        for (int i = 0; i < count; ++i) text += WorkedLine() + "\n";
        return catalog.Load(WriteFile(name, text).c_str());
    }
};

// With the file size limited, every write past it fails as on a full disk;
// in a child process, so that the limit ends with it.
TEST_F(SafeFilesTest, FailedWriteLeavesTheTargetWholeEvenWhenItIsTheCatalogue) {
    ASSERT_EQ(LoadMany(30000), 30000);  // 2.3 MB
    const std::string source = PathOf("catalog.txt");
    const std::string before = ReadFile(source);
    const std::string csv = WriteFile("old.csv", "old,content\n");

    const int status = tktest::RunFunction([&] {
                           signal(SIGXFSZ, SIG_IGN);
                           const rlimit limit{100000, 100000};
                           if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 9;
                           // The results onto the very file they were loaded from, and over a
                           // smaller file: both fail and change nothing.
                           if (catalog.SaveText(source.c_str()) != -1) return 1;
                           if (catalog.SaveCsv(source.c_str()) != -1) return 2;
                           if (catalog.SaveCsv(csv.c_str()) != -1) return 3;
                           return 0;
                       }).status;
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(ReadFile(source) == before) << "the catalogue was changed";
    EXPECT_EQ(ReadFile(csv), "old,content\n");
    EXPECT_EQ(Names(dir), (std::set<std::string>{"catalog.txt", "old.csv"}));
}

// A real full disk: a small tmpfs (mounting one needs root, as in CI).
TEST_F(SafeFilesTest, FullDiskLeavesTheTargetWhole) {
    if (geteuid() != 0) GTEST_SKIP() << "mounting a small tmpfs needs root";
    const std::string disk = PathOf("disk");
    ASSERT_EQ(mkdir(disk.c_str(), 0700), 0);
    if (mount("velmo-test", disk.c_str(), "tmpfs", 0, "size=256k") != 0) {
        // Root without the right to mount, as in some containers.
        ASSERT_TRUE(errno == EPERM || errno == EACCES) << strerror(errno);
        GTEST_SKIP() << "this root may not mount a tmpfs: " << strerror(errno);
    }
    struct Unmount {
        std::string path;
        ~Unmount() { umount2(path.c_str(), MNT_DETACH); }
    } unmount{disk};

    const std::string target = disk + "/results.txt";
    const std::string old(100000, 'o');
    { std::ofstream(target, std::ios::binary) << old; }
    ASSERT_EQ(LoadMany(5000), 5000);  // 380 kB of output: more than is free
    EXPECT_EQ(catalog.SaveText(target.c_str()), -1);
    EXPECT_EQ(catalog.SaveCsv(target.c_str()), -1);
    EXPECT_TRUE(ReadFile(target) == old) << "the file was changed";
    EXPECT_EQ(Names(disk), (std::set<std::string>{"results.txt"}));

    // What fits is saved, and replaces the file.
    ASSERT_EQ(LoadMany(3), 3);
    EXPECT_EQ(catalog.SaveText(target.c_str()), 3);
    EXPECT_EQ(ReadFile(target).size(), 3u * 76u);
    EXPECT_EQ(Names(disk), (std::set<std::string>{"results.txt"}));
}

TEST_F(SafeFilesTest, ReplacedFileKeepsItsPermissionsAndLinks) {
    ASSERT_EQ(LoadMany(2), 2);
    const std::string expected = WorkedLine() + "\n" + WorkedLine() + "\n";

    const std::string locked = WriteFile("locked.txt", "old\n");
    ASSERT_EQ(chmod(locked.c_str(), 0640), 0);
    ASSERT_EQ(catalog.SaveText(locked.c_str()), 2);
    struct stat info {};
    ASSERT_EQ(stat(locked.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(ReadFile(locked), expected);

    // Written through a link, also through a chain of two and a dangling one.
    const std::string real = WriteFile("real.txt", "old\n");
    ASSERT_EQ(symlink("real.txt", PathOf("link.txt").c_str()), 0);
    ASSERT_EQ(symlink(PathOf("link.txt").c_str(), PathOf("link2.txt").c_str()), 0);
    ASSERT_EQ(symlink("later.txt", PathOf("dangling.txt").c_str()), 0);
    ASSERT_EQ(catalog.SaveText(PathOf("link2.txt").c_str()), 2);
    ASSERT_EQ(catalog.SaveText(PathOf("dangling.txt").c_str()), 2);
    for (const char* link : {"link.txt", "link2.txt", "dangling.txt"}) {
        ASSERT_EQ(lstat(PathOf(link).c_str(), &info), 0);
        EXPECT_TRUE(S_ISLNK(info.st_mode)) << link << " is no longer a link";
    }
    EXPECT_EQ(ReadFile(real), expected);
    EXPECT_EQ(ReadFile(PathOf("later.txt")), expected);

    // A new file gets the mode the umask gives any new file.
    const mode_t mask = umask(027);
    const std::int32_t saved = catalog.SaveCsv(PathOf("new.csv").c_str());
    umask(mask);
    ASSERT_EQ(saved, 2);
    ASSERT_EQ(stat(PathOf("new.csv").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(Names(dir),
              (std::set<std::string>{"catalog.txt", "locked.txt", "real.txt", "link.txt",
                                     "link2.txt", "dangling.txt", "later.txt", "new.csv"}));
}

// A FIFO cannot be replaced by a rename: it is written in place, and the
// reader at its other end gets the whole output.
TEST_F(SafeFilesTest, FifoTargetIsWrittenInPlace) {
    ASSERT_EQ(LoadMany(20000), 20000);
    const std::string fifo = PathOf("pipe");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::future<std::string> read = std::async(std::launch::async, [&] { return ReadFile(fifo); });
    EXPECT_EQ(catalog.SaveText(fifo.c_str()), 20000);
    ASSERT_EQ(read.wait_for(std::chrono::seconds(20)), std::future_status::ready);
    EXPECT_EQ(read.get().size(), 20000u * 76u);
    struct stat info {};
    ASSERT_EQ(lstat(fifo.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

TEST_F(SafeFilesTest, FolderThatCannotBeWrittenRefusesTheSaveAsAnUnprivilegedUser) {
    OpenDirToEveryone();
    ASSERT_EQ(LoadMany(2), 2);
    const std::string kept = WriteFile("kept.txt", "old\n");
    ASSERT_EQ(chmod(kept.c_str(), 0666), 0);
    // The folder stays root's (or this user's) and is not writable by
    // nobody: no temporary file can be made beside the target, so the save
    // fails and the target, though writable, keeps its content.
    const int status = tktest::RunFunction(
                           [&] {
                               if (geteuid() != 0 && access(dir.c_str(), W_OK) == 0) {
                                   chmod(dir.c_str(), 0555);
                               }
                               const int result =
                                   catalog.SaveText(kept.c_str()) == -1 &&
                                           catalog.SaveCsv(PathOf("new.csv").c_str()) == -1
                                       ? 0
                                       : 1;
                               chmod(dir.c_str(), 0755);
                               return result;
                           },
                           tktest::AsNobody())
                           .status;
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadFile(kept), "old\n");
    EXPECT_EQ(Names(dir), (std::set<std::string>{"catalog.txt", "kept.txt"}));
}

// A file its user may not write is refused even where the folder would let
// a rename replace it; root may write any file and is not refused.
TEST_F(SafeFilesTest, ReadOnlyFileIsRefusedAsAnUnprivilegedUser) {
    OpenDirToEveryone();
    ASSERT_EQ(LoadMany(2), 2);
    const std::string kept = WriteFile("kept.txt", "old\n");
    ASSERT_EQ(chmod(kept.c_str(), 0444), 0);
    const uid_t owner = geteuid() == 0 ? 65534 : geteuid();
    ASSERT_EQ(chown(kept.c_str(), owner, static_cast<gid_t>(-1)), 0);
    ASSERT_EQ(chmod(dir.c_str(), 0777), 0);  // the folder is no obstacle
    const int status =
        tktest::RunFunction(
            [&] {
                return catalog.SaveText(kept.c_str()) == -1 && catalog.SaveCsv(kept.c_str()) == -1
                           ? 0
                           : 1;
            },
            tktest::AsNobody())
            .status;
    chmod(dir.c_str(), 0755);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadFile(kept), "old\n");
    EXPECT_EQ(Names(dir), (std::set<std::string>{"catalog.txt", "kept.txt"}));
    if (geteuid() == 0) {
        EXPECT_EQ(catalog.SaveText(kept.c_str()), 2);
        EXPECT_EQ(ReadFile(kept), WorkedLine() + "\n" + WorkedLine() + "\n");
    }
}

// A name of 255 bytes, the longest a folder takes, is saved: the temporary
// name beside it is shortened to fit.
TEST_F(SafeFilesTest, LongestNameIsSaved) {
    ASSERT_EQ(LoadMany(2), 2);
    for (const std::size_t length : {247u, 248u, 255u}) {
        const std::string name(length, 'x');
        EXPECT_EQ(catalog.SaveCsv(PathOf(name).c_str()), 2) << length;
        EXPECT_EQ(catalog.SaveText(PathOf(name).c_str()), 2) << length;
        EXPECT_EQ(ReadFile(PathOf(name)), WorkedLine() + "\n" + WorkedLine() + "\n");
    }
    EXPECT_EQ(Names(dir).size(), 4u) << "the catalogue and three saves, nothing left over";
}

// A target that names one of the process's descriptors is written through
// it: the pipe gets the lines, the file behind an appending descriptor keeps
// what it had.
TEST_F(SafeFilesTest, DescriptorTargetsAreWrittenThroughTheDescriptor) {
    ASSERT_EQ(LoadMany(2), 2);
    const std::string expected = WorkedLine() + "\n" + WorkedLine() + "\n";
    const std::string log = WriteFile("log.txt", "kept\n");
    const int appending = open(log.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    ASSERT_GE(appending, 0);
    const std::string number = std::to_string(appending);
    for (const std::string& path :
         {"/dev/fd/" + number, "/proc/self/fd/" + number, "/proc/thread-self/fd/" + number}) {
        EXPECT_EQ(catalog.SaveText(path.c_str()), 2) << path;
    }
    int pipeEnds[2];
    ASSERT_EQ(pipe2(pipeEnds, O_CLOEXEC), 0);
    EXPECT_EQ(catalog.SaveText(("/dev/fd/" + std::to_string(pipeEnds[1])).c_str()), 2);
    EXPECT_NE(fcntl(pipeEnds[1], F_GETFD), -1) << "the descriptor stays open";
    close(pipeEnds[1]);
    EXPECT_EQ(ReadFile("/dev/fd/" + std::to_string(pipeEnds[0])), expected);
    close(pipeEnds[0]);
    EXPECT_NE(fcntl(appending, F_GETFD), -1);
    close(appending);
    EXPECT_EQ(ReadFile(log), "kept\n" + expected + expected + expected);
    EXPECT_EQ(Names(dir), (std::set<std::string>{"catalog.txt", "log.txt"}));
}

// Loading something that is not a regular file fails at once, leaving
// nothing loaded, instead of waiting for a writer or reading for ever.
TEST_F(SafeFilesTest, LoadRefusesFifosDevicesAndSocketsWithoutBlocking) {
    const std::string fifo = PathOf("pipe");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    ASSERT_EQ(symlink(fifo.c_str(), PathOf("link-to-pipe").c_str()), 0);
    const std::string socketPath = PathOf("socket");
    const int sock = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(sock, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    std::strcpy(address.sun_path, socketPath.c_str());
    ASSERT_EQ(bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

    for (const std::string& path : {fifo, PathOf("link-to-pipe"), std::string("/dev/zero"),
                                    std::string("/dev/null"), socketPath}) {
        ASSERT_EQ(LoadMany(3), 3);
        std::future<std::int32_t> load =
            std::async(std::launch::async, [&] { return catalog.Load(path.c_str()); });
        if (load.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
            // Unblock a load stuck on the FIFO, then fail.
            const int writer = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
            if (writer >= 0) close(writer);
            load.wait();
            ADD_FAILURE() << "Load blocked on " << path;
            continue;
        }
        EXPECT_EQ(load.get(), -1) << path;
        EXPECT_FALSE(catalog.IsLoaded()) << path;
        EXPECT_FALSE(catalog.HasResults()) << path;
    }
    close(sock);
}

}  // namespace
