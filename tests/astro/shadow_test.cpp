#include "astro/shadow.h"

#include <gtest/gtest.h>

#include <cmath>

#include "astro/sun_moon.h"
#include "units/angles.h"

constexpr double WORKED_JD = 2451401.96;  // 11 August 1999, near the greatest eclipse

const double g_piSeenBeforeMain = AngleConstants().PI;

// The angle constants, also as read during static initialisation; the positions, sub-solar
// point and shadow of the worked case; the limits after a reset.
TEST(SunMoonAndShadow, WorkedCaseOfAugust1999) {
    const Angle_Constants& k = AngleConstants();
    EXPECT_EQ(k.HALF_PI, 2.0 * std::atan(1.0));
    EXPECT_EQ(k.PI, 4.0 * std::atan(1.0));
    EXPECT_EQ(k.DEG_TO_RAD, k.PI / 180.0);
    EXPECT_EQ(k.RAD_TO_DEG, 180.0 / k.PI);
    EXPECT_EQ(g_piSeenBeforeMain, k.PI);
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

// The first computation into a fresh state finds a defined previous position.
TEST(Shadow, FreshStateHasADefinedMotion) {
    Shadow_State state;
    ComputeShadowState(state, 2451401.96);
    EXPECT_TRUE(std::isfinite(state.motionDirection));
}
