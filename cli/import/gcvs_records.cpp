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
    std::string_view fields[kGcvsFields];
    std::size_t count = 0;
    std::size_t pos = 0;
    while (count < kGcvsFields) {
        const std::size_t bar = line.find('|', pos);
        fields[count++] = line.substr(pos, bar == std::string_view::npos ? bar : bar - pos);
        if (bar == std::string_view::npos) {
            break;
        }
        pos = bar + 1;
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
