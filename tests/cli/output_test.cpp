// SPDX-License-Identifier: GPL-3.0-or-later
// What -o may point at without losing anything: the program's own
// descriptors (an appended log, a pipe), "-", a file its user may not write,
// the input itself, a name of 255 bytes; and an interrupted write leaves no
// temporary file behind.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <set>
#include <thread>

#include "cli_fixture.h"

namespace {

class OutputTest : public CliTest {
  protected:
    // Runs `script` with bash in the test's folder, the program as $C and
    // the sample as $S; returns bash's exit status.
    int Shell(const std::string& script) const {
        tktest::ChildRun run;
        run.folder = dir;
        run.environment = {std::string("C=") + VELMO_CLI, "S=" + SampleCatalogue()};
        return tktest::RunProgram({"bash", "-c", script}, run).status;
    }
    std::set<std::string> Names() const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir)) {
            names.insert(entry.path().filename().string());
        }
        return names;
    }
    // The temporary file beside `name` while a write is under way, or "".
    std::string TemporaryOf(const std::string& name) const {
        for (const std::string& found : Names()) {
            if (found.rfind("." + name + ".", 0) == 0) return found;
        }
        return "";
    }
};

TEST_F(OutputTest, DescriptorTargetsAreWrittenThroughTheDescriptor) {
    // Appended: the log keeps its lines, whichever name reaches descriptor 1
    // or 2, and also when -o names the very file behind descriptor 1.
    WriteFile("log.txt", "one\ntwo\n");
    for (const char* target : {"/dev/stdout", "/dev/fd/1", "/proc/self/fd/1", "log.txt"}) {
        EXPECT_EQ(Shell(std::string("\"$C\" search --count -o ") + target + " \"$S\" >> log.txt"),
                  0)
            << target;
    }
    EXPECT_EQ(Shell("\"$C\" search --count -o /dev/stderr \"$S\" 2>> log.txt"), 0);
    EXPECT_EQ(Shell("\"$C\" import -o /dev/stdout tests.csv >> log.txt 2>/dev/null"), 2)
        << "no such input: the log is not touched";
    EXPECT_EQ(ReadFile(PathOf("log.txt")), "one\ntwo\n184\n184\n184\n184\n184\n");

    // A pipe, and "-" as standard output, for search and import.
    const std::vector<std::string> importArgs = {"import",
                                                 VELMO_DATA_DIR "/../tests/import/data/stars.csv"};
    const CliResult imported = RunCli(importArgs);
    ASSERT_EQ(imported.status, 0);
    for (const char* target : {"/dev/stdout", "-"}) {
        SCOPED_TRACE(target);
        const CliResult search = RunCli({"search", "--count", "-o", target, SampleCatalogue()});
        EXPECT_EQ(search.status, 0);
        EXPECT_EQ(search.out, "184\n");
        std::vector<std::string> args = importArgs;
        args.insert(args.end(), {"-o", target});
        EXPECT_EQ(RunCli(args).out, imported.out);
    }
    EXPECT_EQ(Names(), (std::set<std::string>{"log.txt"})) << "no file named '-' or left over";
    // A descriptor that is not open is no file to create.
    const CliResult closed = RunCli({"search", "--count", "-o", "/dev/fd/97", SampleCatalogue()});
    EXPECT_EQ(closed.status, 2);
    EXPECT_EQ(closed.err, "velmo-cli: /dev/fd/97: Bad file descriptor\n");
}

TEST_F(OutputTest, AFileItsUserMayNotWriteIsRefusedAndKept) {
    // In a folder nobody may write to, so that only the file's own mode
    // stands in the way.
    const std::string folder = PathOf("mine");
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    const std::string kept = WriteFile("mine/p.csv", "kept\n");
    ASSERT_EQ(::chmod(kept.c_str(), 0444), 0);
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(folder.c_str(), 65534, 65534), 0);
        ASSERT_EQ(::chown(kept.c_str(), 65534, 65534), 0);
    }
    // Inputs in the test's own folder, which the unprivileged user can read
    // wherever the checkout lies (a home folder is often closed to others).
    const std::string catalogue = WriteFile("cat.txt", ReadFile(SampleCatalogue()));
    const std::string table =
        WriteFile("stars.csv", ReadFile(VELMO_DATA_DIR "/../tests/import/data/stars.csv"));
    CliRun run;
    run.asNobody = true;
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"search", "--count", "-o", kept, catalogue},
          std::vector<std::string>{"import", table, "-o", kept}}) {
        run.args = args;
        const CliResult result = RunCli(run);
        EXPECT_EQ(result.status, 2) << args[0];
        EXPECT_EQ(ReadFile(kept), "kept\n");
        EXPECT_EQ(result.err, "velmo-cli: " + kept + ": Permission denied\n");
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                            std::filesystem::directory_iterator()),
              1);
    // Root may write any file, and does.
    if (::geteuid() == 0) {
        EXPECT_EQ(RunCli({"search", "--count", "-o", kept, SampleCatalogue()}).status, 0);
        EXPECT_EQ(ReadFile(kept), "184\n");
    }
}

TEST_F(OutputTest, TheInputIsNeverTheOutput) {
    const std::string catalogue = PathOf("cat.txt");
    std::filesystem::copy_file(SampleCatalogue(), catalogue);
    ASSERT_EQ(::symlink("cat.txt", PathOf("link.txt").c_str()), 0);
    const std::string before = ReadFile(catalogue);
    const std::string refused = ": output would replace the input\n";
    for (const char* output : {"cat.txt", "link.txt"}) {
        SCOPED_TRACE(output);
        const std::string target = PathOf(output);
        // Also a search that matches nothing, which once left a header alone.
        CliResult result = RunCli({"search", "--ra-west", "5", "--ra-east", "5", "--dec-north",
                                   "-89", "-o", target, catalogue});
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.err, "velmo-cli: " + target + refused);
        result = RunCli({"import", PathOf("link.txt"), "-o", target});
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.err, "velmo-cli: " + target + refused);
    }
    // Through descriptor 1, as the shell opened it.
    EXPECT_EQ(Shell("\"$C\" search -o /dev/stdout cat.txt >> cat.txt 2>/dev/null"), 2);
    EXPECT_TRUE(ReadFile(catalogue) == before) << "the catalogue was changed";
    EXPECT_EQ(Names(), (std::set<std::string>{"cat.txt", "link.txt"}));
}

TEST_F(OutputTest, ANameOf255BytesIsSaved) {
    const std::string name(255, 'n');
    const CliResult result = RunCli({"search", "--count", "-o", PathOf(name), SampleCatalogue()});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(ReadFile(PathOf(name)), "184\n");
    EXPECT_EQ(Names(), (std::set<std::string>{name}));
}

TEST_F(OutputTest, HelpOnAFullDeviceIsAnError) {
    for (const char* command : {"import", "search", "check"}) {
        CliRun run;
        run.args = {command, "--help"};
        run.stdoutTo = CliStdout::kDevFull;
        const CliResult result = RunCli(run);
        EXPECT_EQ(result.status, 2) << command;
        EXPECT_NE(result.err.find("No space left on device"), std::string::npos) << command;
    }
}

// Starts the program with `args`, standard input from `input` (or
// /dev/null) and its output thrown away; returns its process id.
int Start(const std::vector<std::string>& args, int input) {
    std::vector<std::string> command = {VELMO_CLI};
    command.insert(command.end(), args.begin(), args.end());
    return tktest::StartProgram(command, input);
}

// Waits for `pid`; the signal that ended it, or 0 when it exited.
int EndingSignal(int pid) { return tktest::WaitForChild(pid).signal; }

TEST_F(OutputTest, AnInterruptedWriteLeavesNoTemporaryFile) {
    const std::string out = WriteFile("out.txt", "earlier\n");
    // An import from a pipe that stays open: the program is surely writing
    // (its temporary file has grown) when the signal comes.
    std::string rows = "Name,Coords,Type,Mag,P\n";
    for (int i = 0; i < 40000; ++i) rows += "R And,00 24 01.95 +38 34 37.3,M,5.8 - 15.2,409.2\n";
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(signal);
        int feed[2];
        ASSERT_EQ(::pipe(feed), 0);
        const int pid = Start({"import", "-", "-o", out}, feed[0]);
        ::close(feed[0]);
        std::thread writer([&] {
            for (std::size_t done = 0; done < rows.size();) {
                const ssize_t n = ::write(feed[1], rows.data() + done, rows.size() - done);
                if (n <= 0) break;
                done += static_cast<std::size_t>(n);
            }
        });
        writer.join();
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        struct stat info {};
        std::string temporary;
        while (std::chrono::steady_clock::now() < deadline &&
               !(!(temporary = TemporaryOf("out.txt")).empty() &&
                 ::stat(PathOf(temporary).c_str(), &info) == 0 && info.st_size > 0)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        EXPECT_GT(info.st_size, 0) << "the import never wrote";
        ::kill(pid, signal);
        EXPECT_EQ(EndingSignal(pid), signal);
        ::close(feed[1]);
        EXPECT_EQ(Names(), (std::set<std::string>{"out.txt"}));
        EXPECT_EQ(ReadFile(out), "earlier\n");
    }

    // A search of a large catalogue, stopped while it loads or writes.
    std::string line = WithColumn(WorkedLine(), 46, "  10.0000") + "\n";
    std::string text;
    for (int i = 0; i < 400000; ++i) text += line;
    const std::string big = WriteFile("big.txt", text);
    text.clear();
    const int pid = Start({"search", "--max-mag", "99", "--min-mag", "0", "-o", out, big}, -1);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (TemporaryOf("out.txt").empty() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    ::kill(pid, SIGINT);
    EXPECT_EQ(EndingSignal(pid), SIGINT) << "the search ended before it could be stopped";
    EXPECT_EQ(Names(), (std::set<std::string>{"out.txt", "big.txt"}));
    EXPECT_EQ(ReadFile(out), "earlier\n");
}

}  // namespace
