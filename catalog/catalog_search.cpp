// SPDX-License-Identifier: GPL-3.0-or-later
// Search criteria (setters and their acceptance rules), the two matching
// predicates and StarCatalog::Search.
#include "line_format.h"
#include "match_rules.h"
#include "record_chunk.h"
#include "result_list.h"
#include "star_catalog.h"

void StarCatalog::SetRaWest(std::int16_t hours) {
    if (hours >= 0 && hours <= 23) {
        raWest = hours;
    }
}

void StarCatalog::SetRaEast(std::int16_t hours) {
    if (hours >= 0 && hours <= 23) {
        raEast = hours;
    }
}

void StarCatalog::SetDecSouth(std::int16_t degrees) {
    if (degrees >= -90 && degrees <= 90 && degrees <= decNorth) {
        decSouth = degrees;
    }
}

void StarCatalog::SetDecNorth(std::int16_t degrees) {
    if (degrees >= -90 && degrees <= 90 && degrees >= decSouth) {
        decNorth = degrees;
    }
}

// The comparisons below are false for NaN, so a NaN is refused too.
void StarCatalog::SetPeriodLeast(double days) {
    if (days >= 0.0 && days <= periodMost) {
        periodLeast = days;
    }
}

void StarCatalog::SetPeriodMost(double days) {
    if (days > 0.0 && days >= periodLeast) {
        periodMost = days;
    }
}

void StarCatalog::SetMinMagLimit(double magnitude) {
    if (magnitude >= 0.0) {
        minMagLimit = static_cast<float>(magnitude);
    }
}

void StarCatalog::SetMaxMagLimit(double magnitude) {
    if (magnitude >= 0.0) {
        maxMagLimit = static_cast<float>(magnitude);
    }
}

velmo::MatchCriteria StarCatalog::Criteria() const {
    return velmo::MatchCriteria{raWest,      raEast,      decSouth,    decNorth,
                                minMagLimit, maxMagLimit, periodLeast, periodMost};
}

bool StarCatalog::MatchesSpecific(const StarRecord& record) const {
    return velmo::MatchesSpecificValues(Criteria(), record.raHours, record.decDegrees,
                                        record.maxMagnitude, record.minMagnitude, record.period);
}

bool StarCatalog::MatchesUnspecified(const StarRecord& record) const {
    return velmo::MatchesUnspecifiedValues(Criteria(), record.raHours, record.decDegrees,
                                           record.maxMagnitude, record.minMagnitude, record.period);
}

namespace {

// Every magnitude a record can hold, by its code, decoded once.
const double* MagnitudeTable() {
    static const double* const table = [] {
        static double values[velmo::kMagnitudeCodes];
        for (int code = 0; code < velmo::kMagnitudeCodes; ++code) {
            values[code] = velmo::MagnitudeOfCode(code);
        }
        return values;
    }();
    return table;
}

// The verdict of one search's rules on every value the small fields can
// take (hours 0-99, the magnitude codes), so that the scan looks them up.
// Each verdict is the rule itself applied to the decoded value.
struct Verdicts {
    bool hour[100];
    bool maxMagnitude[velmo::kMagnitudeCodes];
    bool minMagnitude[velmo::kMagnitudeCodes];

    Verdicts(const velmo::MatchCriteria& criteria, bool specific) {
        for (int h = 0; h < 100; ++h) {
            hour[h] = velmo::InRaWindow(criteria, h);
        }
        const double* magnitude = MagnitudeTable();
        for (int code = 0; code < velmo::kMagnitudeCodes; ++code) {
            const double value = magnitude[code];
            maxMagnitude[code] = specific ? velmo::SpecificMaxOk(criteria, value) : value == 0.0;
            minMagnitude[code] = specific ? velmo::SpecificMinOk(criteria, value) : value == 0.0;
        }
    }
};

// Appends a node for every record of `chunk` that passes the rules, in the
// chunk's order. Reads only the packed copy.
template <bool kSpecific>
void ScanChunk(velmo::RecordChunk& chunk, const velmo::MatchCriteria& criteria,
               const Verdicts& verdicts, velmo::ResultListBuilder& nodes) {
    const std::uint8_t* hours = chunk.raHours;
    const std::int8_t* degrees = chunk.decDegrees;
    const std::uint16_t* maxCode = chunk.maxMagnitudeCode;
    const std::uint16_t* minCode = chunk.minMagnitudeCode;
    const double* period = chunk.period;
    for (std::int32_t i = 0; i < chunk.count; ++i) {
        // Every test is cheap: all are made and joined with bitwise and,
        // since a branch each would cost more.
        const bool inWindow = verdicts.hour[hours[i]];
        const bool inBand = velmo::InDecBand(criteria, degrees[i]);
        const bool maxOk = verdicts.maxMagnitude[maxCode[i]];
        const bool minOk = verdicts.minMagnitude[minCode[i]];
        const bool periodOk =
            kSpecific ? velmo::SpecificPeriodOk(criteria, period[i]) : period[i] == 0.0;
        const bool match = inWindow & inBand & maxOk & minOk & periodOk;
        if (match) {
            nodes.Append(chunk.Record(i));
        }
    }
}

}  // namespace

std::int32_t StarCatalog::Search(bool specific) {
    if (!loaded) {
        return -1;
    }
    ClearResults();
    // The packed copy of each chunk holds the very values of its records.
    const velmo::MatchCriteria criteria = Criteria();
    const Verdicts verdicts(criteria, specific);
    velmo::ResultListBuilder nodes(nodeArena);
    for (velmo::RecordChunk* chunk = firstChunk; chunk != nullptr; chunk = chunk->next) {
        if (specific) {
            ScanChunk<true>(*chunk, criteria, verdicts, nodes);
        } else {
            ScanChunk<false>(*chunk, criteria, verdicts, nodes);
        }
    }
    const std::int32_t count = nodes.Count();
    nodes.Release(resultHead, resultTail);
    cursor = resultHead;
    hasResults = count > 0;
    atFirst = true;
    atLast = !hasResults;
    return count;
}
