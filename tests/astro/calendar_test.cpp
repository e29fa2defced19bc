#include "astro/calendar.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace {

struct DateCase {
    const char* label;
    int16_t year, month, day;
    int32_t dayNumber;
};

const DateCase kDayNumbers[] = {
    {"first day of the range, 1 January 4713 BC", -4713, 1, 1, 0},
    {"1 January 1 BC", -1, 1, 1, 1721058},
    {"31 December 1 BC", -1, 12, 31, 1721423},
    {"1 January AD 1", 1, 1, 1, 1721424},
    {"last Julian day, 4 October 1582", 1582, 10, 4, 2299160},
    {"first Gregorian day, 15 October 1582", 1582, 10, 15, 2299161},
    {"1 January 2000", 2000, 1, 1, 2451545},
    {"29 February 2000", 2000, 2, 29, 2451604},
    {"last day of the range, 31 December 9999", 9999, 12, 31, 5373484},
};

TEST(Calendar, DayNumbersOfKnownDates) {
    for (const DateCase& c : kDayNumbers) {
        SCOPED_TRACE(c.label);
        EXPECT_EQ(DayNumberFromDate(c.year, c.month, c.day), c.dayNumber);
        int16_t y, m, d;
        DateFromDayNumber(c.dayNumber, y, m, d);
        EXPECT_EQ(y, c.year);
        EXPECT_EQ(m, c.month);
        EXPECT_EQ(d, c.day);
    }
}

TEST(Calendar, GapDaysHaveDayNumberZero) {
    for (int16_t d = 5; d <= 14; ++d) {
        EXPECT_EQ(CalendarOf(1582, 10, d), CAL_GAP) << d;
        EXPECT_EQ(DayNumberFromDate(1582, 10, d), 0) << d;
    }
}

struct ValidityCase {
    const char* label;
    int16_t year, month, day;
    bool valid;
};

const ValidityCase kValidity[] = {
    {"29 February 1600 (Gregorian, divisible by 400)", 1600, 2, 29, true},
    {"29 February 2000", 2000, 2, 29, true},
    {"29 February 1500 (Julian)", 1500, 2, 29, true},
    {"29 February 1700 (Gregorian century)", 1700, 2, 29, false},
    {"29 February 1900", 1900, 2, 29, false},
    {"29 February 1 BC", -1, 2, 29, true},
    {"29 February 5 BC", -5, 2, 29, true},
    {"29 February 2 BC", -2, 2, 29, false},
    {"29 February 4713 BC", -4713, 2, 29, true},
    {"30 February", 2001, 2, 30, false},
    {"31 April", 2001, 4, 31, false},
    {"30 April", 2001, 4, 30, true},
    {"31 December", 2001, 12, 31, true},
    {"10 October 1582", 1582, 10, 10, false},
    {"4 October 1582", 1582, 10, 4, true},
    {"15 October 1582", 1582, 10, 15, true},
    {"year 0", 0, 6, 1, false},
    {"year 10000", 10000, 1, 1, false},
    {"year 4714 BC", -4714, 12, 31, false},
    {"month 0", 2001, 0, 1, false},
    {"month 13", 2001, 13, 1, false},
    {"day 0", 2001, 1, 0, false},
    {"negative day", 2001, 1, -3, false},
};

TEST(Calendar, ValidityOfDates) {
    for (const ValidityCase& c : kValidity) {
        EXPECT_EQ(IsValidDate(c.year, c.month, c.day), c.valid) << c.label;
    }
}

TEST(Calendar, JulianDayOfDateAndTime) {
    EXPECT_EQ(JDFromDateTime(2000, 1, 1, 12, 0, 0), 2451545.0);
    EXPECT_EQ(JDFromDateTime(2000, 1, 1, 0, 0, 0), 2451544.5);
    int16_t y, mo, d, h, mi, s;
    DateTimeFromJD(2451544.5, y, mo, d, h, mi, s);
    EXPECT_EQ((std::array<int, 6>{y, mo, d, h, mi, s}), (std::array<int, 6>{2000, 1, 1, 0, 0, 0}));
}

TEST(Calendar, TimeThatRoundsToMidnightMovesToTheNextDay) {
    int16_t y, mo, d, h, mi, s;
    DateTimeFromJD(2451544.5 - 0.3 / 86400.0, y, mo, d, h, mi, s);
    EXPECT_EQ((std::array<int, 6>{y, mo, d, h, mi, s}), (std::array<int, 6>{2000, 1, 1, 0, 0, 0}));
}

TEST(Calendar, InstantsBeforeTheFirstNoonHaveAPositiveTimeOfDay) {
    struct {
        double jd;
        std::array<int, 6> expected;
    } cases[] = {
        {0.25, {-4713, 1, 1, 18, 0, 0}},       {0.0, {-4713, 1, 1, 12, 0, 0}},
        {-0.5, {-4713, 1, 1, 0, 0, 0}},        {-0.75, {-4714, 12, 31, 18, 0, 0}},
        {-78.67, {-4714, 10, 14, 19, 55, 12}},
    };
    for (const auto& c : cases) {
        int16_t y, mo, d, h, mi, s;
        DateTimeFromJD(c.jd, y, mo, d, h, mi, s);
        EXPECT_EQ((std::array<int, 6>{y, mo, d, h, mi, s}), c.expected) << c.jd;
    }
}

// Every day number of the range converts to a date and back to itself, the dates are
// consecutive, and each of them is valid.
TEST(Calendar, RoundTripOverTheWholeRange) {
    int16_t py = -4714, pm = 12, pd = 31;
    for (int32_t n = FIRST_DAY_NUMBER; n <= LAST_DAY_NUMBER; ++n) {
        int16_t y, m, d;
        DateFromDayNumber(n, y, m, d);
        ASSERT_TRUE(IsValidDate(y, m, d)) << n;
        ASSERT_EQ(DayNumberFromDate(y, m, d), n) << y << "-" << m << "-" << d;
        const bool nextDay = (y == py && m == pm && d == pd + 1);
        const bool nextMonth = (y == py && m == pm + 1 && d == 1);
        const bool nextYear = (y == (py == -1 ? 1 : py + 1) && m == 1 && d == 1 && pm == 12);
        const bool gregorianReform = (n == 2299161);
        ASSERT_TRUE(nextDay || nextMonth || nextYear || gregorianReform || n == 0) << n;
        py = y;
        pm = m;
        pd = d;
    }
}

}  // namespace
