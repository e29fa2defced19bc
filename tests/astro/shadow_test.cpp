#include "astro/shadow.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double WORKED_JD = 2451401.96;

// The total eclipse of 11 August 1999 near its greatest phase: two computations a minute
// apart, so that the direction of motion is known.
Shadow_State WorkedCase() {
    Shadow_State state;
    ResetShadowState(state);
    ComputeShadowState(state, WORKED_JD - 1.0 / 1440);
    EXPECT_EQ(ComputeShadowState(state, WORKED_JD), 0);
    return state;
}

TEST(Shadow, WorkedCaseOfAugust1999) {
    const Shadow_State s = WorkedCase();
    EXPECT_NEAR(s.x0, 4.43e-06, 0.005e-6);
    EXPECT_NEAR(s.y0, 2.079e-05, 0.0005e-5);
    EXPECT_NEAR(s.zSun, 1.01357, 5e-6);
    EXPECT_NEAR(s.zMoon, 0.002493, 5e-7);
    EXPECT_EQ(s.instantCount, 2);

    const struct {
        const char* label;
        int status;
        double latitude, longitude;
        int (*query)(const Shadow_State&, double&, double&);
    } cases[] = {
        {"axis", 0, 44.39, 24.06, AxisPoint},
        {"umbra, left", 0, 44.90, 24.28,
         [](const Shadow_State& st, double& la, double& lo) {
             return ConeLimitLeft(st, 5, la, lo);
         }},
        {"umbra, right", 0, 43.88, 23.85,
         [](const Shadow_State& st, double& la, double& lo) {
             return ConeLimitRight(st, 5, la, lo);
         }},
        {"penumbra, left", 0, 13.17, 15.09,
         [](const Shadow_State& st, double& la, double& lo) {
             return ConeLimitLeft(st, 0, la, lo);
         }},
        {"penumbra, right misses the Earth", 1, 0, 0,
         [](const Shadow_State& st, double& la, double& lo) {
             return ConeLimitRight(st, 0, la, lo);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        double latitude = 0, longitude = 0;
        EXPECT_EQ(c.query(s, latitude, longitude), c.status);
        EXPECT_NEAR(latitude, c.latitude, 0.005);
        EXPECT_NEAR(longitude, c.longitude, 0.005);
    }
}

TEST(Shadow, FrameTransformsAreInverses) {
    const Shadow_State s = WorkedCase();
    const double points[][3] = {{1e-5, -3e-5, 2e-5}, {0.5, -0.2, 0.1}, {0, 0, 0}};
    for (const auto& p : points) {
        double x = p[0], y = p[1], z = p[2];
        ToShadowFrame(s.frame, x, y, z);
        FromShadowFrame(s.frame, x, y, z);
        EXPECT_NEAR(x, p[0], 1e-15);
        EXPECT_NEAR(y, p[1], 1e-15);
        EXPECT_NEAR(z, p[2], 1e-15);
    }
    // The Sun and the Moon lie on the axis.
    EXPECT_NEAR(s.sun.x, 0, 1e-12);
    EXPECT_NEAR(s.sun.y, 0, 1e-12);
    EXPECT_NEAR(s.moon.x, 0, 1e-15);
    EXPECT_NEAR(s.moon.y, 0, 1e-15);
    EXPECT_GT(s.zSun, s.zMoon);
}

TEST(Shadow, LimitsNeedTwoComputationsSinceTheReset) {
    Shadow_State s = WorkedCase();
    double latitude = 7, longitude = 8;
    ResetShadowState(s);
    EXPECT_EQ(ConeLimitLeft(s, 5, latitude, longitude), -1);
    ComputeShadowState(s, WORKED_JD);
    EXPECT_EQ(ConeLimitLeft(s, 5, latitude, longitude), -1);
    EXPECT_EQ(ConeLimitRight(s, 5, latitude, longitude), -1);
    EXPECT_EQ(latitude, 7);  // untouched on failure
    EXPECT_EQ(longitude, 8);
    ComputeShadowState(s, WORKED_JD + 1.0 / 1440);
    EXPECT_EQ(ConeLimitLeft(s, 5, latitude, longitude), 0);
}

TEST(Shadow, AFreshStateHasNoUndefinedMotion) {
    Shadow_State s;
    ComputeShadowState(s, WORKED_JD);
    EXPECT_TRUE(std::isfinite(s.motionDirection));
}

TEST(Shadow, ConesThreeAndFourLieAcrossTheAxis) {
    const Shadow_State s = WorkedCase();
    const double toLeft = s.motionDirection * 180 / M_PI + 90;
    for (int cone = 0; cone < SHADOW_CONES; ++cone) {
        SCOPED_TRACE(cone);
        double la1 = 0, lo1 = 0, la2 = 0, lo2 = 0;
        // For cones 0 to 2 the left limit lies in the direction asked for; for cones 3 and 4,
        // whose vertices lie beyond the Earth, the signed radius turns it to the other side.
        const int left = ConeLimitLeft(s, cone, la1, lo1);
        const int direct = ConePoint(s, cone, toLeft, la2, lo2);
        EXPECT_EQ(left, direct);
        if (left == 0) {
            EXPECT_EQ(la1, la2);
            EXPECT_EQ(lo1, lo2);
        }
        // Cones 3 and 4 have their vertices far beyond the Earth, on its night side.
        if (cone == 3 || cone == 4) {
            EXPECT_LT(s.vertex[cone], -10 * EARTH_RADIUS_AU);
        }
    }
}

TEST(Shadow, AxisPointAndHorizonCircle) {
    Shadow_State s = WorkedCase();
    // Axis through the Earth centre: the point right below the Moon, at the frame's (0, 0, R).
    s.x0 = 0;
    s.y0 = 0;
    double latitude = 0, longitude = 0;
    ASSERT_EQ(AxisPoint(s, latitude, longitude), 0);
    double x = 0, y = 0, z = EARTH_RADIUS_AU;
    FromShadowFrame(s.frame, x, y, z);
    double expectedLatitude, expectedLongitude;
    EquatorialToGeographic(s, x, y, z, expectedLatitude, expectedLongitude);
    EXPECT_DOUBLE_EQ(latitude, expectedLatitude);
    EXPECT_DOUBLE_EQ(longitude, expectedLongitude);

    // The axis exactly one Earth radius from the centre misses it.
    s.x0 = EARTH_RADIUS_AU;
    s.y0 = 0;
    EXPECT_EQ(AxisPoint(s, latitude, longitude), 1);

    // At greatest eclipse the penumbra reaches over the Earth's limb: its circle in the
    // fundamental plane crosses the Earth's, and both points lie on the horizon circle, at
    // right angles to the axis as seen from the Earth's centre.
    s = WorkedCase();
    double la[2], lo[2];
    ASSERT_EQ(ConeHorizonPoints(s, 0, la[0], lo[0], la[1], lo[1]), 0);
    EXPECT_FALSE(la[0] == la[1] && lo[0] == lo[1]);
    for (int j = 0; j < 2; ++j) {
        const double phi = la[j] * M_PI / 180, lambda = lo[j] * M_PI / 180 + s.siderealTime;
        const double p[3] = {std::cos(phi) * std::cos(lambda), std::cos(phi) * std::sin(lambda),
                             std::sin(phi)};
        EXPECT_NEAR(p[0] * s.frame.w.x + p[1] * s.frame.w.y + p[2] * s.frame.w.z, 0.0, 1e-9);
    }
    // With the Earth's centre on the axis the two circles are concentric and never meet.
    s.x0 = 0;
    s.y0 = 0;
    EXPECT_EQ(ConeHorizonPoints(s, 0, la[0], lo[0], la[1], lo[1]), 1);
}

TEST(Shadow, ConePointStatuses) {
    Shadow_State s = WorkedCase();
    double latitude = 1, longitude = 2;
    // A degenerate cone (t = 0) is the axis itself: through the centre it meets the sphere at
    // the top, height R, which is not below the Sun's half.
    s.x0 = 0;
    s.y0 = 0;
    s.tangent[2] = 0;
    s.tangentSquared[2] = 0;
    EXPECT_EQ(ConePoint(s, 2, 0.0, latitude, longitude), 2);
    // Far off the Earth the cone edge misses it.
    s = WorkedCase();
    s.x0 = 10 * EARTH_RADIUS_AU;
    EXPECT_EQ(ConePoint(s, 5, 0.0, latitude, longitude), 1);
    EXPECT_EQ(latitude, 1);
    EXPECT_EQ(longitude, 2);
}

}  // namespace
