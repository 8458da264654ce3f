// SPDX-License-Identifier: GPL-3.0-or-later
// Running a program or a function in a child process, the way the tests
// need it: optionally as an unprivileged user, with a chosen standard input,
// captured output, changed environment, working folder and a time limit.
// A child that outlives its time limit is killed (SIGKILL) and reported as
// timed out; nothing here waits without a limit.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tktest {

// Where the child's standard output goes.
enum class ChildStdout {
    kCapture,     // a pipe read into ChildResult::out
    kClosedPipe,  // a pipe whose read end is closed before the child starts
    kDevFull,     // /dev/full
};

struct ChildRun {
    // Drop to nobody/nogroup first when this process is root (setpriv for a
    // program, which then runs from a copy when nobody cannot reach it).
    bool asNobody = false;
    // Standard input: the file at stdinPath (any kind: a directory, a FIFO),
    // or, when stdinThroughPipe, a pipe that a helper process fills with
    // stdinText and then closes.
    std::string stdinPath = "/dev/null";
    bool stdinThroughPipe = false;
    std::string stdinText;
    ChildStdout stdoutTo = ChildStdout::kCapture;
    std::vector<std::string> environment;  // "NAME=value" set, "NAME" removed, in the child
    std::string folder;                    // working folder; empty: this process's
    double timeoutSeconds = 30;
};

// A ChildRun that drops to nobody (when root), the rest as default.
ChildRun AsNobody();

struct ChildResult {
    int status = -1;  // exit status; -1 when it did not exit normally, timed out or did not start
    int signal = 0;   // the signal that ended it, 0 when it exited
    bool timedOut = false;
    std::string out;   // standard output (when captured)
    std::string err;   // standard error; why it did not start, when it did not
    long peakKib = 0;  // the most memory it held at once (resident, KiB)
};

// Runs `command` (the first entry looked up in PATH when it has no slash),
// SIGPIPE at its default as a shell starts it.
ChildResult RunProgram(const std::vector<std::string>& command, const ChildRun& run = {});

// Runs `body` in a forked child, so that limits it sets end with it; status
// is body's result (0-254), or -1 when the child could not drop its
// privileges (it then exits with 255) or ended by a signal.
ChildResult RunFunction(const std::function<int()>& body, const ChildRun& run = {});

// For a test that works on a child while it runs (signals it, feeds it):
// starts `command` with standard input from `stdinFd` (/dev/null when -1),
// its output thrown away and every signal at its default action; returns
// its process id, or -1 when it cannot fork.
int StartProgram(const std::vector<std::string>& command, int stdinFd = -1);
// Starts `body` in a forked child whose exit status is body's result.
int StartFunction(const std::function<int()>& body);
// Waits for a started child at most `timeoutSeconds`, then kills it; its
// status, signal and whether it timed out (no output: it was not captured).
ChildResult WaitForChild(int pid, double timeoutSeconds = 30);

// `program` when every user may run it where it lies, else a copy that they
// may (made once per program, in a folder under /tmp removed at exit).
std::string RunnableByEveryone(const std::string& program);

}  // namespace tktest
