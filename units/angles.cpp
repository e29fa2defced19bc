// SPDX-License-Identifier: GPL-3.0-or-later
#include "units/angles.h"

#include <cmath>

Angle_Constants units_detail::ComputeAngleConstants() noexcept {
    Angle_Constants c{};
    c.HALF_PI = 2.0 * std::atan(1.0);
    c.PI = 4.0 * std::atan(1.0);
    c.DEG_TO_RAD = c.PI / 180.0;
    c.RAD_TO_DEG = 180.0 / c.PI;
    return c;
}

namespace {

// Computes the constants when the program starts, before main; a static initialiser of
// another file that needs them earlier computes them itself through AngleConstants().
const Angle_Constants& g_computedAtStartUp = AngleConstants();

}  // namespace
