#include "astro/dynamical_time.h"

#include <gtest/gtest.h>

namespace {

TEST(DynamicalTime, UTMinusTDByYear) {
    const struct {
        const char* label;
        int16_t year;
        int32_t seconds;
    } cases[] = {
        {"2000", 2000, -102},
        {"2001", 2001, -103},
        {"1900", 1900, -25},
        {"1600", 1600, -98},
        {"1800: DeltaT -0.8 s truncates to 0", 1800, 0},
        {"947, last year of the old expression", 947, -1833},
        {"948, first year of the new one", 948, -1828},
        {"1000", 1000, -1612},
        {"year 0", 0, -9877},
        {"500 BC", -500, -17314},
    };
    for (const auto& c : cases) EXPECT_EQ(UTMinusTD(c.year), c.seconds) << c.label;
}

}  // namespace
