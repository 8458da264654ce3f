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
#include "plan_usage.h"
#include "search_command.h"
#include "sky_frame.h"
#include "star_visibility.h"

namespace velmo_cli {
namespace {

struct KeptStar {
    const StarRecord* record;
    StarHours hours;
};

// The search's matches that the night lets one observe, in catalogue order.
std::vector<KeptStar> KeptStars(StarCatalog& catalog, const StarVisibility& visibility) {
    std::vector<KeptStar> kept;
    KeptStar star{};
    for (catalog.MoveFirst(); !catalog.IsAtLast(); catalog.MoveNext()) {
        star.record = catalog.Cursor()->record;
        if (visibility.Keep(star.record->raHours, star.record->raMinutes,
                            star.record->decDegrees, star.hours)) {
            kept.push_back(star);
        }
    }
    return kept;
}

// Into the chosen order (ties keep catalogue order), then reversed for
// --descending.
void Order(std::vector<KeptStar>& kept, PlanSort sort, bool descending) {
    const auto by = [&kept](std::int64_t StarHours::*minute) {
        std::stable_sort(kept.begin(), kept.end(), [minute](const KeptStar& a, const KeptStar& b) {
            return a.hours.*minute < b.hours.*minute;
        });
    };
    switch (sort) {
        case PlanSort::kFrom:
            by(&StarHours::from);
            break;
        case PlanSort::kTo:
            by(&StarHours::to);
            break;
        case PlanSort::kBest:
            by(&StarHours::best);
            break;
        case PlanSort::kCatalogue:
            break;
    }
    if (descending) std::reverse(kept.begin(), kept.end());
}

void Write(const PlanOptions& options, const NightSummary& summary, const LocalClock& clock,
           const std::vector<KeptStar>& kept, velmo::BlockWriter& out) {
    if (options.search.countOnly) {
        const std::string line = std::to_string(kept.size()) + "\n";
        out.Append(line.data(), line.size());
    } else if (options.planFormat) {
        PlanTable table(clock);
        table.WriteHeader(summary, out);
        for (const KeptStar& star : kept) table.WriteRow(*star.record, star.hours, out);
    } else {
        ResultRows rows(options.search.format);
        rows.WriteHeading(out);
        for (const KeptStar& star : kept) rows.WriteRow(*star.record, out);
    }
}

}  // namespace

int RunPlanCommand(int argc, char* argv[]) {
    PlanOptions options;
    if (!ParsePlanOptions(argc, argv, options)) {
        return kExitTrouble;
    }
    if (options.search.help) {
        return PrintPlanUsage() ? kExitFound : kExitTrouble;
    }
    StarCatalog catalog;
    if (SearchCatalogue(catalog, options.search) < 0) {
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
    std::vector<KeptStar> kept = KeptStars(catalog, visibility);
    Order(kept, options.sort, options.search.descending);

    OutputTarget target;
    if (!target.Open(options.search.output)) {
        return kExitTrouble;
    }
    Write(options, summary, clock, kept, target.Writer());
    if (!target.Finish()) {
        return kExitTrouble;
    }
    return kept.empty() ? kExitNothing : kExitFound;
}

}  // namespace velmo_cli
