#include "overlay/date_time.h"

#include <gtest/gtest.h>

#include <array>

#include "astro/calendar.h"

namespace {

std::array<int, 6> Fields(const Date_Time& t) {
    return {t.Field(0), t.Field(1), t.Field(2), t.Field(3), t.Field(4), t.Field(5)};
}

TEST(DateTime, RoundToUnit) {
    const struct {
        const char* label;
        std::array<int, 6> at;
        int unit;
        std::array<int, 6> rounded;
    } cases[] = {
        {"a quarter past goes up", {2001, 6, 21, 12, 15, 0}, 1800, {2001, 6, 21, 12, 30, 0}},
        {"just before a quarter past goes down",
         {2001, 6, 21, 12, 14, 59},
         1800,
         {2001, 6, 21, 12, 0, 0}},
        {"a quarter to goes up into the next hour",
         {2001, 6, 21, 12, 45, 0},
         1800,
         {2001, 6, 21, 13, 0, 0}},
        {"a quarter to midnight goes into the next day",
         {2001, 6, 21, 23, 45, 0},
         1800,
         {2001, 6, 22, 0, 0, 0}},
        {"into the next year", {2000, 12, 31, 23, 50, 0}, 1800, {2001, 1, 1, 0, 0, 0}},
        {"over the Gregorian reform", {1582, 10, 4, 23, 59, 0}, 1800, {1582, 10, 15, 0, 0, 0}},
        {"into AD 1 without a year 0", {-1, 12, 31, 23, 59, 30}, 60, {1, 1, 1, 0, 0, 0}},
        {"to the minute", {2001, 6, 21, 12, 5, 30}, 60, {2001, 6, 21, 12, 6, 0}},
        {"a unit that does not divide the hour changes nothing",
         {2001, 6, 21, 12, 5, 5},
         7,
         {2001, 6, 21, 12, 5, 5}},
        {"a unit of 0 changes nothing", {2001, 6, 21, 12, 5, 5}, 0, {2001, 6, 21, 12, 5, 5}},
        {"a negative unit changes nothing", {2001, 6, 21, 12, 5, 5}, -60, {2001, 6, 21, 12, 5, 5}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const double jd = JDFromDateTime(c.at[0], c.at[1], c.at[2], c.at[3], c.at[4], c.at[5]);
        Date_Time t(jd);
        ASSERT_EQ(Fields(t), c.at);
        t.RoundToUnit(c.unit);
        EXPECT_EQ(Fields(t), c.rounded);
    }
}

TEST(DateTime, JulianDayPlusCountsInRealDays) {
    const Date_Time t(JDFromDateTime(2001, 6, 21, 12, 0, 0));
    EXPECT_EQ(t.JulianDay(), 2452082.0);
    // Real division: a whole minute, not 0 (which integer division would give).
    EXPECT_NEAR(t.JulianDayPlus(1, 60) - t.JulianDay(), 1.0 / 1440, 1e-9);
    EXPECT_NEAR(t.JulianDayPlus(-300, 60) - t.JulianDay(), -300.0 / 1440, 1e-9);
    EXPECT_EQ(t.Field(6), 0);
    EXPECT_EQ(t.Field(-1), 0);
}

}  // namespace
