// SPDX-License-Identifier: GPL-3.0-or-later
#include "sky_position.h"

#include <cstdint>

#include "decimal_text.h"

namespace velmo::importing {
namespace {

constexpr std::size_t kMaxParts = 3;

// A coordinate cut into its sexagesimal parts.
struct Parts {
    std::string_view part[kMaxParts];
    int count = 0;
    bool separated = false;  // blanks or colons stood between parts
};

bool IsSeparator(char c) { return IsBlank(c) || c == ':'; }

// Cuts `text` at runs of blanks and colons into at most `most` tokens.
// Returns how many there are, or most + 1 when there are more.
std::size_t SplitTokens(std::string_view text, std::string_view* tokens, std::size_t most) {
    std::size_t count = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && IsSeparator(text[pos])) {
            ++pos;
        }
        if (pos >= text.size()) {
            break;
        }
        if (count == most) {
            return most + 1;
        }
        const std::size_t start = pos;
        while (pos < text.size() && !IsSeparator(text[pos])) {
            ++pos;
        }
        tokens[count++] = text.substr(start, pos - start);
    }
    return count;
}

// Splits a coordinate into its parts; false when there are none or more
// than three.
bool SplitParts(std::string_view text, Parts* parts) {
    const std::size_t count = SplitTokens(text, parts->part, kMaxParts);
    if (count > kMaxParts) {
        return false;
    }
    parts->count = static_cast<int>(count);
    parts->separated = parts->count > 1;
    return parts->count > 0;
}

// A whole number of digits only, below `limit`.
bool ReadWhole(std::string_view text, int limit, int* value) {
    if (text.empty() || text.size() > 3) {
        return false;
    }
    int result = 0;
    for (const char c : text) {
        if (!IsDigit(c)) {
            return false;
        }
        result = result * 10 + (c - '0');
    }
    if (result >= limit) {
        return false;
    }
    *value = result;
    return true;
}

// An unsigned decimal number below `limit` units, in millionths.
bool ReadUnsigned(std::string_view text, std::int64_t limit, std::int64_t* micros) {
    if (text.empty() || !(IsDigit(text[0]) || text[0] == '.')) {
        return false;
    }
    std::size_t pos = 0;
    if (!ReadDecimal(text, &pos, micros) || pos != text.size()) {
        return false;
    }
    return *micros < limit * kMicro;
}

// Digits before the decimal point (or the end) of a number.
std::size_t WholeDigits(std::string_view text) {
    std::size_t count = 0;
    while (count < text.size() && IsDigit(text[count])) {
        ++count;
    }
    return count;
}

// First and second unit (hours or degrees, then minutes) of a sexagesimal
// value: every part but the last must be whole; the last may have decimals.
// The first unit must be below `firstLimit`.
bool ReadSexagesimal(const Parts& parts, int firstLimit, int* first, int* minutes) {
    std::int64_t micros = 0;
    if (parts.count == 2) {
        return ReadWhole(parts.part[0], firstLimit, first) &&
               ReadUnsigned(parts.part[1], 60, &micros) &&
               (*minutes = static_cast<int>(micros / kMicro), true);
    }
    return ReadWhole(parts.part[0], firstLimit, first) && ReadWhole(parts.part[1], 60, minutes) &&
           ReadUnsigned(parts.part[2], 60, &micros);
}

// hhmmss[.s] / ddmmss[.s] as one number, split into the three parts.
bool SplitCompact(std::string_view text, Parts* parts) {
    if (WholeDigits(text) != 6) {
        return false;
    }
    parts->part[0] = text.substr(0, 2);
    parts->part[1] = text.substr(2, 2);
    parts->part[2] = text.substr(4);
    parts->count = 3;
    return true;
}

}  // namespace

PositionRead ReadRightAscension(std::string_view text, bool raHours, LinePosition* out) {
    text = TrimBlanks(text);
    if (text.empty()) {
        return PositionRead::kAbsent;
    }
    Parts parts;
    if (!SplitParts(text, &parts)) {
        return PositionRead::kUnreadable;
    }
    if (parts.count == 1 && !SplitCompact(text, &parts)) {
        // A plain decimal number: degrees, or hours with raHours.
        std::int64_t micros = 0;
        if (!ReadUnsigned(text, raHours ? 24 : 360, &micros)) {
            return PositionRead::kUnreadable;
        }
        // Whole minutes of time; both products are exact in 64 bits.
        const std::int64_t minutes = raHours ? micros * 60 / kMicro : micros * 4 / kMicro;
        out->raHours = static_cast<int>(minutes / 60);
        out->raMinutes = static_cast<int>(minutes % 60);
        return PositionRead::kOk;
    }
    return ReadSexagesimal(parts, 24, &out->raHours, &out->raMinutes) ? PositionRead::kOk
                                                                      : PositionRead::kUnreadable;
}

PositionRead ReadDeclination(std::string_view text, LinePosition* out) {
    text = TrimBlanks(text);
    if (text.empty()) {
        return PositionRead::kAbsent;
    }
    bool south = false;
    if (text[0] == '+' || text[0] == '-') {
        south = text[0] == '-';
        text = TrimBlanks(text.substr(1));
    }
    Parts parts;
    if (text.empty() || !SplitParts(text, &parts)) {
        return PositionRead::kUnreadable;
    }
    int degrees = 0;
    if (parts.count == 1 && !SplitCompact(text, &parts)) {
        std::int64_t micros = 0;
        if (!ReadUnsigned(text, 91, &micros) || micros > 90 * kMicro) {
            return PositionRead::kUnreadable;
        }
        degrees = static_cast<int>(micros / kMicro);
    } else {
        int minutes = 0;
        if (!ReadSexagesimal(parts, 91, &degrees, &minutes)) {
            return PositionRead::kUnreadable;
        }
        if (degrees == 90) {
            // Nothing lies beyond the pole: 90 must be followed by zeros only.
            for (int i = 1; i < parts.count; ++i) {
                std::int64_t micros = 0;
                ReadUnsigned(parts.part[i], 60, &micros);
                if (micros != 0) {
                    return PositionRead::kUnreadable;
                }
            }
        }
    }
    out->south = south;
    out->decDegrees = degrees;
    return PositionRead::kOk;
}

PositionRead ReadPosition(std::string_view text, bool raHours, LinePosition* out) {
    text = TrimBlanks(text);
    if (text.empty()) {
        return PositionRead::kAbsent;
    }
    // The declination starts at its sign.
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (text[i] == '+' || text[i] == '-') {
            const PositionRead ra = ReadRightAscension(text.substr(0, i), raHours, out);
            if (ra != PositionRead::kOk) {
                return PositionRead::kUnreadable;
            }
            return ReadDeclination(text.substr(i), out) == PositionRead::kOk
                       ? PositionRead::kOk
                       : PositionRead::kUnreadable;
        }
    }
    // No sign: two numbers, or sexagesimal halves of equal length.
    std::string_view tokens[6];
    const std::size_t count = SplitTokens(text, tokens, 6);
    if (count != 2 && count != 4 && count != 6) {
        return PositionRead::kUnreadable;
    }
    // Each half runs from its first token's start to its last token's end.
    const std::size_t half = count / 2;
    const char* raStart = tokens[0].data();
    const char* raEnd = tokens[half - 1].data() + tokens[half - 1].size();
    const char* decStart = tokens[half].data();
    const char* decEnd = tokens[count - 1].data() + tokens[count - 1].size();
    const std::string_view ra(raStart, static_cast<std::size_t>(raEnd - raStart));
    const std::string_view dec(decStart, static_cast<std::size_t>(decEnd - decStart));
    if (ReadRightAscension(ra, raHours, out) != PositionRead::kOk ||
        ReadDeclination(dec, out) != PositionRead::kOk) {
        return PositionRead::kUnreadable;
    }
    return PositionRead::kOk;
}

}  // namespace velmo::importing
