// SPDX-License-Identifier: GPL-3.0-or-later
// Whole files as text, and text as lines.
#pragma once

#include <string>
#include <vector>

namespace tktest {

// The bytes of the file at `path`; "" when it cannot be read.
std::string ReadFile(const std::string& path);
// Writes `contents` to `path`, replacing it; false when that fails.
bool WriteFile(const std::string& path, const std::string& contents);
// `text` split at line feeds, without them (a last, empty piece dropped).
std::vector<std::string> SplitLines(const std::string& text);

}  // namespace tktest
