// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan_command.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "night.h"
#include "options.h"
#include "output_target.h"
#include "plan_options.h"
#include "plan_table.h"
#include "plan_usage_text.h"
#include "result_walk.h"
#include "search_command.h"
#include "sky_frame.h"
#include "star_visibility.h"
#include "usage.h"

namespace velmo_cli {
namespace {

struct KeptStar {
    const StarRecord* record;
    StarHours hours;
};

// Writes the kept stars in the chosen form: their number, the plan format,
// or one of search's formats.
class KeptStarWriter {
  public:
    KeptStarWriter(const PlanOptions& chosen, const LocalClock& clock, velmo::BlockWriter& output)
        : options(chosen), out(output), plan(clock), rows(chosen.search.format) {}

    void WriteHeading(const NightSummary& summary) {
        if (options.search.countOnly) return;
        if (options.planFormat) {
            plan.WriteHeader(summary, out);
        } else {
            rows.WriteHeading(out);
        }
    }

    void Write(const KeptStar& star) {
        ++count;
        if (options.search.countOnly) return;
        if (options.planFormat) {
            plan.WriteRow(*star.record, star.hours, out);
        } else {
            rows.WriteRow(*star.record, out);
        }
    }

    // Ends the output: the number, for --count. Returns the number of stars.
    std::size_t Finish() {
        if (options.search.countOnly) {
            const std::string line = std::to_string(count) + "\n";
            out.Append(line.data(), line.size());
        }
        return count;
    }

  private:
    const PlanOptions& options;
    velmo::BlockWriter& out;
    PlanTable plan;
    ResultRows rows;
    std::size_t count = 0;
};

// Hands each of the search's matches that the night lets one observe to
// `take`, walking the result list forwards or backwards.
template <typename Take>
void EachKeptStar(StarCatalog& catalog, const StarVisibility& visibility, bool backwards,
                  Take take) {
    KeptStar star{};
    velmo::WalkResults(catalog, backwards, [&](const StarRecord& record) {
        star.record = &record;
        if (visibility.Keep(record.raHours, record.raMinutes, record.decDegrees, star.hours)) {
            take(star);
        }
    });
}

// The member of StarHours that --sort names.
std::int64_t StarHours::*SortKey(PlanSort sort) {
    switch (sort) {
        case PlanSort::kTo:
            return &StarHours::to;
        case PlanSort::kBest:
            return &StarHours::best;
        case PlanSort::kFrom:
        case PlanSort::kCatalogue:
            break;
    }
    return &StarHours::from;
}

// Writes the kept stars in the chosen order. Catalogue order, either way,
// streams from the result list; the other orders gather the kept stars
// first and sort them, ties in catalogue order, reversed for --descending.
void WriteKeptStars(StarCatalog& catalog, std::int32_t matches, const StarVisibility& visibility,
                    const PlanOptions& options, KeptStarWriter& writer) {
    const bool descending = options.search.descending;
    if (options.sort == PlanSort::kCatalogue) {
        EachKeptStar(catalog, visibility, descending,
                     [&writer](const KeptStar& star) { writer.Write(star); });
        return;
    }
    std::vector<KeptStar> kept;
    kept.reserve(static_cast<std::size_t>(matches));
    EachKeptStar(catalog, visibility, false,
                 [&kept](const KeptStar& star) { kept.push_back(star); });
    const auto key = SortKey(options.sort);
    std::stable_sort(kept.begin(), kept.end(), [key](const KeptStar& a, const KeptStar& b) {
        return a.hours.*key < b.hours.*key;
    });
    if (descending) std::reverse(kept.begin(), kept.end());
    for (const KeptStar& star : kept) writer.Write(star);
}

}  // namespace

int RunPlanCommand(int argc, char* argv[]) {
    PlanOptions options;
    if (!ParsePlanOptions(argc, argv, options)) {
        return kExitTrouble;
    }
    if (options.search.info != InfoRequest::kNone) {
        return AnswerInfoRequest(options.search.info, kPlanUsage);
    }
    // Opened first, so that an output that is the catalogue itself is
    // refused before anything is read. Nothing is written before the night
    // is known, so a night without darkness leaves the target as it was.
    OutputTarget target;
    if (!target.Open(options.search.output, options.search.catalogue)) {
        return kExitTrouble;
    }
    StarCatalog catalog;
    const std::int32_t matches = SearchCatalogue(catalog, options.search);
    if (matches < 0) {
        return kExitTrouble;
    }

    LocalClock clock(options.utc);
    NightSummary summary;
    summary.date = options.dateGiven ? options.date : clock.Today();
    summary.site = options.site;
    summary.twilight = options.twilight;
    const double noon = static_cast<double>(clock.Noon(summary.date, 0));
    const double nextNoon = static_cast<double>(clock.Noon(summary.date, 1));
    const SkyFrame sky(options.site, (noon + nextNoon) / 2);
    summary.night = FindNight(sky, noon, nextNoon, TwilightAltitude(options.twilight));
    if (!summary.night.dark) {
        PrintError(std::string("no ") + TwilightName(options.twilight) +
                   " darkness at this site on " + DateText(summary.date));
        return kExitNothing;
    }
    summary.moonLit = sky.MoonLitFraction((summary.night.start + summary.night.end) / 2);
    clock.HoldOffset(static_cast<std::int64_t>(std::floor(summary.night.start)) - 60,
                     static_cast<std::int64_t>(std::ceil(summary.night.end)) + 60);

    const StarVisibility visibility(sky, clock, summary.night, options.minAltitude,
                                    options.minHours);
    KeptStarWriter writer(options, clock, target.Writer());
    writer.WriteHeading(summary);
    WriteKeptStars(catalog, matches, visibility, options, writer);
    const std::size_t kept = writer.Finish();
    if (!target.Finish()) {
        return kExitTrouble;
    }
    return kept > 0 ? kExitFound : kExitNothing;
}

}  // namespace velmo_cli
