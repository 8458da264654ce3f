// SPDX-License-Identifier: GPL-3.0-or-later
#include "sky_frame.h"

#include <erfa.h>
#include <erfam.h>

#include <cmath>

namespace velmo_cli {
namespace {

constexpr double kUnixEpoch = 2440587.5;  // 1970-01-01 00:00 as a Julian date

struct JulianDate {
    double day;       // the larger part
    double fraction;  // the rest
};

// UTC, and UT1 with it.
JulianDate Utc(double t) { return {kUnixEpoch, t / ERFA_DAYSEC}; }

// Terrestrial time, through ERFA's table of leap seconds (the last offset
// is kept beyond it).
JulianDate Tt(double t) {
    const JulianDate utc = Utc(t);
    JulianDate tai{}, tt{};
    if (eraUtctai(utc.day, utc.fraction, &tai.day, &tai.fraction) < 0) {
        return {utc.day, utc.fraction + 69.184 / ERFA_DAYSEC};  // outside ERFA's calendar
    }
    eraTaitt(tai.day, tai.fraction, &tt.day, &tt.fraction);
    return tt;
}

// The Sun seen from the Earth's centre, in au (GCRS axes): the Earth's
// heliocentric position reversed. The direction is geometric; annual
// aberration (20 arcseconds) is below what the minutes shown can tell.
void SunFromEarth(const JulianDate& tt, double sun[3]) {
    double heliocentric[2][3], barycentric[2][3];
    eraEpv00(tt.day, tt.fraction, heliocentric, barycentric);
    eraSxp(-1.0, heliocentric[0], sun);
}

}  // namespace

// ERFA's prototypes take the matrix without const; they only read it.
double (*SkyFrame::Matrix() const)[3] { return const_cast<double(*)[3]>(rnpb); }

SkyFrame::SkyFrame(const Site& site, double instant)
    : latitude(site.latitude * ERFA_DD2R), longitude(site.longitude * ERFA_DD2R) {
    const JulianDate tt = Tt(instant);
    eraPnm06a(tt.day, tt.fraction, rnpb);
}

double SkyFrame::SiderealTime(double t) const {
    const JulianDate ut1 = Utc(t);
    const JulianDate tt = Tt(t);
    return eraAnp(eraGst06(ut1.day, ut1.fraction, tt.day, tt.fraction, Matrix()) + longitude);
}

Place SkyFrame::OfDate(const double (&direction)[3]) const {
    double ofDate[3];
    eraRxp(Matrix(), const_cast<double*>(direction), ofDate);
    return {ofDate[0], ofDate[1], ofDate[2]};
}

Place SkyFrame::OfDate(double ra, double dec) const {
    double catalogue[3];
    eraS2c(ra, dec, catalogue);
    return OfDate(catalogue);
}

double SkyFrame::AltitudeDegrees(double hourAngle, double dec) const {
    double azimuth = 0, elevation = 0;
    eraHd2ae(hourAngle, dec, latitude, &azimuth, &elevation);
    return elevation * ERFA_DR2D;
}

Place SkyFrame::SunPlace(double t) const {
    double sun[3], unit[3], distance = 0;
    SunFromEarth(Tt(t), sun);
    eraPn(sun, &distance, unit);
    return OfDate(unit);
}

double SkyFrame::SunHourAngle(double t) const {
    return eraAnpm(SiderealTime(t) - SunPlace(t).Ra());
}

double SkyFrame::SunAltitudeDegrees(double t) const {
    const Place sun = SunPlace(t);
    return AltitudeDegrees(SiderealTime(t) - sun.Ra(), sun.Dec());
}

double SkyFrame::MoonLitFraction(double t) const {
    const JulianDate tt = Tt(t);
    double moon[2][3], sun[3];
    eraMoon98(tt.day, tt.fraction, moon);
    SunFromEarth(tt, sun);
    double towardsSun[3], towardsEarth[3];
    eraPmp(sun, moon[0], towardsSun);
    eraSxp(-1.0, moon[0], towardsEarth);
    // The phase angle at the Moon, between the Sun and the Earth.
    const double phase = eraSepp(towardsSun, towardsEarth);
    return (1.0 + std::cos(phase)) / 2.0;
}

}  // namespace velmo_cli
