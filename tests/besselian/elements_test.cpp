// SPDX-License-Identifier: GPL-3.0-or-later
#include "besselian/elements_fit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

using namespace besselian;

// The fitted polynomials against the elements computed directly from the full series every
// half hour across their span. The tolerance covers the lunar series' truncation (see
// ephemeris.h): 2e-5 Earth radii (130 m) near the present, 5e-4 (3 km) at 2000 BC; d and mu
// within 1e-5 deg, l1 and l2 within a hundredth of the tolerance of x and y.
TEST(Elements, PolynomialsFollowTheDirectComputation) {
    // label, instant near an eclipse (JDE), ΔT (s), tolerance of x and y (Earth radii)
    const std::tuple<const char*, double, double, double> cases[] = {
        {"2024-04-08 total", 2460409.2628, 69.1, 2e-5},
        {"2000 BC total", 991085.6353, 46438, 5e-4},
    };
    for (const auto& [label, jde, deltaT, tolXY] : cases) {
        SCOPED_TRACE(label);
        Engine_Options options;
        options.deltaTSeconds = deltaT;
        Besselian_Elements e;
        ASSERT_TRUE(ComputeElements(jde, options, e));
        for (double t = e.tMinHours; t <= e.tMaxHours + 1e-9; t += 0.5) {
            SCOPED_TRACE(t);
            Element_Values v;
            ASSERT_TRUE(ElementsAtInstant(e.t0Jde + t / 24, deltaT, 959.63, v));
            EXPECT_NEAR(e.x(t), v.x, tolXY);
            EXPECT_NEAR(e.y(t), v.y, tolXY);
            EXPECT_NEAR(e.dDeg(t), v.dDeg, 1e-5);
            EXPECT_NEAR(std::remainder(e.muDeg(t) - v.muDeg, 360), 0, 1e-5);
            EXPECT_NEAR(e.l1(t), v.l1, 0.01 * tolXY);
            EXPECT_NEAR(e.l2(t), v.l2, 0.01 * tolXY);
        }
    }
}

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

// Input the engine cannot use: false, and the elements left as they were.
TEST(Elements, RefusesUnusableInput) {
    // label, instant, ΔT, Sun's radius
    const std::tuple<const char*, double, double, double> cases[] = {
        {"before 4000 BC", 200000.0, 69, 959.63},
        {"after AD 8000", 5000000.0, 69, 959.63},
        {"huge ΔT", 2460409.26, 1e12, 959.63},
        {"zero Sun radius", 2460409.26, 69, 0},
    };
    for (const auto& [label, jde, deltaT, radius] : cases) {
        Engine_Options options;
        options.deltaTSeconds = deltaT;
        options.sunRadiusArcsec = radius;
        Besselian_Elements e;
        e.t0Jde = 123;
        EXPECT_FALSE(ComputeElements(jde, options, e)) << label;
        EXPECT_EQ(e.t0Jde, 123) << label;
    }
}
