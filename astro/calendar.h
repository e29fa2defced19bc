// SPDX-License-Identifier: GPL-3.0-or-later
// Civil dates and Julian Days.
//
// The civil calendar is the Julian calendar up to 4 October 1582 and the Gregorian
// calendar from 15 October 1582; years before AD 1 are negative and counted without a
// year 0 (-1 is 1 BC). Dates, times of day and their fields are 16-bit signed integers;
// a day number is the 32-bit Julian Day Number of a date (the Julian Day at its noon),
// valid from 0 (1 January 4713 BC) to 5373484 (31 December 9999). A Julian Day (double)
// runs from n - 0.5 (midnight) to n + 0.5 for day number n. The functions do not care
// whether the time of day is universal or dynamical time.
#pragma once

#include <cstdint>

// A civil date and time of day, as six fields. The type only carries values: it checks
// nothing and holds whatever it is given unchanged (a field read from an empty list is -1,
// an unchecked hour may be 99). Where a value is checked, the ranges are:
//   year    -4713 ... 9999, no year 0 (-1 is 1 BC); the eclipses found just beyond either
//           end of the range carry -4714 or 10000
//   month   1 ... 12
//   day     1 ... 28, 29, 30 or 31 by the month and the calendar (Julian up to 4 October
//           1582, Gregorian from 15 October 1582; 5 to 14 October 1582 do not exist)
//   hour    0 ... 23, minute 0 ... 59, second 0 ... 59
// The time scale (universal or dynamical time) is the one of the instant it stands for.
struct Civil_Date_Time {
    int16_t year = 0;
    int16_t month = 0;
    int16_t day = 0;
    int16_t hour = 0;
    int16_t minute = 0;
    int16_t second = 0;
};

inline bool operator==(const Civil_Date_Time& a, const Civil_Date_Time& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour &&
           a.minute == b.minute && a.second == b.second;
}
inline bool operator!=(const Civil_Date_Time& a, const Civil_Date_Time& b) {
    return !(a == b);
}

// Calendar classes of a date.
constexpr int16_t CAL_GAP = 0;        // 5 to 14 October 1582, which do not exist
constexpr int16_t CAL_JULIAN_BC = 1;  // negative years
constexpr int16_t CAL_JULIAN = 2;     // AD 1 up to 4 October 1582
constexpr int16_t CAL_GREGORIAN = 3;  // 15 October 1582 and later

// Days from 1 March to the start of each month of a year that begins in March, indexed
// by the March-based month (1 = March ... 10 = December, 11 = January, 12 = February,
// 13 = end of the year); index 0 is unused.
extern const int16_t MonthStarts[14];

// "January" ... "December" at 1 ... 12; index 0 is null.
extern const char* const MonthNames[13];

constexpr int32_t FIRST_DAY_NUMBER = 0;       // 1 January 4713 BC
constexpr int32_t LAST_DAY_NUMBER = 5373484;  // 31 December 9999

int16_t CalendarOf(int16_t year, int16_t month, int16_t day);

// True if the date exists and lies within 1 January 4713 BC ... 31 December 9999.
bool IsValidDate(int16_t year, int16_t month, int16_t day);

// The day number of a date; 0 for a date in the gap of October 1582. Meant for valid dates.
int32_t DayNumberFromDate(int16_t year, int16_t month, int16_t day);

// Julian Day of a date and time of day, summed in extended precision. Hour, minute and
// second are taken as they are, even outside their usual ranges.
double JDFromDateTime(int16_t year, int16_t month, int16_t day, int16_t hour, int16_t minute,
                      int16_t second);

// The civil date of a day number within FIRST_DAY_NUMBER ... LAST_DAY_NUMBER, and also of
// the day numbers just outside it that the stepping can reach.
void DateFromDayNumber(int32_t dayNumber, int16_t& year, int16_t& month, int16_t& day);

// The civil date and time of day of a Julian Day, rounded to the nearest second (a time
// that rounds up to midnight gives 00:00:00 of the next day). The time of day is never
// negative: Julian Days below 0.5 (before noon of 1 January 4713 BC) give dates of 4714 BC.
Civil_Date_Time DateTimeFromJD(double jd);
