// SPDX-License-Identifier: GPL-3.0-or-later
// The night of one date at one site: the stretch, between one noon and the
// next, in which the Sun's centre stands below the twilight's altitude.
#pragma once

#include "sky_frame.h"

namespace velmo_cli {

enum class Twilight { kAstronomical, kNautical, kCivil };

// -18, -12 or -6 degrees.
double TwilightAltitude(Twilight twilight);
// "astronomical", "nautical" or "civil".
const char* TwilightName(Twilight twilight);

struct Night {
    bool dark = false;  // false: the Sun never gets below the twilight's altitude
    double start = 0;   // instants (as in local_clock.h), start <= end
    double end = 0;
};

// The night between the noon `noon` and the next noon `nextNoon` (instants):
//  - the Sun below `altitude` (degrees) from noon to noon: the whole span
//    (polar night);
//  - otherwise the last stretch of the span that begins with the Sun going
//    below `altitude` (a stretch already dark at noon belongs to the night
//    before: it is one only when the noon itself falls in the dark, as at
//    UTC noon far from Greenwich), up to the next noon at the latest;
//  - no such stretch: not dark.
// The Sun's altitude is monotone between its two culminations: the span is
// cut at the culminations (the Sun's hour angle 0 or 12 hours), and each
// piece holds at most one crossing, found by bisection to well under a
// second.
Night FindNight(const SkyFrame& sky, double noon, double nextNoon, double altitude);

}  // namespace velmo_cli
