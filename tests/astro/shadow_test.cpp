// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/shadow.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "astro/sun_moon.h"
#include "units/angles.h"

constexpr double WORKED_JD = 2451401.96;  // 11 August 1999, near the greatest eclipse

const double g_piSeenBeforeMain = AngleConstants().PI;

TEST(SunMoonAndShadow, WorkedCaseOfAugust1999) {
    EXPECT_EQ(g_piSeenBeforeMain, 4.0 * std::atan(1.0));
    const Sun_Moon_Position p = SunMoonPosition(WORKED_JD);
    Shadow_State s;
    ComputeShadowState(s, WORKED_JD - 1.0 / 1440);  // a minute before, for the motion
    ASSERT_EQ(ComputeShadowState(s, WORKED_JD), 0);
    double at[6][2] = {};  // latitude, longitude: axis, umbra left and right, penumbra left, Sun
    SubSolarPoint(WORKED_JD, at[5][0], at[5][1]);
    EXPECT_EQ(AxisPoint(s, at[0][0], at[0][1]), Shadow_Status::Found);
    EXPECT_EQ(ConeLimitLeft(s, 5, at[1][0], at[1][1]), Shadow_Status::Found);
    EXPECT_EQ(ConeLimitRight(s, 5, at[2][0], at[2][1]), Shadow_Status::Found);
    EXPECT_EQ(ConeLimitLeft(s, 0, at[3][0], at[3][1]), Shadow_Status::Found);
    EXPECT_EQ(ConeLimitRight(s, 0, at[4][0], at[4][1]), Shadow_Status::MissesEarth);
    // value, expected, tolerance
    const double cases[][3] = {{p.siderealTime, 2.18294, 5e-6}, {p.sun.x, -0.757353, 5e-7},
                               {p.sun.y, 0.618024, 5e-7},       {p.sun.z, 0.267947, 5e-7},
                               {p.moon.x, -0.00186142, 5e-9},   {p.moon.y, 0.00151328, 5e-9},
                               {p.moon.z, 0.000679081, 5e-10},  {at[5][0], 15.58, 5e-3},
                               {at[5][1], 13.26, 5e-3},         {s.x0, 4.43e-06, 5e-9},
                               {s.y0, 2.079e-05, 5e-9},         {s.zSun, 1.01357, 5e-6},
                               {s.zMoon, 0.002493, 5e-7},       {at[0][0], 44.39, 5e-3},
                               {at[0][1], 24.06, 5e-3},         {at[1][0], 44.90, 5e-3},
                               {at[1][1], 24.28, 5e-3},         {at[2][0], 43.88, 5e-3},
                               {at[2][1], 23.85, 5e-3},         {at[3][0], 13.17, 5e-3},
                               {at[3][1], 15.09, 5e-3}};
    for (const auto& [value, expected, tolerance] : cases) EXPECT_NEAR(value, expected, tolerance);

    // The limits need the direction of motion: two computations since the last reset.
    ResetShadowState(s);
    EXPECT_EQ(ConeLimitLeft(s, 5, at[1][0], at[1][1]), Shadow_Status::MotionUnknown);
    ComputeShadowState(s, WORKED_JD);
    EXPECT_EQ(ConeLimitRight(s, 5, at[1][0], at[1][1]), Shadow_Status::MotionUnknown);
}

// The worked case's frame with the axis, vertex and tangent of cone 0 put in by hand (R the
// Earth's radius): the axis R off the centre misses; a cylinder touching the Earth meets it at
// height 0, on the far side; a horizon circle touching the rim gives two equal points.
TEST(Shadow, EdgeCases) {
    const double R = EARTH_RADIUS_AU;
    Shadow_State s;
    ComputeShadowState(s, WORKED_JD);
    EXPECT_TRUE(std::isfinite(s.motionDirection));
    auto status = [&](double x0, double tangent, auto query) {
        s.x0 = x0;
        s.y0 = 0;
        s.vertex[0] = 1;
        s.tangent[0] = tangent;
        s.tangentSquared[0] = tangent * tangent;
        return query();
    };
    double la = 99, lo = 99, la2 = 99, lo2 = 99;
    auto axis = [&] { return AxisPoint(s, la, lo); };
    auto cone = [&] { return ConePoint(s, 0, 0.0, la, lo); };
    auto horizon = [&] { return ConeHorizonPoints(s, 0, la, lo, la2, lo2); };
    EXPECT_EQ(status(R, 0, axis), Shadow_Status::MissesEarth);
    EXPECT_EQ(la, 99);
    EXPECT_EQ(status(R * 0.999999, 0, axis), Shadow_Status::Found);
    EXPECT_EQ(status(R, 0, cone), Shadow_Status::FarSide);
    EXPECT_EQ(status(R * 0.999999, 0, cone), Shadow_Status::Found);
    la = lo = la2 = lo2 = 99;
    EXPECT_EQ(status(0, R * 1.000001, horizon), Shadow_Status::MissesEarth);
    EXPECT_EQ(std::vector<double>({la, lo, la2, lo2}), std::vector<double>(4, 99));
    EXPECT_EQ(status(0, R, horizon), Shadow_Status::Found);
    EXPECT_EQ(std::make_pair(la, lo), std::make_pair(la2, lo2));
    EXPECT_EQ(status(R / 2, R * std::sqrt(1.25), horizon), Shadow_Status::Found);
    EXPECT_NE(std::make_pair(la, lo), std::make_pair(la2, lo2));
    // Longitudes wrap into [-180, 180]: -180 and 180 stay, just beyond either wraps around.
    const double wraps[][2] = {{-180, -180}, {180, 180}, {180.25, -179.75}, {-180.25, 179.75}};
    for (const auto& [in, out] : wraps) EXPECT_EQ(WrapLongitudeDeg(in), out) << in;
}

// Cones 3 and 4 cross the axis before the Earth: their point lies on the angle's opposite side.
TEST(Shadow, ConesThreeAndFourGiveTheirPointsOnTheOppositeSide) {
    Shadow_State s;
    ComputeShadowState(s, WORKED_JD - 1.0 / 1440);
    ComputeShadowState(s, WORKED_JD);
    auto point = [&](int cone, double angle) {
        double la = 0, lo = 0;
        EXPECT_EQ(ConePoint(s, cone, angle, la, lo), Shadow_Status::Found) << cone;
        return std::make_pair(la, lo);
    };
    auto distance = [](std::pair<double, double> a, std::pair<double, double> b) {
        return std::hypot(a.first - b.first, a.second - b.second);
    };
    const auto side = point(2, 30), opposite = point(2, 210);
    for (int cone : {1, 3, 4}) {
        const auto p = point(cone, 30);
        EXPECT_EQ(distance(p, opposite) < distance(p, side), cone >= 3) << cone;
    }
}
