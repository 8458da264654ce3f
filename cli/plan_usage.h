// SPDX-License-Identifier: GPL-3.0-or-later
// The plan command's --help text.
#pragma once

namespace velmo_cli {

// Writes plan's usage to standard output. False, after a message (none for
// a closed pipe), when it cannot be written.
bool PrintPlanUsage();

}  // namespace velmo_cli
