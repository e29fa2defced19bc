#include "astro/sun_moon.h"

#include <gtest/gtest.h>

#include <cmath>

#include "astro/angles.h"

namespace {

TEST(SunMoonPosition, WorkedCaseOfAugust1999) {
    const Sun_Moon_Position p = SunMoonPosition(2451401.96);
    EXPECT_NEAR(p.siderealTime, 2.18294, 5e-6);
    EXPECT_NEAR(p.sun.x, -0.757353, 5e-7);
    EXPECT_NEAR(p.sun.y, 0.618024, 5e-7);
    EXPECT_NEAR(p.sun.z, 0.267947, 5e-7);
    EXPECT_NEAR(p.moon.x, -0.00186142, 5e-9);
    EXPECT_NEAR(p.moon.y, 0.00151328, 5e-9);
    EXPECT_NEAR(p.moon.z, 0.000679081, 5e-10);
}

TEST(SunMoonPosition, ClockCorrectionAt1900) {
    const double expected = 12.3 + 15.1 * std::sin(240.7 * AngleConstants().DEG_TO_RAD);
    EXPECT_DOUBLE_EQ(ClockCorrectionSeconds(2415020.0), expected);
    EXPECT_NEAR(ClockCorrectionSeconds(2415020.0), -0.87, 0.01);
}

TEST(SunMoonPosition, SunLiesInTheEclipticAndMoonAtItsParallaxDistance) {
    for (double jd = 0; jd < 5.4e6; jd += 123456.789) {
        SCOPED_TRACE(jd);
        const Sun_Moon_Position p = SunMoonPosition(jd);
        // Zero ecliptic latitude turned by the mean obliquity of date: z = y tan(eps).
        const double T = (jd - 2415020.0) / 36525.0 + ClockCorrectionSeconds(jd) * 3.1688e-10;
        const double eps =
            (23.452294 - 0.0130125 * T - 0.00000164 * T * T + 0.000000503 * T * T * T) *
            AngleConstants().DEG_TO_RAD;
        EXPECT_NEAR(p.sun.z, p.sun.y * std::tan(eps), 1e-15);
        const double sunDistance =
            std::sqrt(p.sun.x * p.sun.x + p.sun.y * p.sun.y + p.sun.z * p.sun.z);
        EXPECT_NEAR(sunDistance, 1.0, 0.018);
        const double moonDistance =
            std::sqrt(p.moon.x * p.moon.x + p.moon.y * p.moon.y + p.moon.z * p.moon.z);
        // 4.2635e-05 / sin p with the parallax p between about 0.88 and 1.03 degrees.
        EXPECT_GT(moonDistance, 0.00236);
        EXPECT_LT(moonDistance, 0.00278);
        EXPECT_GT(p.siderealTime, -2 * AngleConstants().PI);
        EXPECT_LT(p.siderealTime, 2 * AngleConstants().PI);
    }
}

TEST(SunMoonPosition, SiderealTimeKeepsTheSignOfItsPolynomial) {
    EXPECT_LT(SunMoonPosition(1000000.3).siderealTime, 0.0);
    EXPECT_GT(SunMoonPosition(2451545.3).siderealTime, 0.0);
}

TEST(RotateX, TurnsEclipticIntoEquatorial) {
    const double eps = 23.4 * AngleConstants().DEG_TO_RAD;
    double x = 0.5, y = 1.0, z = 0.0;
    RotateX(x, y, z, -eps);
    EXPECT_EQ(x, 0.5);
    EXPECT_DOUBLE_EQ(y, std::cos(eps));
    EXPECT_DOUBLE_EQ(z, std::sin(eps));
}

TEST(SubSolarPoint, WorkedCaseAndRanges) {
    double latitude, longitude;
    SubSolarPoint(2451401.96, latitude, longitude);
    EXPECT_NEAR(latitude, 15.58, 0.005);
    EXPECT_NEAR(longitude, 13.26, 0.005);
    for (double jd = -100; jd < 5.4e6; jd += 9876.54321) {
        SubSolarPoint(jd, latitude, longitude);
        EXPECT_LE(std::fabs(latitude), 24.4) << jd;  // the obliquity, 24.3 deg in 4713 BC
        EXPECT_GE(longitude, -180.0) << jd;
        EXPECT_LE(longitude, 180.0) << jd;
    }
}

TEST(WrapLongitude, IntoMinus180To180) {
    const struct {
        double in, out;
    } cases[] = {{180.0, 180.0}, {-180.0, -180.0}, {180.5, -179.5}, {-180.5, 179.5},
                 {540.0, 180.0}, {-725.0, -5.0},   {359.0, -1.0},   {0.0, 0.0}};
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(WrapLongitudeDeg(c.in), c.out) << c.in;
}

}  // namespace
