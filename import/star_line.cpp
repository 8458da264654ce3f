// SPDX-License-Identifier: GPL-3.0-or-later
#include "star_line.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>

#include "constellations.h"
#include "decimal_text.h"
#include "line_layout.h"
#include "shown_text.h"
#include "sky_position.h"

namespace velmo::importing {
namespace {

namespace layout = velmo::line_layout;

// The place of a magnitude's or a period's point, or of a period's "K".
constexpr std::size_t kMagnitudePoint = 2;  // from the magnitude's first place
constexpr std::size_t kPeriodPoint = layout::kPeriodThousands;

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

// "dd.dd" in `field` from hundredths below kMagnitudeLimit; the tens place
// is a blank below 10.
void PutMagnitude(char* line, layout::Field field, std::int64_t hundredths) {
    const std::size_t point = field.first + kMagnitudePoint;
    PutNumber(line, point, hundredths / 100);
    line[point] = '.';
    PutZeroPadded(line, point + 1, hundredths % 100, 2);
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

namespace {

// Build's steps below run for every star, millions in an import: each is
// inlined into Build, so that the steps cost no more than one long function
// (GCC would stop inlining them part of the way through).

// One star's outcome as the checks and the fields find it: the first reason
// to skip it is the one counted; the texts of the reasons and changes are
// made (by calling `why`) only when they are told.
class OutcomeNotes {
  public:
    OutcomeNotes(StarOutcome* outcome, bool explain) : out(outcome), explaining(explain) {}

    bool Skipped() const { return out->skip != SkipReason::kCount; }
    bool Explaining() const { return explaining; }

    template <typename Why>
    void Skip(SkipReason reason, Why why) {
        out->written = false;
        if (out->skip == SkipReason::kCount) {
            out->skip = reason;
            if (explaining) out->why.assign("skipped: ");
        } else if (explaining) {
            out->why.append("; ");
        }
        if (explaining) {
            out->why += why();
        }
    }

    template <typename Why>
    void Note(Change change, Why why) {
        out->changes |= change;
        if (explaining) {
            if (!out->why.empty()) {
                out->why += "; ";
            }
            out->why += why();
        }
    }

  private:
    StarOutcome* out;
    bool explaining;
};

// The magnitudes as read: the minimum of an amplitude is made from the
// maximum when there is one.
struct Magnitudes {
    Magnitude max;
    Magnitude min;
    bool haveMax = false;
    bool haveMin = false;
    std::int64_t minMicros = 0;  // the minimum written, in millionths
};

[[gnu::always_inline]] inline void CheckPosition(const StarTexts& texts, bool hours,
                                                 LinePosition* position, OutcomeNotes& notes) {
    PositionRead read;
    if (texts.combinedPosition) {
        read = ReadPosition(texts.position, hours, position);
    } else if (TrimBlanks(texts.ra).empty() || TrimBlanks(texts.dec).empty()) {
        read = PositionRead::kAbsent;
    } else if (ReadRightAscension(texts.ra, hours, position) == PositionRead::kOk &&
               ReadDeclination(texts.dec, position) == PositionRead::kOk) {
        read = PositionRead::kOk;
    } else {
        read = PositionRead::kUnreadable;
    }
    if (read == PositionRead::kAbsent) {
        notes.Skip(SkipReason::kNoPosition, [] { return "no position"; });
    } else if (read == PositionRead::kUnreadable) {
        notes.Skip(SkipReason::kBadPosition, [&texts] {
            const std::string shown = texts.combinedPosition ? Quoted(TrimBlanks(texts.position))
                                                             : Quoted(TrimBlanks(texts.ra)) + " " +
                                                                   Quoted(TrimBlanks(texts.dec));
            return "position " + shown + " cannot be read";
        });
    }
}

// A designation or type (`what`), blanks collapsed into `label`.
[[gnu::always_inline]] inline void CheckLabel(std::string_view text, const char* what,
                                              SkipReason none, SkipReason bad, std::string* label,
                                              OutcomeNotes& notes) {
    CollapseBlanks(text, label);
    if (label->empty()) {
        notes.Skip(none, [what] { return std::string("no ") + what; });
    } else if (!IsPrintableAscii(static_cast<unsigned char>((*label)[0]))) {
        notes.Skip(bad, [what, label] {
            return what + (" " + Quoted(*label)) + " does not start with printable ASCII";
        });
    }
}

[[gnu::always_inline]] inline Magnitudes CheckMagnitudes(const StarTexts& texts,
                                                         OutcomeNotes& notes) {
    Magnitudes m;
    if (texts.rangeColumn) {
        ReadRangeField(texts.range, &m.max, &m.min);
    } else {
        m.max = ReadMagnitudeField(texts.max);
        m.min = ReadMagnitudeField(texts.min);
    }
    m.haveMax = m.max.kind == Magnitude::kValue;
    m.haveMin = m.min.kind == Magnitude::kValue;
    m.minMicros = m.min.micros;
    if (m.min.kind == Magnitude::kAmplitude && m.haveMax) {
        m.minMicros = m.max.micros + m.min.micros;
        m.haveMin = true;
    }
    for (int i = 0; i < 2; ++i) {
        const bool have = i == 0 ? m.haveMax : m.haveMin;
        const std::int64_t micros = i == 0 ? m.max.micros : m.minMicros;
        const char* which = i == 0 ? "maximum " : "minimum ";
        const std::string_view written = texts.rangeColumn ? texts.range
                                         : i == 0          ? texts.max
                                                           : texts.min;
        const bool negative = have && micros < 0;
        const bool huge = have && !negative && RoundToHundredths(micros) >= kMagnitudeLimit;
        if (negative) {
            notes.Skip(SkipReason::kNegativeMagnitude,
                       [&] { return which + ValueText(micros, written) + " is negative"; });
        } else if (huge) {
            notes.Skip(SkipReason::kHugeMagnitude,
                       [&] { return which + ValueText(micros, written) + " is 100 or more"; });
        }
        if ((negative || huge) && m.min.kind == Magnitude::kAmplitude) {
            break;  // a minimum made from this maximum tells nothing new
        }
    }
    return m;
}

[[gnu::always_inline]] inline void PutPosition(const LinePosition& position, char* line) {
    PutZeroPadded(line, layout::kRaHours.first, position.raHours, 2);
    PutZeroPadded(line, layout::kRaMinutes.first, position.raMinutes, 2);
    line[layout::kDecSign.first] = position.south ? '-' : '+';
    PutZeroPadded(line, layout::kDecDegrees.first, position.decDegrees, 2);
}

// `text` (a `what`) cut to the width of `field`, noted as `change` when it was.
[[gnu::always_inline]] inline void PutCut(const std::string& text, const char* what,
                                          layout::Field field, Change change, char* line,
                                          OutcomeNotes& notes) {
    std::memcpy(line + field.first, text.data(), std::min(text.size(), field.width));
    if (text.size() > field.width) {
        notes.Note(change, [&] {
            return what + (" " + Quoted(text)) + " cut to " +
                   Quoted(std::string_view(text).substr(0, field.width));
        });
    }
}

[[gnu::always_inline]] inline void PutMagnitudes(const StarTexts& texts, const Magnitudes& m,
                                                 char* line, OutcomeNotes& notes) {
    if (m.max.kind == Magnitude::kUnreadable || m.max.kind == Magnitude::kAmplitude) {
        notes.Note(kMagnitudeUnreadable, [&texts] {
            return "maximum " + Quoted(TrimBlanks(texts.rangeColumn ? texts.range : texts.max)) +
                   " cannot be read, left blank";
        });
    }
    if (m.min.kind == Magnitude::kUnreadable && !texts.rangeColumn) {
        notes.Note(kMagnitudeUnreadable, [&texts] {
            return "minimum " + Quoted(TrimBlanks(texts.min)) + " cannot be read, left blank";
        });
    }
    if (m.min.kind == Magnitude::kAmplitude && !m.haveMax) {
        notes.Note(kAmplitudeAlone, [&m] {
            return "minimum given as amplitude " + MicrosText(m.min.micros) +
                   " without a maximum, left blank";
        });
    }
    if (m.haveMax) {
        PutMagnitude(line, layout::kMaxMagnitude, RoundToHundredths(m.max.micros));
    }
    if (m.haveMin) {
        PutMagnitude(line, layout::kMinMagnitude, RoundToHundredths(m.minMicros));
    }
}

// A period of kPeriodDecimalLimit ten-thousandths of a day or more, as
// whole thousands.
void PutThousands(std::int64_t micros, std::string_view text, char* line, OutcomeNotes& notes) {
    const std::int64_t thousands = (micros + 500 * kMicro) / (1000 * kMicro);
    if (thousands >= kThousandsLimit) {
        notes.Note(kPeriodNotHeld,
                   [&] { return "period " + ValueText(micros, text) + " too long, left blank"; });
        return;
    }
    PutNumber(line, kPeriodPoint, thousands);
    line[kPeriodPoint] = 'K';
    std::memcpy(line + kPeriodPoint + 1, "0000", 4);
    if (thousands * 1000 * kMicro != micros) {
        notes.Note(kPeriodThousands, [&] {
            char digits[24];
            const auto end = std::to_chars(digits, digits + sizeof digits, thousands * 1000);
            return "period " + MicrosText(micros) + " rounded to " + std::string(digits, end.ptr) +
                   " days";
        });
    }
}

[[gnu::always_inline]] inline void PutPeriod(std::string_view text, char* line,
                                             OutcomeNotes& notes) {
    const Period period = ReadPeriodField(text);
    if (period.kind == Period::kUnreadable) {
        notes.Note(kPeriodUnreadable, [text] {
            return "period " + Quoted(TrimBlanks(text)) + " cannot be read, left blank";
        });
        return;
    }
    if (period.kind != Period::kValue) return;
    const std::int64_t tenThousandths = (period.micros + 50) / 100;
    if (tenThousandths == 0) {
        notes.Note(kPeriodNotHeld, [&] {
            return "period " + ValueText(period.micros, text) + " too short, left blank";
        });
    } else if (tenThousandths < kPeriodDecimalLimit) {
        PutNumber(line, kPeriodPoint, tenThousandths / 10000);
        line[kPeriodPoint] = '.';
        PutZeroPadded(line, kPeriodPoint + 1, tenThousandths % 10000, 4);
    } else {
        PutThousands(period.micros, text, line, notes);
    }
}

// The description, or in its place the constellation's name of the
// designation `name` or of a three-letter description.
[[gnu::always_inline]] inline void PutDescription(std::string_view text, const std::string& name,
                                                  std::string* description, char* line,
                                                  OutcomeNotes& notes) {
    CollapseBlanks(text, description);
    const char* shown = nullptr;
    if (description->empty()) {
        shown = ConstellationOfDesignation(name);
    } else if (description->size() == 3) {
        shown = ConstellationName(*description);  // an abbreviation spelled out
    }
    if (shown != nullptr) {
        description->assign(shown);
    }
    PutCut(*description, "description", layout::kDescription, kDescriptionCut, line, notes);
}

}  // namespace

bool StarLineBuilder::Build(const StarTexts& texts, char* line, StarOutcome* outcome) {
    outcome->written = false;
    outcome->skip = SkipReason::kCount;
    outcome->changes = 0;
    outcome->why.clear();
    OutcomeNotes notes(outcome, explain);

    // Without --verbose the first reason to skip a star ends its checks;
    // with it, every reason is told.
    const auto stop = [&notes] { return notes.Skipped() && !notes.Explaining(); };
    LinePosition position;
    CheckPosition(texts, raHours || texts.raHours, &position, notes);
    if (stop()) return false;
    CheckLabel(texts.name, "name", SkipReason::kNoName, SkipReason::kBadName, &name, notes);
    if (stop()) return false;
    CheckLabel(texts.type, "type", SkipReason::kNoType, SkipReason::kBadType, &type, notes);
    if (stop()) return false;
    const Magnitudes magnitudes = CheckMagnitudes(texts, notes);
    if (notes.Skipped()) return false;

    // From here on the star is written.
    std::memset(line, ' ', kImportLineLength - 1);
    line[kImportLineLength - 1] = '\n';
    PutPosition(position, line);
    PutCut(name, "name", layout::kName, kNameCut, line, notes);
    PutCut(type, "type", layout::kType, kTypeCut, line, notes);
    PutMagnitudes(texts, magnitudes, line, notes);
    PutPeriod(texts.period, line, notes);
    PutDescription(texts.description, name, &description, line, notes);
    outcome->written = true;
    return true;
}

}  // namespace velmo::importing
