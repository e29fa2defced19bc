// SPDX-License-Identifier: GPL-3.0-or-later
// Clock arithmetic on Julian Days: a civil date and time of day made from a Julian Day,
// rounded to a whole number of seconds, minutes or half hours, and turned back into a
// Julian Day with a number of such units added. The overlay times its samples and labels
// its outlines with it. The time scale is whatever the Julian Day it is made from is on.
#pragma once

#include <cstdint>

#include "astro/calendar.h"

class Date_Time {
  public:
    // The date and time of jd, rounded to the second.
    explicit Date_Time(double jd);

    // Field 0 year, 1 month, 2 day, 3 hour, 4 minute, 5 second; any other index gives 0.
    int16_t Field(int index) const;
    // All six fields.
    const Civil_Date_Time& Fields() const { return m_at; }

    // Rounds the time to the nearest multiple of unitSeconds within the hour (halves go
    // up), carrying into the hour and the date. Units that do not divide an hour (and units
    // of 0 or less) leave the time as it is.
    void RoundToUnit(int unitSeconds);

    // The Julian Day of the date and time.
    double JulianDay() const;
    // JulianDay() + count x unitSeconds / 86400, in real arithmetic.
    double JulianDayPlus(int count, int unitSeconds) const;

  private:
    Civil_Date_Time m_at;
};
