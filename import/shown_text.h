// SPDX-License-Identifier: GPL-3.0-or-later
// Input text as shown in messages: between single quotes, with control
// bytes written as \xNN so that binary junk cannot disturb a terminal.
// Bytes from 128 up (UTF-8 letters) are shown as they are.
#pragma once

#include <string>
#include <string_view>

namespace velmo::importing {

std::string ShownText(std::string_view text);

}  // namespace velmo::importing
