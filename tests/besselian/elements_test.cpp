// SPDX-License-Identifier: GPL-3.0-or-later
#include "besselian/elements_fit.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace besselian;

// Shape of the elements of 2024-04-08 (t0 18h TD), against NASA's published elements for
// that eclipse: x0 = -0.318244, y0 = 0.219764, d0 = 7.5862 deg, l1 = 0.535814,
// l2 = -0.010272, tan f1 = 0.0046683, tan f2 = 0.0046450; x and y within 1e-4 (the two
// ephemerides differ by about 50 m), d within 1e-4 deg, l2 within 2e-5; l1 within 3e-5, as
// those elements take the Moon's radius 0.272488 for the penumbra, 2e-5 less than here.
TEST(Elements, EclipseOf2024) {
    Engine_Options options;
    options.deltaTSeconds = 69.1;
    Besselian_Elements e;
    ASSERT_TRUE(ComputeElements(2460409.2628, options, e));
    EXPECT_DOUBLE_EQ(e.t0Jde, 2460409.25);
    EXPECT_NEAR(e.x(0), -0.318244, 1e-4);
    EXPECT_NEAR(e.y(0), 0.219764, 1e-4);
    EXPECT_NEAR(e.x.Derivative(0), 0.5117, 1e-4);
    EXPECT_NEAR(e.y.Derivative(0), 0.2710, 1e-4);
    EXPECT_NEAR(e.dDeg(0), 7.5862, 1e-4);
    EXPECT_NEAR(e.muDeg.Derivative(0), 15.004, 1e-3);
    EXPECT_NEAR(e.l1(0), 0.535814, 3e-5);
    EXPECT_NEAR(e.l2(0), -0.010272, 2e-5);
    EXPECT_NEAR(e.tanF1, 0.0046683, 2e-7);
    EXPECT_NEAR(e.tanF2, 0.0046450, 2e-7);
}
