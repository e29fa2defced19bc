// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/calendar.h"

#include <gtest/gtest.h>

#include <tuple>

#include "astro/date_time.h"
#include "astro/dynamical_time.h"
#include "tests/astro/date_text.h"

// Dates with their day numbers, -1 for those refused.
TEST(Calendar, DayNumbersAndValidityOverTheWholeRange) {
    const std::pair<const char*, int32_t> cases[] = {
        {"-4713-01-01", 0},      {"-1-12-31", 1721423},   {"1-01-01", 1721424},
        {"1582-10-04", 2299160}, {"1582-10-15", 2299161}, {"9999-12-31", 5373484},
        {"1600-02-29", 2305507}, {"1500-02-29", 2268992}, {"-1-02-29", 1721117},
        {"1700-02-29", -1},      {"-2-02-29", -1},        {"1582-10-05", -1},
        {"1582-10-14", -1},      {"0-06-01", -1},         {"10000-01-01", -1}};
    for (const auto& [date, dayNumber] : cases) {
        const Fields f = ParseDate(date);
        EXPECT_EQ(IsValidDate(f[0], f[1], f[2]), dayNumber >= 0) << date;
        if (dayNumber < 0) continue;
        EXPECT_EQ(DayNumberFromDate(f[0], f[1], f[2]), dayNumber) << date;
        EXPECT_EQ(DateText(dayNumber), date + std::string(" 12:00:00"));  // noon of that day
    }
    // Every day number of the range is a valid date that converts back to it.
    for (int32_t n = FIRST_DAY_NUMBER; n <= LAST_DAY_NUMBER; ++n) {
        int16_t y, m, d;
        DateFromDayNumber(n, y, m, d);
        ASSERT_TRUE(IsValidDate(y, m, d)) << n;
        ASSERT_EQ(DayNumberFromDate(y, m, d), n) << y << "-" << m << "-" << d;
    }
}

TEST(Calendar, JulianDayAndDateTime) {
    EXPECT_EQ(JulianDayOf("2000-01-01"), 2451544.5);
    const std::pair<double, const char*> cases[] = {
        {2451544.5 - 0.3 / 86400, "2000-01-01 00:00:00"},
        {0.25, "-4713-01-01 18:00:00"},
        {-0.75, "-4714-12-31 18:00:00"},
        {-78.67, "-4714-10-14 19:55:12"}};
    for (const auto& [jd, text] : cases) EXPECT_EQ(DateText(jd), text) << jd;
}

// Times of 21 June 2001 rounded to a unit of seconds (7 does not divide the hour).
TEST(DateTime, RoundToUnitAndJulianDayPlus) {
    const std::tuple<const char*, int, const char*> cases[] = {
        {"12:15:00", 1800, "2001-06-21 12:30:00"},
        {"12:14:59", 1800, "2001-06-21 12:00:00"},
        {"23:45:00", 1800, "2001-06-22 00:00:00"},
        {"12:05:05", 7, "2001-06-21 12:05:05"},
        {"12:05:05", 0, "2001-06-21 12:05:05"}};
    for (const auto& [at, unit, rounded] : cases) {
        Date_Time t(JulianDayOf(std::string("2001-06-21 ") + at));
        t.RoundToUnit(unit);
        EXPECT_EQ(DateText(t.Field(0), t.Field(1), t.Field(2), t.Field(3), t.Field(4), t.Field(5)),
                  rounded)
            << at << " to " << unit;
    }
    const Date_Time t(2452082.0);
    EXPECT_NEAR(t.JulianDayPlus(-300, 60) - t.JulianDay(), -300.0 / 1440, 1e-9);  // real division
}

TEST(DynamicalTime, UTMinusTDByYear) {
    const int cases[][2] = {{2000, -102}, {1800, 0}, {947, -1833}, {948, -1828}, {-500, -17314}};
    for (const auto& [year, seconds] : cases) EXPECT_EQ(UTMinusTD(int16_t(year)), seconds) << year;
}
