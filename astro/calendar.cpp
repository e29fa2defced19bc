// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/calendar.h"

#include <cmath>

const int16_t MonthStarts[14] = {0, 0, 31, 61, 92, 122, 153, 184, 214, 245, 275, 306, 337, 365};

const char* const MonthNames[13] = {nullptr,   "January",  "February", "March",  "April",
                                    "May",     "June",     "July",     "August", "September",
                                    "October", "November", "December"};

int16_t CalendarOf(int16_t year, int16_t month, int16_t day) {
    if (year < 0) return CAL_JULIAN_BC;
    if (year < 1582) return CAL_JULIAN;
    if (year > 1582) return CAL_GREGORIAN;
    if (month < 10) return CAL_JULIAN;
    if (month > 10) return CAL_GREGORIAN;
    if (day <= 4) return CAL_JULIAN;
    if (day >= 15) return CAL_GREGORIAN;
    return CAL_GAP;
}

bool IsValidDate(int16_t year, int16_t month, int16_t day) {
    if (year < -4713 || year > 9999 || year == 0 || month < 1 || month > 12 || day < 1) {
        return false;
    }
    const int16_t calendar = CalendarOf(year, month, day);
    if (calendar == CAL_GAP) return false;

    if (!(month == 2 && day == 29)) {
        const int i = month > 2 ? month - 2 : month + 10;  // March-based month
        return day <= MonthStarts[i + 1] - MonthStarts[i];
    }

    // 29 February: the leap-year rules of the date's calendar.
    int y = year;
    if (calendar == CAL_JULIAN_BC) y = -y - 1;  // astronomical year number without its sign
    if (calendar == CAL_GREGORIAN) {
        if (y % 400 == 0) return true;
        if (y % 100 == 0) return false;
    }
    return y % 4 == 0;
}

int32_t DayNumberFromDate(int16_t year, int16_t month, int16_t day) {
    const int16_t calendar = CalendarOf(year, month, day);
    if (calendar == CAL_GAP) return 0;

    int32_t m = month;
    int32_t y = year;
    if (calendar == CAL_JULIAN_BC) y = year + 4717;
    if (m < 3) {
        m += 12;
        y -= 1;
    }
    const int32_t inYear = MonthStarts[m - 2] + day;
    switch (calendar) {
        case CAL_JULIAN_BC:
            return 365 * y + y / 4 - 1402 + inYear;
        case CAL_JULIAN:
            return 365 * y + y / 4 + 1721117 + inYear;
        default:
            return 365 * y + y / 4 - y / 100 + y / 400 + 1721119 + inYear;
    }
}

double JDFromDateTime(int16_t year, int16_t month, int16_t day, int16_t hour, int16_t minute,
                      int16_t second) {
    long double jd = static_cast<long double>(DayNumberFromDate(year, month, day)) - 0.5L;
    jd += static_cast<long double>(hour) / 24.0L;
    jd += static_cast<long double>(minute) / 1440.0L;
    jd += static_cast<long double>(second) / 86400.0L;
    return static_cast<double>(jd);
}

void DateFromDayNumber(int32_t n, int16_t& year, int16_t& month, int16_t& day) {
    int32_t y;
    int32_t r;
    if (n <= 1721423) {  // up to 31 December 1 BC
        r = n + 1401;
        y = 4 * (r / 1461) - 4717;
    } else if (n <= 2299160) {  // up to 4 October 1582
        r = n - 1721118;
        y = 4 * (r / 1461);
    } else {
        r = n - 2159411;  // 1 March 1200 in the Gregorian calendar extended backwards
        y = 400 * (r / 146097) + 1200;
        r = r % 146097;
        if (r == 146096) {
            year = static_cast<int16_t>(y + 400);
            month = 2;
            day = 29;
            return;
        }
        y += 100 * (r / 36524);
        r = r % 36524;
        y += 4 * (r / 1461);
    }
    r = r % 1461;
    if (r == 1460) {
        year = static_cast<int16_t>(y + 4);
        month = 2;
        day = 29;
        return;
    }
    y += r / 365;
    const int32_t d = r % 365;
    int i = 1;
    while (MonthStarts[i + 1] <= d) ++i;
    day = static_cast<int16_t>(d + 1 - MonthStarts[i]);
    if (i > 10) {
        year = static_cast<int16_t>(y + 1);
        month = static_cast<int16_t>(i - 10);
    } else {
        year = static_cast<int16_t>(y);
        month = static_cast<int16_t>(i + 2);
    }
}

Civil_Date_Time DateTimeFromJD(double jd) {
    // The day number is the floor, not the truncation, and the time of day the remainder
    // above it, so that instants before JD 0.5 still get a time of day from 0 to 24 hours.
    const double shifted = jd + 0.5;
    const double floored = std::floor(shifted);
    int32_t n = static_cast<int32_t>(floored);
    int32_t s = static_cast<int32_t>((shifted - floored) * 86400.0 + 0.5);
    if (s == 86400) {
        s = 0;
        n += 1;
    }
    Civil_Date_Time at;
    DateFromDayNumber(n, at.year, at.month, at.day);
    at.second = static_cast<int16_t>(s % 60);
    at.minute = static_cast<int16_t>((s / 60) % 60);
    at.hour = static_cast<int16_t>((s / 60) / 60);
    return at;
}
