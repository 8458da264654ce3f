// SPDX-License-Identifier: GPL-3.0-or-later
#include "local_clock.h"

#include <cmath>
#include <cstdio>
#include <ctime>

namespace velmo_cli {
namespace {

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysIn(int year, int month) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

int Digits(const char* text, int count) {
    int value = 0;
    for (int i = 0; i < count; ++i) {
        if (text[i] < '0' || text[i] > '9') return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

std::int64_t FloorTo(std::int64_t value, std::int64_t step) {
    const std::int64_t q = value / step;
    return (value % step != 0 && value < 0) ? (q - 1) * step : q * step;
}

}  // namespace

bool ReadDate(const char* text, CalendarDate& date) {
    for (int i = 0; i < 10; ++i) {
        if (text[i] == '\0') return false;
    }
    if (text[10] != '\0' || text[4] != '-' || text[7] != '-') return false;
    const int year = Digits(text, 4), month = Digits(text + 5, 2), day = Digits(text + 8, 2);
    if (year < 1900 || year > 2100 || month < 1 || month > 12 || day < 1 ||
        day > DaysIn(year, month)) {
        return false;
    }
    date = {year, month, day};
    return true;
}

std::string DateText(const CalendarDate& date) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

LocalClock::LocalClock(bool inUtc) : utc(inUtc) { tzset(); }

CalendarDate LocalClock::Today() const {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    if (utc) {
        gmtime_r(&now, &parts);
    } else {
        localtime_r(&now, &parts);
    }
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday};
}

std::int64_t LocalClock::Noon(const CalendarDate& date, int daysLater) const {
    std::tm parts{};
    parts.tm_year = date.year - 1900;
    parts.tm_mon = date.month - 1;
    parts.tm_mday = date.day + daysLater;
    parts.tm_hour = 12;
    parts.tm_isdst = -1;
    return utc ? timegm(&parts) : std::mktime(&parts);
}

void LocalClock::HoldOffset(std::int64_t first, std::int64_t last) {
    held = false;
    const long offset = OffsetAt(first);
    if (offset == OffsetAt(last)) {
        heldFirst = first;
        heldLast = last;
        heldOffset = offset;
        held = true;
    }
}

long LocalClock::OffsetAt(std::int64_t t) const {
    if (utc) return 0;
    if (held && t >= heldFirst && t <= heldLast) return heldOffset;
    const std::time_t when = static_cast<std::time_t>(t);
    std::tm parts{};
    localtime_r(&when, &parts);
    return parts.tm_gmtoff;
}

std::int64_t LocalClock::MinuteAtOrAfter(double t) const {
    const std::int64_t whole = static_cast<std::int64_t>(std::ceil(t));
    const long offset = OffsetAt(whole);
    const std::int64_t local = whole + offset;
    const std::int64_t minute = FloorTo(local, 60);
    return (minute == local ? minute : minute + 60) - offset;
}

std::int64_t LocalClock::MinuteAtOrBefore(double t) const {
    const std::int64_t whole = static_cast<std::int64_t>(std::floor(t));
    const long offset = OffsetAt(whole);
    return FloorTo(whole + offset, 60) - offset;
}

std::string LocalClock::HourMinute(std::int64_t t) const {
    const std::int64_t local = t + OffsetAt(t);
    const std::int64_t minutes = (local - FloorTo(local, 86400)) / 60;
    const char text[] = {
        static_cast<char>('0' + minutes / 600), static_cast<char>('0' + minutes / 60 % 10), ':',
        static_cast<char>('0' + minutes % 60 / 10), static_cast<char>('0' + minutes % 10)};
    return std::string(text, sizeof text);
}

}  // namespace velmo_cli
