// SPDX-License-Identifier: GPL-3.0-or-later
// J2000 positions of an imported catalogue, read into what a catalogue line
// holds: right ascension in whole hours and minutes, declination in whole
// degrees, each truncated (never rounded up).
//
// Accepted forms:
//  - sexagesimal, parts separated by blanks or colons: "00 24 01.95",
//    "13:25:11.6", "00 24.0" (hours and minutes); "+38 34 37.3",
//    "-11:09:41", "-00 30";
//  - compact, as GCVS writes them: "002401.95" (hhmmss.ss), "+383437.3"
//    (a sign and ddmmss.s): a number whose whole part has six digits;
//  - a plain decimal number: degrees for both coordinates, or decimal hours
//    for the right ascension when `raHours` is set.
// Ranges: 0 <= RA < 24 h (360 degrees); -90 <= Dec <= 90; minutes and
// seconds below 60. The declination's sign is the one written, so "-00 30"
// and "-0.5" are south of the equator ("-00" in the line).
#pragma once

#include <string_view>

namespace velmo::importing {

struct LinePosition {
    int raHours = 0;     // 0-23
    int raMinutes = 0;   // 0-59
    bool south = false;  // a "-" was written before the declination
    int decDegrees = 0;  // 0-90, whole degrees truncated toward zero
};

enum class PositionRead { kOk, kAbsent, kUnreadable };

// Right ascension alone. kAbsent for an empty (all blank) text.
PositionRead ReadRightAscension(std::string_view text, bool raHours, LinePosition* out);
// Declination alone. kAbsent for an empty (all blank) text.
PositionRead ReadDeclination(std::string_view text, LinePosition* out);
// Both in one text: split before the declination's sign ("002401.95
// +383437.3", "13:25:11.6 -11:09:41"), or, without a sign, into two numbers
// or two halves of six or four parts. kAbsent for an empty text.
PositionRead ReadPosition(std::string_view text, bool raHours, LinePosition* out);

}  // namespace velmo::importing
