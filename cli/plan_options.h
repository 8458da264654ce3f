// SPDX-License-Identifier: GPL-3.0-or-later
// The options of the plan command: all of search's (same defaults and
// ranges), the site, the date, the twilight, the altitude and time limits,
// the order and the clock.
#pragma once

#include "local_clock.h"
#include "night.h"
#include "search_options.h"
#include "sky_frame.h"

namespace velmo_cli {

enum class PlanSort { kCatalogue, kFrom, kTo, kBest };

struct PlanOptions {
    SearchOptions search;    // criteria, csv/text/table, --descending, --count, -o, CATALOGUE
    bool planFormat = true;  // --format plan (the default) rather than search.format
    Site site;               // --site, else VELMO_SITE
    CalendarDate date;       // --date; valid only when dateGiven
    bool dateGiven = false;  // without --date: today on the chosen clock
    Twilight twilight = Twilight::kAstronomical;
    double minAltitude = 30;  // degrees, 0-90
    double minHours = 1;      // hours, 0-24
    PlanSort sort = PlanSort::kCatalogue;
    bool utc = false;  // times and date in UTC, not in the zone of TZ
};

// Reads the options and the catalogue path from `argv` (argv[0] is "plan"),
// and VELMO_SITE when --site is not given (an empty one counts as not set).
// True when they are complete and valid; otherwise prints one message naming
// the option (or VELMO_SITE) and its accepted form, and returns false.
bool ParsePlanOptions(int argc, char* argv[], PlanOptions& options);

}  // namespace velmo_cli
