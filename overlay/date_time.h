// A calendar date and time of day as six 16-bit fields, for the overlay's sampling instants
// and labels. The time scale is whatever the Julian Day it is made from is on.
#pragma once

#include <cstdint>

class Date_Time {
  public:
    // The date and time of jd, rounded to the second.
    explicit Date_Time(double jd);

    // Field 0 year, 1 month, 2 day, 3 hour, 4 minute, 5 second; any other index gives 0.
    int16_t Field(int index) const;

    // Rounds the time to the nearest multiple of unitSeconds within the hour (halves go
    // up), carrying into the hour and the date. Units that do not divide an hour (and units
    // of 0 or less) leave the time as it is.
    void RoundToUnit(int unitSeconds);

    // The Julian Day of the date and time.
    double JulianDay() const;
    // JulianDay() + count x unitSeconds / 86400, in real arithmetic.
    double JulianDayPlus(int count, int unitSeconds) const;

  private:
    int16_t m_year, m_month, m_day, m_hour, m_minute, m_second;
};
