// SPDX-License-Identifier: GPL-3.0-or-later
#include "night.h"

#include <cmath>
#include <vector>

namespace velmo_cli {
namespace {

constexpr double kStep = 3600;  // seconds between samples; culminations are 12 h apart
constexpr int kHalvings = 32;   // of a stretch of at most 13 h: well under a millisecond

// The point in [low, high] where `sign(t)` changes, given that it differs at
// the two ends.
template <typename Sign>
double Bisect(double low, double high, Sign sign) {
    const bool lowSign = sign(low);
    for (int i = 0; i < kHalvings; ++i) {
        const double middle = (low + high) / 2;
        if (sign(middle) == lowSign) {
            low = middle;
        } else {
            high = middle;
        }
    }
    return (low + high) / 2;
}

}  // namespace

double TwilightAltitude(Twilight twilight) {
    switch (twilight) {
        case Twilight::kNautical:
            return -12;
        case Twilight::kCivil:
            return -6;
        case Twilight::kAstronomical:
            break;
    }
    return -18;
}

const char* TwilightName(Twilight twilight) {
    switch (twilight) {
        case Twilight::kNautical:
            return "nautical";
        case Twilight::kCivil:
            return "civil";
        case Twilight::kAstronomical:
            break;
    }
    return "astronomical";
}

Night FindNight(const SkyFrame& sky, double noon, double nextNoon, double altitude) {
    // The culminations: where the sine of the Sun's hour angle changes sign.
    const auto westOfMeridian = [&sky](double t) { return std::sin(sky.SunHourAngle(t)) >= 0; };
    std::vector<double> cuts = {noon};
    bool west = westOfMeridian(noon);
    for (double t = noon; t < nextNoon;) {
        const double next = std::fmin(t + kStep, nextNoon);
        const bool nextWest = westOfMeridian(next);
        if (nextWest != west) cuts.push_back(Bisect(t, next, westOfMeridian));
        west = nextWest;
        t = next;
    }
    cuts.push_back(nextNoon);

    // The crossings of the twilight's altitude, one at most between two cuts.
    const auto below = [&sky, altitude](double t) { return sky.SunAltitudeDegrees(t) < altitude; };
    const bool darkAtNoon = below(noon);
    std::vector<double> crossings;
    bool dark = darkAtNoon;
    for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
        const bool nextDark = below(cuts[i + 1]);
        if (nextDark != dark) crossings.push_back(Bisect(cuts[i], cuts[i + 1], below));
        dark = nextDark;
    }

    Night night;
    if (crossings.empty()) {
        night.dark = darkAtNoon;
        night.start = noon;
        night.end = nextNoon;
        return night;
    }
    // Crossings alternate; those at even places set the Sun below the
    // altitude when noon is light, those at odd places when it is dark.
    const std::size_t first = darkAtNoon ? 1 : 0;
    for (std::size_t i = first; i < crossings.size(); i += 2) {
        night.dark = true;
        night.start = crossings[i];
        night.end = i + 1 < crossings.size() ? crossings[i + 1] : nextNoon;
    }
    return night;
}

}  // namespace velmo_cli
