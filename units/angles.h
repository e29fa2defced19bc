// SPDX-License-Identifier: GPL-3.0-or-later
// The angle constants shared by every library, and the one way the program converts
// between degrees and radians: Radians(degrees) and Degrees(radians).
//
// HALF_PI = 2 atan(1), PI = 4 atan(1), DEG_TO_RAD = PI / 180 and RAD_TO_DEG = 180 / PI,
// computed in that order at run time when the program starts, and in any case on first use
// (a function-local static), so a static initialiser anywhere in the program that reaches
// them gets the finished values whatever the order in which translation units start.
//
// This library sits at the bottom of the dependency graph beside `platform`: it depends on
// nothing but the standard library, and both astronomy and geography use it.
#pragma once

struct Angle_Constants {
    double HALF_PI;     // radians
    double PI;          // radians
    double DEG_TO_RAD;  // radians per degree
    double RAD_TO_DEG;  // degrees per radian
};

namespace units_detail {
Angle_Constants ComputeAngleConstants() noexcept;
}  // namespace units_detail

// The program's one set of angle constants.
inline const Angle_Constants& AngleConstants() noexcept {
    static const Angle_Constants constants = units_detail::ComputeAngleConstants();
    return constants;
}

// degrees x DEG_TO_RAD: an angle in degrees as radians (not reduced to one turn).
inline double Radians(double degrees) noexcept {
    return degrees * AngleConstants().DEG_TO_RAD;
}

// radians x RAD_TO_DEG: an angle in radians as degrees (not reduced to one turn).
inline double Degrees(double radians) noexcept {
    return radians * AngleConstants().RAD_TO_DEG;
}
