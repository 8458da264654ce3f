// SPDX-License-Identifier: GPL-3.0-or-later
#include "search_options.h"

#include <getopt.h>

#include <charconv>
#include <cstring>
#include <string>
#include <vector>

#include "criteria.h"
#include "options.h"

namespace velmo_cli {
namespace {

enum OptionId {
    kRaWest = 256,
    kRaEast,
    kDecSouth,
    kDecNorth,
    kMaxMag,
    kMinMag,
    kPeriodLeast,
    kPeriodMost,
    kUnspecified,
    kFormat,
    kDescending,
    kCount,
    kHelp,
    kVersion,
};

const option kLongOptions[] = {
    {"ra-west", required_argument, nullptr, kRaWest},
    {"ra-east", required_argument, nullptr, kRaEast},
    {"dec-south", required_argument, nullptr, kDecSouth},
    {"dec-north", required_argument, nullptr, kDecNorth},
    {"max-mag", required_argument, nullptr, kMaxMag},
    {"min-mag", required_argument, nullptr, kMinMag},
    {"period-least", required_argument, nullptr, kPeriodLeast},
    {"period-most", required_argument, nullptr, kPeriodMost},
    {"unspecified", no_argument, nullptr, kUnspecified},
    {"format", required_argument, nullptr, kFormat},
    {"descending", no_argument, nullptr, kDescending},
    {"count", no_argument, nullptr, kCount},
    {"output", required_argument, nullptr, 'o'},
    {"help", no_argument, nullptr, kHelp},
    {"version", no_argument, nullptr, kVersion},
    {nullptr, 0, nullptr, 0},
};

bool ReadHours(const char* name, const char* text, std::int16_t& value,
               velmo::CriterionRange range) {
    long long read = 0;
    if (!ReadInteger(text, read) || read < range.low || read > range.high) {
        PrintError(std::string("--") + name + ": " + Quoted(text) + " is not a whole number from " +
                   std::to_string(range.low) + " to " + std::to_string(range.high));
        return false;
    }
    value = static_cast<std::int16_t>(read);
    return true;
}

// A magnitude (float, as the window's box holds it) or a period (double)
// in `range`.
template <typename Real>
bool ReadBounded(const char* name, const char* text, Real& value, velmo::CriterionRange range) {
    Real read = 0;
    if (!ReadReal(text, read) ||
        !(read >= static_cast<Real>(range.low) && read <= static_cast<Real>(range.high))) {
        PrintError(std::string("--") + name + ": " + Quoted(text) + " is not a number from " +
                   std::to_string(range.low) + " to " + std::to_string(range.high));
        return false;
    }
    value = read;
    return true;
}

bool ReadFormat(const char* value, SearchOptions& options, MoreOptions* more) {
    const bool own = more != nullptr && more->format != nullptr;
    if (own && std::strcmp(value, more->format) == 0) {
        more->formatChosen = true;
        return true;
    }
    if (std::strcmp(value, "csv") == 0) {
        options.format = OutputFormat::kCsv;
    } else if (std::strcmp(value, "text") == 0) {
        options.format = OutputFormat::kText;
    } else if (std::strcmp(value, "table") == 0) {
        options.format = OutputFormat::kTable;
    } else {
        PrintError("--format: " + Quoted(value) + " is not one of " +
                   (own ? std::string(more->format) + ", " : std::string()) + "csv, text, table");
        return false;
    }
    if (own) more->formatChosen = false;
    return true;
}

bool ReadOption(int id, const char* value, SearchOptions& options, MoreOptions* more) {
    velmo::Criteria& criteria = options.criteria;
    switch (id) {
        case kRaWest:
            return ReadHours("ra-west", value, criteria.raWest, velmo::kRaHoursRange);
        case kRaEast:
            return ReadHours("ra-east", value, criteria.raEast, velmo::kRaHoursRange);
        case kDecSouth:
            return ReadHours("dec-south", value, criteria.decSouth, velmo::kDecDegreesRange);
        case kDecNorth:
            return ReadHours("dec-north", value, criteria.decNorth, velmo::kDecDegreesRange);
        case kMaxMag:
            return ReadBounded("max-mag", value, criteria.maxMag, velmo::kMagnitudeRange);
        case kMinMag:
            return ReadBounded("min-mag", value, criteria.minMag, velmo::kMagnitudeRange);
        case kPeriodLeast:
            return ReadBounded("period-least", value, criteria.periodLeast,
                               velmo::kPeriodDaysRange);
        case kPeriodMost:
            return ReadBounded("period-most", value, criteria.periodMost, velmo::kPeriodDaysRange);
        case kUnspecified:
            options.unspecified = true;
            return true;
        case kFormat:
            return ReadFormat(value, options, more);
        case kDescending:
            options.descending = true;
            return true;
        case kCount:
            options.countOnly = true;
            return true;
        case 'o':
            options.output = value;
            return true;
        case kHelp:
        case 'h':
            options.info = InfoRequest::kHelp;
            return true;
        case kVersion:
            if (options.info == InfoRequest::kNone) options.info = InfoRequest::kVersion;
            return true;
        default:
            return more != nullptr && id >= kFirstMoreOption && more->read(id, value);
    }
}

// The shortest text that reads back as `value`, with "." whatever the locale.
std::string Number(double value) {
    char text[32];
    const std::to_chars_result end = std::to_chars(text, text + sizeof text, value);
    return std::string(text, end.ptr);
}

}  // namespace

bool ParseSearchOptions(int argc, char* argv[], SearchOptions& options, MoreOptions* more) {
    const std::string command = more != nullptr ? more->command : "search";
    std::vector<option> table;
    for (const option* entry = more != nullptr ? more->table : nullptr;
         entry != nullptr && entry->name != nullptr; ++entry) {
        table.push_back(*entry);
    }
    table.insert(table.end(), std::begin(kLongOptions), std::end(kLongOptions));
    opterr = 0;  // every message is ours, with our prefix
    optind = 0;  // start afresh (GNU): another command may have parsed before
    int id = 0;
    while ((id = getopt_long(argc, argv, ":ho:", table.data(), nullptr)) != -1) {
        if (id == '?') {
            const std::string name =
                optopt != 0 ? std::string("-") + static_cast<char>(optopt) : argv[optind - 1];
            PrintError(command + ": " + RefusedOptionText(name.c_str(), table.data()));
            return false;
        }
        if (id == ':') {
            PrintError(command + ": option " + Quoted(argv[optind - 1]) + " needs a value");
            return false;
        }
        if (!ReadOption(id, optarg, options, more)) {
            return false;
        }
    }
    if (options.info != InfoRequest::kNone) {
        return true;
    }
    const velmo::Criteria& criteria = options.criteria;
    const velmo::CriteriaFault fault = velmo::FirstCriteriaFault(criteria, !options.unspecified);
    if (fault == velmo::CriteriaFault::kSouthAboveNorth) {
        PrintError("--dec-south " + std::to_string(criteria.decSouth) +
                   " is north of --dec-north " + std::to_string(criteria.decNorth) +
                   ": the band needs " + std::to_string(velmo::kDecDegreesRange.low) +
                   " <= south <= north <= " + std::to_string(velmo::kDecDegreesRange.high));
        return false;
    }
    if (fault == velmo::CriteriaFault::kLeastAboveMost) {
        PrintError("--period-least " + Number(criteria.periodLeast) + " is above --period-most " +
                   Number(criteria.periodMost) + ": the range needs " +
                   std::to_string(velmo::kPeriodDaysRange.low) +
                   " <= least <= most <= " + std::to_string(velmo::kPeriodDaysRange.high));
        return false;
    }
    if (fault == velmo::CriteriaFault::kMostNotAboveZero) {
        PrintError("--period-most " + Number(criteria.periodMost) + ": " +
                   velmo::CriteriaFaultText(fault));
        return false;
    }
    if (optind >= argc) {
        PrintError(command + ": no CATALOGUE file given");
        return false;
    }
    if (optind + 1 < argc) {
        PrintError(command + ": one CATALOGUE file only, but " + Quoted(argv[optind + 1]) +
                   " follows " + Quoted(argv[optind]));
        return false;
    }
    options.catalogue = argv[optind];
    return true;
}

}  // namespace velmo_cli
