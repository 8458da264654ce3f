// SPDX-License-Identifier: GPL-3.0-or-later
#include "gcvs_records.h"

#include <cstring>

#include "decimal_text.h"

namespace velmo::importing {

bool IsGcvsStarLine(std::string_view line) {
    const std::size_t bar = line.find('|');
    if (bar == std::string_view::npos) {
        return false;
    }
    const std::string_view number = TrimBlanks(line.substr(0, bar));
    if (number.size() != 6) {
        return false;
    }
    for (const char c : number) {
        if (!IsDigit(c)) {
            return false;
        }
    }
    return true;
}

bool LooksLikeGcvs(std::string_view head, bool whole) {
    while (!head.empty()) {
        const std::size_t feed = head.find('\n');
        if (feed == std::string_view::npos) {
            return whole && IsGcvsStarLine(head);  // a cut last line is not looked at
        }
        if (IsGcvsStarLine(head.substr(0, feed))) {
            return true;
        }
        head.remove_prefix(feed + 1);
    }
    return false;
}

std::string_view GcvsDesignation(std::string_view field) {
    field = TrimBlanks(field);
    const std::size_t n = field.size();
    if (n >= 2 && IsBlank(field[n - 2])) {
        const char flag = field[n - 1];
        if (!IsDigit(flag) && !IsAsciiLetter(flag)) {
            field = TrimBlanks(field.substr(0, n - 1));
        }
    }
    return field;
}

bool SplitGcvsLine(std::string_view line, StarTexts* texts, std::size_t* fieldCount) {
    // One pass over the line, marking where each of the first fields starts.
    std::string_view fields[kGcvsFields];
    std::size_t count = 0;
    std::size_t start = 0;
    const char* text = line.data();
    const std::size_t size = line.size();
    for (std::size_t i = 0; i < size && count + 1 < kGcvsFields; ++i) {
        if (text[i] == '|') {
            fields[count++] = std::string_view(text + start, i - start);
            start = i + 1;
        }
    }
    if (count + 1 == kGcvsFields) {
        // The period field ends at the next bar or at the end of the line.
        const void* bar = std::memchr(text + start, '|', size - start);
        const std::size_t end =
            bar == nullptr ? size : static_cast<std::size_t>(static_cast<const char*>(bar) - text);
        fields[count++] = std::string_view(text + start, end - start);
    } else {
        ++count;  // the text after the last bar is a field too
    }
    *fieldCount = count;
    if (count < kGcvsFields) {
        return false;
    }
    *texts = StarTexts{};
    texts->name = GcvsDesignation(fields[1]);
    texts->position = fields[2];
    texts->combinedPosition = true;
    texts->type = fields[3];
    texts->max = fields[4];
    texts->min = fields[5];
    texts->period = fields[10];
    return true;
}

}  // namespace velmo::importing
