#include "overlay/date_time.h"

#include "astro/calendar.h"

Date_Time::Date_Time(double jd) {
    DateTimeFromJD(jd, m_year, m_month, m_day, m_hour, m_minute, m_second);
}

int16_t Date_Time::Field(int index) const {
    switch (index) {
        case 0:
            return m_year;
        case 1:
            return m_month;
        case 2:
            return m_day;
        case 3:
            return m_hour;
        case 4:
            return m_minute;
        case 5:
            return m_second;
        default:
            return 0;
    }
}

void Date_Time::RoundToUnit(int unit) {
    if (unit <= 0 || 3600 % unit != 0) return;
    int s = m_minute * 60 + m_second;
    const int r = s % unit;
    s -= r;
    if (2 * r >= unit) s += unit;
    m_second = static_cast<int16_t>(s % 60);
    m_minute = static_cast<int16_t>(s / 60);
    if (m_minute == 60) {
        m_minute = 0;
        m_hour += 1;
    }
    if (m_hour == 24) {
        m_hour = 0;
        DateFromDayNumber(DayNumberFromDate(m_year, m_month, m_day) + 1, m_year, m_month, m_day);
    }
}

double Date_Time::JulianDay() const {
    return JDFromDateTime(m_year, m_month, m_day, m_hour, m_minute, m_second);
}

double Date_Time::JulianDayPlus(int count, int unitSeconds) const {
    return JulianDay() + count * unitSeconds / 86400.0;
}
