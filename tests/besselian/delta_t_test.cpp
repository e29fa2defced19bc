// SPDX-License-Identifier: GPL-3.0-or-later
#include "besselian/delta_t.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

using namespace besselian;

// Values of the polynomials at the start of a piece and inside it, worked by hand from the
// published expressions; the tidal correction applies outside 1955 ... 2005 only.
TEST(DeltaT, PolynomialPieces) {
    // label, decimal year, ΔT (s), tolerance (s)
    const std::tuple<const char*, double, double, double> cases[] = {
        {"2000.0 (no correction)", 2000.0, 63.86, 1e-9},
        {"1900.0", 1900.0, -2.79 - 0.000012932 * 55 * 55, 1e-9},
        {"-600 (parabola)", -600.0, -20 + 32 * 24.2 * 24.2 - 0.000012932 * 2555 * 2555, 1e-6},
        {"3000.0", 3000.0, -20 + 32 * 11.8 * 11.8 - 0.000012932 * 1045 * 1045, 1e-6},
    };
    for (const auto& [label, year, expected, tolerance] : cases) {
        EXPECT_NEAR(DeltaTSeconds(year), expected, tolerance) << label;
    }
}

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
        {"2000-07-02 0h (leap year)", 2451727.5, 2000.5, 1e-12},
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
