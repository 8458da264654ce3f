// SPDX-License-Identifier: GPL-3.0-or-later
#include "star_visibility.h"

#include <erfa.h>
#include <erfam.h>

#include <algorithm>
#include <cmath>

namespace velmo_cli {
namespace {

// The Earth's rotation angle advances this many turns per day of UT1.
constexpr double kTurnsPerDay = 1.00273781191135448;
// Below this, cos(latitude) cos(declination) counts as 0: at a pole, or for a
// star at one, the altitude does not change with the hour angle.
constexpr double kFlat = 1e-12;
// A millisecond, so that rounding does not decide a star exactly at --min-hours.
constexpr double kLeeway = 1e-3;

}  // namespace

StarVisibility::StarVisibility(const SkyFrame& frame, const LocalClock& localClock,
                               const Night& dark, double minAltitude, double minHours)
    : sky(frame),
      clock(localClock),
      night(dark),
      sinLimit(std::sin(minAltitude * ERFA_DD2R)),
      leastSeconds(minHours * 3600.0 - kLeeway),
      sinLatitude(0),
      cosLatitude(0) {
    // Sidereal time from ERFA at both ends; in between it runs evenly, at the
    // Earth's rate of rotation, which also says how many whole turns lie
    // between the two.
    startSidereal = sky.SiderealTime(night.start);
    const double endSidereal = sky.SiderealTime(night.end);
    const double turns = kTurnsPerDay * (night.end - night.start) / ERFA_DAYSEC;
    const double difference = endSidereal - startSidereal;
    siderealSpan = difference + ERFA_D2PI * std::round(turns - difference / ERFA_D2PI);
    // A night of no length maps every hour angle to its start.
    secondsPerRadian = siderealSpan > 0 ? (night.end - night.start) / siderealSpan : 0;
    sinLatitude = std::sin(sky.Latitude());
    cosLatitude = std::cos(sky.Latitude());
    for (int minute = 0; minute < kRaMinutes; ++minute) {
        eraS2c(minute / 4.0 * ERFA_DD2R, 0, raDirections[minute]);
    }
    for (int degree = -90; degree <= 90; ++degree) {
        eraS2c(0, degree * ERFA_DD2R, decDirections[degree + 90]);
    }
}

double StarVisibility::TimeAt(double hourAngle, double startHourAngle) const {
    return night.start + (hourAngle - startHourAngle) * secondsPerRadian;
}

bool StarVisibility::Keep(std::int16_t raHours, std::int16_t raMinutes, std::int16_t decDegrees,
                          StarHours& hours) const {
    const double ra = (raHours + raMinutes / 60.0) * 15.0 * ERFA_DD2R;
    const double dec = decDegrees * ERFA_DD2R;
    Place place;
    if (raHours >= 0 && raHours <= 23 && raMinutes >= 0 && raMinutes <= 59 && decDegrees >= -90 &&
        decDegrees <= 90) {
        // eraS2c's unit vector, from sines worked out once for the night
        const double* const along = raDirections[raHours * 60 + raMinutes];
        const double* const up = decDirections[decDegrees + 90];
        const double direction[3] = {up[0] * along[0], up[0] * along[1], up[2]};
        place = sky.OfDate(direction);
    } else {
        place = sky.OfDate(ra, dec);
    }
    const double sinDec = place.SinDec();
    const double scale = cosLatitude * place.CosDec();

    // At or above the limit while the hour angle is within halfArc of an
    // upper culmination (a multiple of 2pi).
    double halfArc = ERFA_DPI;  // all the time
    if (std::fabs(scale) < kFlat) {
        if (sinLatitude * sinDec < sinLimit) return false;
    } else {
        const double cosHalfArc = (sinLimit - sinLatitude * sinDec) / scale;
        if (cosHalfArc > 1) return false;  // never that high
        if (cosHalfArc > -1) halfArc = std::acos(cosHalfArc);
    }

    // The sidereal time is within 0..2pi and the right ascension within
    // -pi..pi: one turn at most brings the hour angle into -pi..pi (what
    // eraAnpm gives, without its division).
    double startHourAngle = startSidereal - place.Ra();
    if (startHourAngle > ERFA_DPI) startHourAngle -= ERFA_D2PI;
    const double endHourAngle = startHourAngle + siderealSpan;
    const double firstTurn = std::ceil((startHourAngle - halfArc) / ERFA_D2PI);
    const double lastTurn = std::floor((endHourAngle + halfArc) / ERFA_D2PI);
    bool minute = false;
    double seconds = 0;
    for (double turn = firstTurn; turn <= lastTurn; ++turn) {
        const double rises = std::max(startHourAngle, turn * ERFA_D2PI - halfArc);
        const double sets = std::min(endHourAngle, turn * ERFA_D2PI + halfArc);
        if (rises > sets) continue;
        const double from = TimeAt(rises, startHourAngle), to = TimeAt(sets, startHourAngle);
        seconds += to - from;
        const std::int64_t first = clock.MinuteAtOrAfter(from);
        const std::int64_t last = clock.MinuteAtOrBefore(to);
        if (first > last) continue;  // no whole minute in this stretch
        if (!minute) hours.from = first;
        hours.to = last;
        minute = true;
    }
    if (!minute || seconds < leastSeconds) return false;
    hours.seconds = seconds;

    // Highest at the first upper culmination in the night, else at the end
    // of the night nearer to one.
    const double culmination = std::ceil(startHourAngle / ERFA_D2PI) * ERFA_D2PI;
    double best = culmination;
    if (culmination > endHourAngle) {
        best = std::cos(startHourAngle) >= std::cos(endHourAngle) ? startHourAngle : endHourAngle;
    }
    hours.altitude = sky.AltitudeDegrees(best, place.Dec());
    const std::int64_t nearest = clock.MinuteAtOrBefore(TimeAt(best, startHourAngle) + 30);
    hours.best = std::clamp(nearest, hours.from, hours.to);
    return true;
}

}  // namespace velmo_cli
