// SPDX-License-Identifier: GPL-3.0-or-later
#include "import_report.h"

#include <charconv>
#include <vector>

namespace velmo::importing {
namespace {

// Summary phrases of the skip reasons, in SkipReason order.
constexpr const char* kSkipPhrases[] = {
    "without a position",
    "with an unreadable position",
    "without a name",
    "with a name not starting with printable ASCII",
    "without a type",
    "with a type not starting with printable ASCII",
    "with a negative magnitude",
    "with a magnitude of 100 or more",
    "malformed",
};
static_assert(sizeof kSkipPhrases / sizeof kSkipPhrases[0] == static_cast<int>(SkipReason::kCount));

std::string Number(std::int64_t value) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    return std::string(digits, result.ptr);
}

// "3 names" / "1 name".
std::string Counted(std::int64_t count, const char* singular, const char* plural) {
    return Number(count) + " " + (count == 1 ? singular : plural);
}

// "a", "a and b", "a, b and c".
std::string JoinWithAnd(const std::vector<std::string>& items) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) {
            text += i + 1 == items.size() ? " and " : ", ";
        }
        text += items[i];
    }
    return text;
}

int BitIndex(Change change) {
    int index = 0;
    while ((1u << index) != change) {
        ++index;
    }
    return index;
}

}  // namespace

void ImportReport::Count(const StarOutcome& outcome) {
    if (!outcome.written) {
        CountSkip(outcome.skip);
        return;
    }
    ++written;
    for (int i = 0; i < kChangeKinds; ++i) {
        if (outcome.changes & (1u << i)) {
            ++changed[i];
        }
    }
}

void ImportReport::CountSkip(SkipReason reason) { ++skipped[static_cast<int>(reason)]; }

void ImportReport::CountLostLines(std::int64_t lines) {
    lostLines += lines;
    ++lostRecords;
}

std::int64_t ImportReport::Skipped() const {
    std::int64_t total = 0;
    for (const std::int64_t count : skipped) {
        total += count;
    }
    return total;
}

std::int64_t ImportReport::Changed(Change change) const { return changed[BitIndex(change)]; }

std::string ImportReport::Summary() const {
    std::string text = "imported " + Counted(written, "star", "stars");
    const std::int64_t skips = Skipped();
    if (skips > 0) {
        std::vector<std::string> reasons;
        for (int i = 0; i < static_cast<int>(SkipReason::kCount); ++i) {
            if (skipped[i] > 0) {
                reasons.push_back(Number(skipped[i]) + " " + kSkipPhrases[i]);
            }
        }
        text += "; skipped " + Number(skips) + " (";
        for (std::size_t i = 0; i < reasons.size(); ++i) {
            text += (i > 0 ? ", " : "") + reasons[i];
        }
        text += ")";
    }
    if (lostRecords > 0) {
        text += "; " + Counted(lostLines, "line", "lines") + " in " +
                Counted(lostRecords, "overlong record", "overlong records") + " not read";
    }

    std::vector<std::string> cuts;
    if (Changed(kNameCut) > 0) cuts.push_back(Counted(Changed(kNameCut), "name", "names"));
    if (Changed(kTypeCut) > 0) cuts.push_back(Counted(Changed(kTypeCut), "type", "types"));
    if (Changed(kDescriptionCut) > 0) {
        cuts.push_back(Counted(Changed(kDescriptionCut), "description", "descriptions"));
    }
    std::vector<std::string> changes;
    if (!cuts.empty()) {
        changes.push_back(JoinWithAnd(cuts) + " cut");
    }
    if (Changed(kPeriodThousands) > 0) {
        changes.push_back(Counted(Changed(kPeriodThousands), "period", "periods") +
                          " written in thousands of days");
    }
    if (Changed(kPeriodNotHeld) > 0) {
        changes.push_back(Counted(Changed(kPeriodNotHeld), "period", "periods") +
                          " out of the line's range left blank");
    }
    if (Changed(kMagnitudeUnreadable) > 0) {
        changes.push_back(Counted(Changed(kMagnitudeUnreadable), "star", "stars") +
                          " with an unreadable magnitude left blank");
    }
    if (Changed(kAmplitudeAlone) > 0) {
        changes.push_back(Counted(Changed(kAmplitudeAlone), "amplitude", "amplitudes") +
                          " without a maximum left blank");
    }
    if (Changed(kPeriodUnreadable) > 0) {
        changes.push_back(
            Counted(Changed(kPeriodUnreadable), "unreadable period", "unreadable periods") +
            " left blank");
    }
    for (std::size_t i = 0; i < changes.size(); ++i) {
        text += (i == 0 ? "; " : ", ") + changes[i];
    }
    return text;
}

}  // namespace velmo::importing
