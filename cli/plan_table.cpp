// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan_table.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>

namespace velmo_cli {
namespace {

// The columns after the table's: "HH:MM" three times, degrees up to "90",
// hours up to "24.0"; all right-aligned.
constexpr std::size_t kTimeWidth = 5, kAltitudeWidth = 3, kHoursWidth = 5;

void AppendRight(std::string& line, std::string_view text, std::size_t width, bool last) {
    const std::size_t pad = text.size() < width ? width - text.size() : 0;
    const std::size_t at = line.size();
    line.resize(at + pad + text.size() + (last ? 0 : 2), ' ');
    std::memcpy(&line[at + pad], text.data(), text.size());
}

// `value` with `decimals` decimals and "." whatever the locale.
std::string Fixed(double value, int decimals) {
    char text[32];
    const auto end =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    return std::string(text, end.ptr);
}

// "52.09 N" / "5.12 E"; a value that shows as 0 is north or east.
std::string Coordinate(double degrees, char positive, char negative) {
    std::string text = Fixed(std::fabs(degrees), 2);
    const bool zero = text.find_first_not_of("0.") == std::string::npos;
    return text + ' ' + (degrees < 0 && !zero ? negative : positive);
}

}  // namespace

void PlanTable::WriteHeader(const NightSummary& summary, velmo::BlockWriter& out) {
    const Night& night = summary.night;
    std::string header = "# Night of " + DateText(summary.date) + " at " +
                         Coordinate(summary.site.latitude, 'N', 'S') + ", " +
                         Coordinate(summary.site.longitude, 'E', 'W') + ": dark from " +
                         clock.HourMinute(clock.MinuteAtOrAfter(night.start)) + " to " +
                         clock.HourMinute(clock.MinuteAtOrBefore(night.end)) + " (" +
                         TwilightName(summary.twilight) + " twilight), Moon " +
                         std::to_string(std::lround(summary.moonLit * 100)) + "% lit\n";
    ResultTable::AppendHeadings(header);
    AppendRight(header, "From", kTimeWidth, false);
    AppendRight(header, "To", kTimeWidth, false);
    AppendRight(header, "Best", kTimeWidth, false);
    AppendRight(header, "Alt", kAltitudeWidth, false);
    AppendRight(header, "Hours", kHoursWidth, true);
    header += '\n';
    out.Append(header.data(), header.size());
}

void PlanTable::WriteRow(const StarRecord& record, const StarHours& hours,
                         velmo::BlockWriter& out) {
    line.clear();  // keeps its memory from row to row
    table.AppendCells(record, line);
    AppendRight(line, clock.HourMinute(hours.from), kTimeWidth, false);
    AppendRight(line, clock.HourMinute(hours.to), kTimeWidth, false);
    AppendRight(line, clock.HourMinute(hours.best), kTimeWidth, false);
    char text[32];
    const auto altitude = std::to_chars(text, text + sizeof text, std::lround(hours.altitude));
    AppendRight(line, std::string_view(text, static_cast<std::size_t>(altitude.ptr - text)),
                kAltitudeWidth, false);
    // Hours in tenths, rounded half up.
    const long tenths = std::lround(hours.seconds / 360);
    char* end = std::to_chars(text, text + sizeof text - 2, tenths / 10).ptr;
    *end++ = '.';
    *end++ = static_cast<char>('0' + tenths % 10);
    AppendRight(line, std::string_view(text, static_cast<std::size_t>(end - text)), kHoursWidth,
                true);
    line += '\n';
    out.Append(line.data(), line.size());
}

}  // namespace velmo_cli
