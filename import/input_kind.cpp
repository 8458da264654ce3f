// SPDX-License-Identifier: GPL-3.0-or-later
#include "input_kind.h"

#include "gcvs_records.h"

namespace velmo::importing {

InputKind DetectKind(std::string_view head, bool whole) {
    if (head.substr(0, 9) == "SIMPLE  =") {
        return InputKind::kFits;
    }
    std::string_view text = head;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3);
    }
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first != std::string_view::npos) {
        text.remove_prefix(first);
        for (const std::string_view start : {"<?xml", "<!--", "<VOTABLE", "<vot:VOTABLE"}) {
            if (text.substr(0, start.size()) == start) {
                return InputKind::kVotable;
            }
        }
    }
    return LooksLikeGcvs(head, whole) ? InputKind::kGcvs : InputKind::kTable;
}

}  // namespace velmo::importing
