// The angle constants shared by every module: HALF_PI = 2 atan(1), PI = 4 atan(1),
// DEG_TO_RAD = PI / 180 and RAD_TO_DEG = 180 / PI, computed in that order.
//
// They are computed at run time when the program starts, and in any case on first use (a
// function-local static), so a static initialiser anywhere in the program that reaches
// them gets the finished values: there is no dependence on the order in which translation
// units are initialised.
#pragma once

struct Angle_Constants {
    double HALF_PI;
    double PI;
    double DEG_TO_RAD;  // radians per degree
    double RAD_TO_DEG;  // degrees per radian
};

// The program's one set of angle constants.
const Angle_Constants& AngleConstants() noexcept;
