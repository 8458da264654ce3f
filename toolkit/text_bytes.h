// SPDX-License-Identifier: GPL-3.0-or-later
// Conversion between the program's 8-bit text and Qt's strings.
//
// The program keeps text as bytes (std::string, const char*). Towards Qt a
// byte string is read as UTF-8, the encoding of Linux desktops and file
// names, and, when it is not valid UTF-8, as Latin-1, so that every byte
// still shows as a character. Back from Qt text is encoded as UTF-8.
#pragma once

#include <string>
#include <string_view>

class QString;

namespace tk {

QString TextFromBytes(std::string_view bytes);
std::string BytesFromText(const QString& text);

}  // namespace tk
