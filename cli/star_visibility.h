// SPDX-License-Identifier: GPL-3.0-or-later
// When a star stands high enough during one night, in closed form: the
// hour angles at which a star of a given declination stands at or above an
// altitude form one interval around each upper culmination, and the night
// is an interval of local sidereal time; their overlap gives the times.
#pragma once

#include <cstdint>

#include "local_clock.h"
#include "night.h"
#include "sky_frame.h"

namespace velmo_cli {

// What one star does in the night. Minutes are instants on whole minutes of
// the clock (local_clock.h).
struct StarHours {
    // the first minute of the night at which it stands at or above the limit
    std::int64_t from = 0;
    std::int64_t to = 0;    // the last such minute
    std::int64_t best = 0;  // the minute nearest its highest altitude, kept within from..to
    double altitude = 0;    // that highest altitude, degrees
    double seconds = 0;     // the time at or above the limit in all
};

class StarVisibility {
  public:
    // For stars over the night `night` (dark) seen in `sky`, with times on
    // `clock`: the limit `minAltitude` (degrees) and the least time
    // `minHours` (hours) above it.
    StarVisibility(const SkyFrame& sky, const LocalClock& clock, const Night& night,
                   double minAltitude, double minHours);

    // A star at the catalogue's right ascension (hours and minutes) and
    // declination (degrees). True when it is kept: it stands at or above the
    // limit at one whole minute of the night at least, and for at least the
    // least time in all (to a millisecond); `hours` is then filled in.
    bool Keep(std::int16_t raHours, std::int16_t raMinutes, std::int16_t decDegrees,
              StarHours& hours) const;

  private:
    // The instant at which the hour angle of a star reaches `hourAngle`,
    // counted on from its hour angle at the night's start.
    double TimeAt(double hourAngle, double startHourAngle) const;

    const SkyFrame& sky;
    const LocalClock& clock;
    Night night;
    double sinLimit;          // sine of the limit
    double leastSeconds;      // the least time above the limit
    double startSidereal;     // local sidereal time at the night's start, radians
    double siderealSpan;      // its advance over the night, radians (more than 2pi in a long night)
    double secondsPerRadian;  // of the night's length over siderealSpan
    double sinLatitude, cosLatitude;
    // Directions worked out once: every minute of right ascension (0-23 h)
    // and every whole degree of declination.
    static constexpr int kRaMinutes = 24 * 60, kDecDegrees = 181;
    double raDirections[kRaMinutes][3];    // eraS2c(ra, 0)
    double decDirections[kDecDegrees][3];  // eraS2c(0, dec)
};

}  // namespace velmo_cli
