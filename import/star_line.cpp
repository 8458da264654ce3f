#include "star_line.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>

#include "constellations.h"
#include "decimal_text.h"
#include "shown_text.h"
#include "sky_position.h"

namespace velmo::importing {
namespace {

constexpr std::size_t kNameAt = 10, kNameWidth = 11;
constexpr std::size_t kTypeAt = 22, kTypeWidth = 8;
constexpr std::size_t kMaxAt = 33, kMinAt = 40;
constexpr std::size_t kPeriodAt = 46;
constexpr std::size_t kDescriptionAt = 55, kDescriptionWidth = 20;

// Hundredths of a magnitude that no longer fit "dd.dd".
constexpr std::int64_t kMagnitudeLimit = 10000;
// Ten-thousandths of a day that no longer fit "dddd.dddd".
constexpr std::int64_t kPeriodDecimalLimit = std::int64_t{10000} * 10000;
// Thousands of days that no longer fit the four places before "K".
constexpr std::int64_t kThousandsLimit = 10000;

bool IsControl(unsigned char c) { return c < 32 || c == 127; }
bool IsPrintableAscii(unsigned char c) { return c >= 33 && c <= 126; }

// Writes the non-negative `value` right-aligned so that its last digit is
// just before `end`; the places before it keep their blanks.
void PutNumber(char* line, std::size_t end, std::int64_t value) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    const std::size_t count = static_cast<std::size_t>(result.ptr - digits);
    std::memcpy(line + end - count, digits, count);
}

// Writes `count` digits of `value` with leading zeros at `at`.
void PutZeroPadded(char* line, std::size_t at, std::int64_t value, int count) {
    for (int i = count - 1; i >= 0; --i) {
        line[at + static_cast<std::size_t>(i)] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
}

// "dd.dd" at `at` from hundredths below kMagnitudeLimit; the tens place is
// a blank below 10.
void PutMagnitude(char* line, std::size_t at, std::int64_t hundredths) {
    PutNumber(line, at + 2, hundredths / 100);
    line[at + 2] = '.';
    PutZeroPadded(line, at + 3, hundredths % 100, 2);
}

// Nearest hundredth (half up) of a non-negative value in millionths.
std::int64_t RoundToHundredths(std::int64_t micros) { return (micros + 5000) / 10000; }

// A magnitude as written, for explanations: its millionths with the
// trailing zeros of the decimals dropped.
std::string MicrosText(std::int64_t micros) {
    std::string text;
    if (micros < 0) {
        text += '-';
        micros = -micros;
    }
    char digits[24];
    auto result = std::to_chars(digits, digits + sizeof digits, micros / kMicro);
    text.append(digits, result.ptr);
    std::int64_t fraction = micros % kMicro;
    if (fraction != 0) {
        int places = 6;
        while (fraction % 10 == 0) {
            fraction /= 10;
            --places;
        }
        text += '.';
        result = std::to_chars(digits, digits + sizeof digits, fraction);
        text.append(static_cast<std::size_t>(places - (result.ptr - digits)), '0');
        text.append(digits, result.ptr);
    }
    return text;
}

std::string Quoted(std::string_view text) { return ShownText(text); }

// A value for explanations: as MicrosText, or as `written` (quoted) when it
// is too large to have been kept digit for digit.
std::string ValueText(std::int64_t micros, std::string_view written) {
    if (micros >= kHugeMicros || micros <= -kHugeMicros) {
        return Quoted(TrimBlanks(written));
    }
    return MicrosText(micros);
}

}  // namespace

void CollapseBlanks(std::string_view text, std::string* out) {
    out->clear();
    bool pendingBlank = false;
    for (const char c : text) {
        if (c == ' ' || IsControl(static_cast<unsigned char>(c))) {
            pendingBlank = !out->empty();
            continue;
        }
        if (pendingBlank) {
            out->push_back(' ');
            pendingBlank = false;
        }
        out->push_back(c);
    }
}

bool StarLineBuilder::Skip(StarOutcome* outcome, SkipReason reason, std::string_view why) {
    outcome->written = false;
    if (outcome->skip == SkipReason::kCount) {
        outcome->skip = reason;  // the first reason is the one counted
        if (explain) outcome->why.assign("skipped: ");
    } else if (explain) {
        outcome->why.append("; ");
    }
    if (explain) {
        outcome->why.append(why.data(), why.size());
    }
    return false;
}

void StarLineBuilder::Note(StarOutcome* outcome, Change change, std::string_view why) {
    outcome->changes |= change;
    if (explain) {
        if (!outcome->why.empty()) {
            outcome->why += "; ";
        }
        outcome->why.append(why.data(), why.size());
    }
}

bool StarLineBuilder::Build(const StarTexts& texts, char* line, StarOutcome* outcome) {
    outcome->written = false;
    outcome->skip = SkipReason::kCount;
    outcome->changes = 0;
    outcome->why.clear();

    // Position.
    LinePosition position;
    PositionRead read;
    if (texts.combinedPosition) {
        read = ReadPosition(texts.position, raHours || texts.raHours, &position);
    } else {
        const bool noRa = TrimBlanks(texts.ra).empty();
        const bool noDec = TrimBlanks(texts.dec).empty();
        if (noRa || noDec) {
            read = PositionRead::kAbsent;
        } else if (ReadRightAscension(texts.ra, raHours || texts.raHours, &position) ==
                       PositionRead::kOk &&
                   ReadDeclination(texts.dec, &position) == PositionRead::kOk) {
            read = PositionRead::kOk;
        } else {
            read = PositionRead::kUnreadable;
        }
    }
    // Without --verbose the first reason to skip a star ends its checks;
    // with it, every reason is told.
    const auto skipped = [outcome] { return outcome->skip != SkipReason::kCount; };
    if (read == PositionRead::kAbsent) {
        Skip(outcome, SkipReason::kNoPosition, "no position");
    } else if (read == PositionRead::kUnreadable) {
        const std::string shown = texts.combinedPosition ? Quoted(TrimBlanks(texts.position))
                                                         : Quoted(TrimBlanks(texts.ra)) + " " +
                                                               Quoted(TrimBlanks(texts.dec));
        Skip(outcome, SkipReason::kBadPosition,
             explain ? "position " + shown + " cannot be read" : std::string());
    }
    if (skipped() && !explain) {
        return false;
    }

    // Designation and type.
    CollapseBlanks(texts.name, &name);
    if (name.empty()) {
        Skip(outcome, SkipReason::kNoName, "no name");
    } else if (!IsPrintableAscii(static_cast<unsigned char>(name[0]))) {
        Skip(outcome, SkipReason::kBadName,
             explain ? "name " + Quoted(name) + " does not start with printable ASCII"
                     : std::string());
    }
    if (skipped() && !explain) {
        return false;
    }
    CollapseBlanks(texts.type, &type);
    if (type.empty()) {
        Skip(outcome, SkipReason::kNoType, "no type");
    } else if (!IsPrintableAscii(static_cast<unsigned char>(type[0]))) {
        Skip(outcome, SkipReason::kBadType,
             explain ? "type " + Quoted(type) + " does not start with printable ASCII"
                     : std::string());
    }
    if (skipped() && !explain) {
        return false;
    }

    // Magnitudes.
    Magnitude max;
    Magnitude min;
    if (texts.rangeColumn) {
        ReadRangeField(texts.range, &max, &min);
    } else {
        max = ReadMagnitudeField(texts.max);
        min = ReadMagnitudeField(texts.min);
    }
    const bool haveMax = max.kind == Magnitude::kValue;
    bool haveMin = min.kind == Magnitude::kValue;
    std::int64_t minMicros = min.micros;
    if (min.kind == Magnitude::kAmplitude && haveMax) {
        minMicros = max.micros + min.micros;
        haveMin = true;
    }
    for (int i = 0; i < 2; ++i) {
        const bool have = i == 0 ? haveMax : haveMin;
        const std::int64_t micros = i == 0 ? max.micros : minMicros;
        const char* which = i == 0 ? "maximum " : "minimum ";
        const std::string_view written =
            texts.rangeColumn ? texts.range : i == 0 ? texts.max : texts.min;
        const bool negative = have && micros < 0;
        const bool huge = have && !negative && RoundToHundredths(micros) >= kMagnitudeLimit;
        if (negative) {
            Skip(outcome, SkipReason::kNegativeMagnitude,
                 explain ? which + ValueText(micros, written) + " is negative" : std::string());
        } else if (huge) {
            Skip(outcome, SkipReason::kHugeMagnitude,
                 explain ? which + ValueText(micros, written) + " is 100 or more"
                         : std::string());
        }
        if ((negative || huge) && min.kind == Magnitude::kAmplitude) {
            break;  // a minimum made from this maximum tells nothing new
        }
    }
    if (skipped()) {
        return false;
    }

    // From here on the star is written.
    std::memset(line, ' ', kImportLineLength - 1);
    line[kImportLineLength - 1] = '\n';
    PutZeroPadded(line, 0, position.raHours, 2);
    PutZeroPadded(line, 2, position.raMinutes, 2);
    line[4] = position.south ? '-' : '+';
    PutZeroPadded(line, 5, position.decDegrees, 2);

    std::memcpy(line + kNameAt, name.data(), std::min(name.size(), kNameWidth));
    if (name.size() > kNameWidth) {
        Note(outcome, kNameCut,
             explain ? "name " + Quoted(name) + " cut to " +
                           Quoted(std::string_view(name).substr(0, kNameWidth))
                     : std::string());
    }
    std::memcpy(line + kTypeAt, type.data(), std::min(type.size(), kTypeWidth));
    if (type.size() > kTypeWidth) {
        Note(outcome, kTypeCut,
             explain ? "type " + Quoted(type) + " cut to " +
                           Quoted(std::string_view(type).substr(0, kTypeWidth))
                     : std::string());
    }

    if (max.kind == Magnitude::kUnreadable || max.kind == Magnitude::kAmplitude) {
        Note(outcome, kMagnitudeUnreadable,
             explain
                 ? "maximum " + Quoted(TrimBlanks(texts.rangeColumn ? texts.range : texts.max)) +
                       " cannot be read, left blank"
                 : std::string());
    }
    if (min.kind == Magnitude::kUnreadable && !texts.rangeColumn) {
        Note(outcome, kMagnitudeUnreadable,
             explain ? "minimum " + Quoted(TrimBlanks(texts.min)) + " cannot be read, left blank"
                     : std::string());
    }
    if (min.kind == Magnitude::kAmplitude && !haveMax) {
        Note(outcome, kAmplitudeAlone,
             explain ? "minimum given as amplitude " + MicrosText(min.micros) +
                           " without a maximum, left blank"
                     : std::string());
    }
    if (haveMax) {
        PutMagnitude(line, kMaxAt, RoundToHundredths(max.micros));
    }
    if (haveMin) {
        PutMagnitude(line, kMinAt, RoundToHundredths(minMicros));
    }

    const Period period = ReadPeriodField(texts.period);
    if (period.kind == Period::kUnreadable) {
        Note(outcome, kPeriodUnreadable,
             explain ? "period " + Quoted(TrimBlanks(texts.period)) + " cannot be read, left blank"
                     : std::string());
    } else if (period.kind == Period::kValue) {
        const std::int64_t tenThousandths = (period.micros + 50) / 100;
        if (tenThousandths == 0) {
            Note(outcome, kPeriodNotHeld,
                 explain ? "period " + ValueText(period.micros, texts.period) +
                               " too short, left blank"
                         : std::string());
        } else if (tenThousandths < kPeriodDecimalLimit) {
            PutNumber(line, kPeriodAt + 4, tenThousandths / 10000);
            line[kPeriodAt + 4] = '.';
            PutZeroPadded(line, kPeriodAt + 5, tenThousandths % 10000, 4);
        } else {
            const std::int64_t thousands = (period.micros + 500 * kMicro) / (1000 * kMicro);
            if (thousands >= kThousandsLimit) {
                Note(outcome, kPeriodNotHeld,
                     explain ? "period " + ValueText(period.micros, texts.period) +
                                   " too long, left blank"
                             : std::string());
            } else {
                PutNumber(line, kPeriodAt + 4, thousands);
                line[kPeriodAt + 4] = 'K';
                std::memcpy(line + kPeriodAt + 5, "0000", 4);
                if (thousands * 1000 * kMicro != period.micros) {
                    char digits[24];
                    const auto end =
                        std::to_chars(digits, digits + sizeof digits, thousands * 1000);
                    Note(outcome, kPeriodThousands,
                         explain ? "period " + MicrosText(period.micros) + " rounded to " +
                                       std::string(digits, end.ptr) + " days"
                                 : std::string());
                }
            }
        }
    }

    CollapseBlanks(texts.description, &description);
    const char* shown = nullptr;
    if (description.empty()) {
        shown = ConstellationOfDesignation(name);
    } else if (description.size() == 3) {
        shown = ConstellationName(description);  // an abbreviation spelled out
    }
    if (shown != nullptr) {
        description.assign(shown);
    }
    std::memcpy(line + kDescriptionAt, description.data(),
                std::min(description.size(), kDescriptionWidth));
    if (description.size() > kDescriptionWidth) {
        Note(outcome, kDescriptionCut,
             explain ? "description " + Quoted(description) + " cut to " +
                           Quoted(std::string_view(description).substr(0, kDescriptionWidth))
                     : std::string());
    }

    outcome->written = true;
    return true;
}

}  // namespace velmo::importing
