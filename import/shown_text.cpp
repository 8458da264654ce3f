// SPDX-License-Identifier: GPL-3.0-or-later
#include "shown_text.h"

namespace velmo::importing {

std::string ShownText(std::string_view text) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string shown;
    shown.reserve(text.size() + 2);
    shown += '\'';
    for (const char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte < 32 || byte == 127) {
            shown += "\\x";
            shown += kHex[byte >> 4];
            shown += kHex[byte & 15];
        } else {
            shown += c;
        }
    }
    shown += '\'';
    return shown;
}

}  // namespace velmo::importing
