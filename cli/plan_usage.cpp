// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan_usage.h"

#include <cstring>

#include "output_target.h"

namespace velmo_cli {
namespace {

// Keep in step with the PLAN section of the man page, velmo-cli.1.
constexpr char kPlanUsage[] = R"(Usage: velmo-cli plan [SEARCH OPTIONS] [PLAN OPTIONS] CATALOGUE
Lists the stars of CATALOGUE that meet the search criteria and can be
observed on one night from one site: when they stand at or above the
altitude limit, and how high they climb.

Search options: all of velmo-cli search's, with the same defaults and
ranges (--ra-west, --ra-east, --dec-south, --dec-north, --max-mag,
--min-mag, --period-least, --period-most, --unspecified), and
  --format F          plan, csv, text or table (default plan); csv, text and
                      table write exactly what search writes for these stars
  --descending        reverse the order chosen with --sort
  --count             print only the number of stars kept
  -o, --output FILE   write to FILE, replacing it only by a complete new one

Plan options:
  --site LAT,LON      the site in decimal degrees: latitude -90..90 (north
                      positive), longitude -180..180 (east positive);
                      without it, the environment variable VELMO_SITE
  --date YYYY-MM-DD   the night that begins in the evening of that date,
                      1900-01-01 to 2100-12-31 (default today)
  --twilight T        astronomical, nautical or civil: the night is the time
                      the Sun's centre is below -18, -12 or -6 degrees
                      (default astronomical)
  --min-alt DEG       the altitude limit in degrees, 0-90 (default 30)
  --min-hours H       the least time at or above the limit in all, in hours,
                      0-24 (default 1)
  --sort KEY          catalogue, from, to or best (default catalogue)
  --utc               times and the date in UTC; otherwise local times in
                      the time zone of TZ, as date(1) uses it
  -h, --help          show this text

The night runs from local noon of the date to the next noon, while the Sun's
centre is below the twilight's altitude (all of it in a polar night). Star
positions are the catalogue's, taken as J2000 and brought to the date;
altitudes are geometric (no refraction). From and To are the first and the
last minute of the night at which a star stands at or above the limit, Best
the time of its highest altitude in the night, Alt that altitude in whole
degrees, Hours its time at or above the limit in all.

Exit status: 0 when a star is kept, 1 when none is or the night has no
darkness, 2 on any error.
)";

}  // namespace

bool PrintPlanUsage() {
    OutputTarget out;
    if (!out.Open(nullptr)) return false;
    out.Writer().Append(kPlanUsage, std::strlen(kPlanUsage));
    return out.Finish();
}

}  // namespace velmo_cli
