// SPDX-License-Identifier: GPL-3.0-or-later
// The sky over one site on one night, from ERFA (the library derived from
// the IAU's SOFA routines): sidereal time, catalogue positions brought to
// the date, the Sun's and the Moon's places, and altitudes. UT1 is taken as
// UTC and the pole as fixed (no polar motion): under a second of time and a
// few arcseconds. Angles in radians unless a name says degrees; instants in
// seconds since 1970-01-01 00:00 UTC, as in local_clock.h.
#pragma once

#include <cmath>

namespace velmo_cli {

struct Site {
    double latitude = 0;   // degrees, -90..90, north positive
    double longitude = 0;  // degrees, -180..180, east positive
};

// A place on the sky referred to the true equator and equinox of the date,
// as a unit vector; its angles (eraC2s's) are worked out when asked for.
struct Place {
    double x = 1, y = 0, z = 0;

    double SinDec() const { return z; }
    double CosDec() const { return std::sqrt(x * x + y * y); }
    // The right ascension, -pi..pi, and the declination, -pi/2..pi/2.
    double Ra() const { return x == 0 && y == 0 ? 0 : std::atan2(y, x); }
    double Dec() const { return z == 0 ? 0 : std::atan2(z, CosDec()); }
};

class SkyFrame {
  public:
    // Fixes the precession-nutation matrix (frame bias included) at
    // `instant`, the middle of the span from noon to noon: over a day it
    // moves by well under an arcsecond.
    SkyFrame(const Site& site, double instant);

    // The local apparent sidereal time at `t`, 0..2pi.
    double SiderealTime(double t) const;

    // A catalogue position, taken as J2000 (mean equator and equinox
    // J2000.0), precessed and nutated to the date; given as a unit vector
    // (eraS2c's) or as right ascension and declination.
    Place OfDate(const double (&direction)[3]) const;
    Place OfDate(double ra, double dec) const;

    // The altitude, in degrees, of a place at hour angle `hourAngle`:
    // geometric, no refraction.
    double AltitudeDegrees(double hourAngle, double dec) const;

    // The altitude of the Sun's centre at `t`, degrees, geometric.
    double SunAltitudeDegrees(double t) const;

    // The Sun's hour angle at `t`, -pi..pi.
    double SunHourAngle(double t) const;

    // The illuminated fraction of the Moon's disc at `t`, 0..1.
    double MoonLitFraction(double t) const;

    // The site's latitude, radians.
    double Latitude() const { return latitude; }

  private:
    Place SunPlace(double t) const;
    double (*Matrix() const)[3];

    double rnpb[3][3];  // catalogue (GCRS) to the true equator and equinox of date
    double latitude;    // radians
    double longitude;   // radians, east positive
};

}  // namespace velmo_cli
