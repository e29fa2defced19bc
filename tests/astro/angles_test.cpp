#include "astro/angles.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A static initialiser of this file reads the constants: whatever the order in which the
// files of the program are initialised, it sees the finished values.
const double g_piSeenBeforeMain = AngleConstants().PI;

TEST(AngleConstants, ComputedFromTheArcTangentInOrder) {
    const Angle_Constants& k = AngleConstants();
    EXPECT_EQ(k.HALF_PI, 2.0 * std::atan(1.0));
    EXPECT_EQ(k.PI, 4.0 * std::atan(1.0));
    EXPECT_EQ(k.DEG_TO_RAD, k.PI / 180.0);
    EXPECT_EQ(k.RAD_TO_DEG, 180.0 / k.PI);
    EXPECT_EQ(g_piSeenBeforeMain, k.PI);
    EXPECT_EQ(&AngleConstants(), &k);  // one set for the whole program
}

}  // namespace
