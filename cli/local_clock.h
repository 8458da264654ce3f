// SPDX-License-Identifier: GPL-3.0-or-later
// The clock a night is planned and shown on: the time zone of the
// environment (TZ, as date(1) reads it) or UTC. Instants are seconds since
// 1970-01-01 00:00 UTC, as time_t counts them (leap seconds not counted);
// a double where a fraction of a second matters.
#pragma once

#include <cstdint>
#include <string>

namespace velmo_cli {

struct CalendarDate {
    int year = 0;   // 1900-2100
    int month = 0;  // 1-12
    int day = 0;    // 1-31
};

// Reads "YYYY-MM-DD": a date that exists, from 1900-01-01 to 2100-12-31.
// False for anything else.
bool ReadDate(const char* text, CalendarDate& date);

// "YYYY-MM-DD".
std::string DateText(const CalendarDate& date);

class LocalClock {
  public:
    explicit LocalClock(bool utc);

    // The date of the present moment on this clock.
    CalendarDate Today() const;

    // 12:00 of the day `daysLater` days after `date` on this clock (a time
    // that does not exist, in a jump of the clocks, is taken as the zone's
    // library reads it).
    std::int64_t Noon(const CalendarDate& date, int daysLater) const;

    // The first whole minute of this clock at or after `t`, and the last at
    // or before it.
    std::int64_t MinuteAtOrAfter(double t) const;
    std::int64_t MinuteAtOrBefore(double t) const;

    // "HH:MM" of the minute that holds `t`, 24-hour.
    std::string HourMinute(std::int64_t t) const;

    // Looks up the zone's offset from UTC once for the instants from `first`
    // to `last` when it is the same at both (no change of the clocks in
    // between: they do not change twice within a day), so that the minute
    // roundings above need no look-up each.
    void HoldOffset(std::int64_t first, std::int64_t last);

  private:
    long OffsetAt(std::int64_t t) const;  // seconds east of UTC

    bool utc;
    bool held = false;
    std::int64_t heldFirst = 0, heldLast = 0;
    long heldOffset = 0;
};

}  // namespace velmo_cli
