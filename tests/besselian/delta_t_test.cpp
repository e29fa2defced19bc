// SPDX-License-Identifier: GPL-3.0-or-later
#include "besselian/delta_t.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

using namespace besselian;

// The pieces join: no jump above 0.3 s where one polynomial hands over to the next (the
// published pieces meet to 0.25 s, at 1600; the correction switching on at 2005 adds 0.03 s).
TEST(DeltaT, PiecesMeet) {
    const double joins[] = {-500, 500,  1600, 1700, 1800, 1860, 1900,
                            1920, 1941, 1961, 1986, 2005, 2050, 2150};
    for (double y : joins) {
        EXPECT_NEAR(DeltaTSeconds(y - 1e-9), DeltaTSeconds(y + 1e-9), 0.3) << y;
    }
}

// Decimal years of astronomical reckoning (year 0 = 1 BC), Julian calendar before 1582-10-15;
// any instant gives a finite answer.
TEST(DeltaT, DecimalYears) {
    // label, Julian Day, decimal year, tolerance
    const std::tuple<const char*, double, double, double> cases[] = {
        {"1 BC = year 0", 1721057.5, 0.0, 1e-12},
        {"2000 BC = -1999, mid-year", 991106.0, -1999.0 + 182.5 / 365, 1e-9},
        {"1583-01-01 (Gregorian)", 2299238.5, 1583.0, 1e-12},
    };
    for (const auto& [label, jd, year, tolerance] : cases) {
        EXPECT_NEAR(DecimalYearOfJd(jd), year, tolerance) << label;
    }
    // Far outside every calendar: a finite answer, and no endless stepping.
    EXPECT_TRUE(std::isfinite(DeltaTSecondsAtJde(NAN) + DeltaTSecondsAtJde(INFINITY)));
    EXPECT_TRUE(std::isfinite(DecimalYearOfJd(1e300) + DecimalYearOfJd(-1e300)));
}
