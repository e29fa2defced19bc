// SPDX-License-Identifier: GPL-3.0-or-later
#include "besselian/delta_t.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace besselian;

// The pieces join: no jump above 0.3 s where one polynomial hands over to the next (the
// published pieces meet to 0.25 s, at 1600; the correction switching on at 2005 adds 0.03 s).
// The values themselves and the reckoning of years are checked against the canon's ΔT. Far
// outside every calendar: a finite answer, and no endless stepping.
TEST(DeltaT, PiecesMeet) {
    const double joins[] = {-500, 500,  1600, 1700, 1800, 1860, 1900,
                            1920, 1941, 1961, 1986, 2005, 2050, 2150};
    for (double y : joins) {
        EXPECT_NEAR(DeltaTSeconds(y - 1e-9), DeltaTSeconds(y + 1e-9), 0.3) << y;
    }
    EXPECT_TRUE(std::isfinite(DeltaTSecondsAtJde(NAN) + DeltaTSecondsAtJde(INFINITY)));
    EXPECT_TRUE(std::isfinite(DecimalYearOfJd(1e300) + DecimalYearOfJd(-1e300)));
}
