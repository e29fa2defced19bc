// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/date_time.h"

Date_Time::Date_Time(double jd) : m_at(DateTimeFromJD(jd)) {}

int16_t Date_Time::Field(int index) const {
    switch (index) {
        case 0:
            return m_at.year;
        case 1:
            return m_at.month;
        case 2:
            return m_at.day;
        case 3:
            return m_at.hour;
        case 4:
            return m_at.minute;
        case 5:
            return m_at.second;
        default:
            return 0;
    }
}

void Date_Time::RoundToUnit(int unit) {
    if (unit <= 0 || 3600 % unit != 0) return;
    int s = m_at.minute * 60 + m_at.second;
    const int r = s % unit;
    s -= r;
    if (2 * r >= unit) s += unit;
    m_at.second = static_cast<int16_t>(s % 60);
    m_at.minute = static_cast<int16_t>(s / 60);
    if (m_at.minute == 60) {
        m_at.minute = 0;
        m_at.hour += 1;
    }
    if (m_at.hour == 24) {
        m_at.hour = 0;
        DateFromDayNumber(DayNumberFromDate(m_at.year, m_at.month, m_at.day) + 1, m_at.year,
                          m_at.month, m_at.day);
    }
}

double Date_Time::JulianDay() const {
    return JDFromDateTime(m_at.year, m_at.month, m_at.day, m_at.hour, m_at.minute, m_at.second);
}

double Date_Time::JulianDayPlus(int count, int unitSeconds) const {
    return JulianDay() + count * unitSeconds / 86400.0;
}
