// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan_options.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "options.h"

namespace velmo_cli {
namespace {

enum OptionId {
    kSite = kFirstMoreOption,
    kDate,
    kTwilight,
    kMinAlt,
    kMinHours,
    kSort,
    kUtc,
};

const option kPlanOptions[] = {
    {"site", required_argument, nullptr, kSite},
    {"date", required_argument, nullptr, kDate},
    {"twilight", required_argument, nullptr, kTwilight},
    {"min-alt", required_argument, nullptr, kMinAlt},
    {"min-hours", required_argument, nullptr, kMinHours},
    {"sort", required_argument, nullptr, kSort},
    {"utc", no_argument, nullptr, kUtc},
    {nullptr, 0, nullptr, 0},
};

// "LAT,LON" in decimal degrees within their ranges; `source` names the
// option or the variable in the message.
bool ReadSite(const std::string& source, const char* text, Site& site) {
    const char* comma = std::strchr(text, ',');
    double latitude = 0, longitude = 0;
    const bool read = comma != nullptr && ReadReal(std::string(text, comma).c_str(), latitude) &&
                      ReadReal(comma + 1, longitude) && latitude >= -90 && latitude <= 90 &&
                      longitude >= -180 && longitude <= 180;
    if (!read) {
        PrintError(source + ": " + Quoted(text) +
                   " is not LAT,LON in decimal degrees (latitude -90..90, north positive; "
                   "longitude -180..180, east positive)");
        return false;
    }
    site = {latitude, longitude};
    return true;
}

bool ReadLimit(const char* name, const char* text, double& value, double high, const char* unit) {
    double read = 0;
    if (!ReadReal(text, read) || !(read >= 0 && read <= high)) {
        PrintError(std::string("--") + name + ": " + Quoted(text) + " is not a number of " + unit +
                   " from 0 to " + std::to_string(static_cast<int>(high)));
        return false;
    }
    value = read;
    return true;
}

// `text` as one of `names` (null-terminated), its index in `index`.
bool ReadChoice(const char* name, const char* text, const char* const* names, int& index) {
    std::string list;
    for (int i = 0; names[i] != nullptr; ++i) {
        if (std::strcmp(text, names[i]) == 0) {
            index = i;
            return true;
        }
        list += (i > 0 ? ", " : "") + std::string(names[i]);
    }
    PrintError(std::string("--") + name + ": " + Quoted(text) + " is not one of " + list);
    return false;
}

bool ReadPlanOption(int id, const char* value, PlanOptions& options, bool& siteGiven) {
    static const char* const kTwilights[] = {"astronomical", "nautical", "civil", nullptr};
    static const char* const kSorts[] = {"catalogue", "from", "to", "best", nullptr};
    int index = 0;
    switch (id) {
        case kSite:
            siteGiven = true;
            return ReadSite("--site", value, options.site);
        case kDate:
            if (!ReadDate(value, options.date)) {
                PrintError("--date: " + Quoted(value) +
                           " is not a date YYYY-MM-DD from 1900-01-01 to 2100-12-31");
                return false;
            }
            options.dateGiven = true;
            return true;
        case kTwilight:
            if (!ReadChoice("twilight", value, kTwilights, index)) return false;
            options.twilight = static_cast<Twilight>(index);
            return true;
        case kMinAlt:
            return ReadLimit("min-alt", value, options.minAltitude, 90, "degrees");
        case kMinHours:
            return ReadLimit("min-hours", value, options.minHours, 24, "hours");
        case kSort:
            if (!ReadChoice("sort", value, kSorts, index)) return false;
            options.sort = static_cast<PlanSort>(index);
            return true;
        case kUtc:
            options.utc = true;
            return true;
        default:
            return false;
    }
}

}  // namespace

bool ParsePlanOptions(int argc, char* argv[], PlanOptions& options) {
    bool siteGiven = false;
    MoreOptions more;
    more.command = "plan";
    more.table = kPlanOptions;
    more.format = "plan";
    more.formatChosen = true;  // the default
    more.read = [&options, &siteGiven](int id, const char* value) {
        return ReadPlanOption(id, value, options, siteGiven);
    };
    if (!ParseSearchOptions(argc, argv, options.search, &more)) return false;
    options.planFormat = more.formatChosen;
    if (options.search.info != InfoRequest::kNone || siteGiven) return true;
    const char* variable = std::getenv("VELMO_SITE");
    if (variable == nullptr || *variable == '\0') {
        PrintError(
            "plan: no site given: --site LAT,LON or VELMO_SITE=LAT,LON, in decimal degrees "
            "(north and east positive)");
        return false;
    }
    return ReadSite("VELMO_SITE", variable, options.site);
}

}  // namespace velmo_cli
