// SPDX-License-Identifier: GPL-3.0-or-later
// Tests about file permissions must run as a user whom permissions bind;
// root is not one. A test that needs such a user starts with
//
//     if (tktest::RanAsUnprivilegedUser()) return;
//
// Run as root, the call runs this same test again in a child process of the
// same test program as user nobody (through setpriv), records the child's
// failures, with its output, in this test, and returns true: the caller then
// returns at once. Run as anyone else, it returns false and the test goes
// on in this process.
//
// The child gets this process's environment, with HOME and XDG_RUNTIME_DIR
// set to a private folder of its own and that folder as working folder. When
// nobody cannot reach the test program where it lies, a copy in a folder
// under /tmp is run instead.
#pragma once

namespace tktest {

bool RanAsUnprivilegedUser();

}  // namespace tktest
