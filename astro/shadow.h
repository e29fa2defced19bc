// SPDX-License-Identifier: GPL-3.0-or-later
// Geometry of the Moon's shadow on the Earth for one instant, in the fundamental plane:
// a frame whose third axis runs parallel to the line from the Moon to the Sun, with the
// Earth a sphere of radius EARTH_RADIUS_AU. Six cones share the Moon's limb: on cone i an
// observer sees the Moon cover i/5 of the Sun's diameter (0 is the outer limit of the
// partial eclipse, 1 to 4 the magnitudes 0.2 to 0.8, 5 the umbra or antumbra).
//
// Every answer is a geographic latitude and longitude in degrees (north and east positive,
// longitude within [-180, 180]) with a Shadow_Status. A query that fails leaves its output
// arguments untouched. All lengths are astronomical units.
//
// A Shadow_State answers for the instant of its last ComputeShadowState; it carries its
// own frame, so several states may be used side by side.
#pragma once

#include <cstdint>

#include "astro/sun_moon.h"

// The outcome of a query for a point of the shadow on the Earth.
enum class Shadow_Status {
    Found,          // the point was found and written
    MissesEarth,    // the line or cone does not meet the Earth
    FarSide,        // it meets the Earth only away from the Sun (or not between Moon and Earth)
    MotionUnknown,  // the direction of motion is not known yet (fewer than two instants)
};

constexpr double MOON_RADIUS_AU = 1.1617e-05;
constexpr double SUN_RADIUS_AU = 0.0046524;
constexpr int SHADOW_CONES = 6;

// The fundamental-plane frame of one instant: unit axes u, v, w in equatorial components,
// with the Moon M and the reference point E, so that the frame coordinates of a point P are
// x' = u.(P - M), y' = v.(P - M), z' = w.(P - E).
struct Shadow_Frame {
    Vector3 u, v, w;
    Vector3 moon;
    Vector3 earth;
};

struct Shadow_State {
    double siderealTime = 0.0;  // radians
    Vector3 earth;              // reference point (the Earth centre); z holds its height, 0
    Vector3 sun;                // x, y overwritten by the frame coordinates, z equatorial
    Vector3 moon;               // likewise
    double x0 = 0.0;            // Earth centre in the frame
    double y0 = 0.0;
    double zSun = 0.0;                  // Sun's height along the axis
    double zMoon = 0.0;                 // Moon's height along the axis
    double motionDirection = 0.0;       // radians, of the Earth centre since the last computation
    double vertex[SHADOW_CONES] = {};   // cone vertex heights
    double tangent[SHADOW_CONES] = {};  // non-negative
    double tangentSquared[SHADOW_CONES] = {};  // tangent^2
    int32_t instantCount = 0;                  // computations since the last reset
    Shadow_Frame frame;                        // frame of the last computation
};

// Sets the instant count to 0 and nothing else.
void ResetShadowState(Shadow_State& state);

// Fills the state for the universal time jd (Julian Day). Returns 0, or 1 when the Sun or
// the Moon lies behind the fundamental plane (the cones then keep their previous values).
int ComputeShadowState(Shadow_State& state, double jd);

// Builds the frame from the reference point E, the Sun vector S and the Moon vector M.
void SetShadowFrame(Shadow_Frame& frame, const Vector3& E, const Vector3& S, const Vector3& M);

// Replaces an equatorial point by its frame coordinates, and back (exact inverses).
void ToShadowFrame(const Shadow_Frame& frame, double& x, double& y, double& z);
void FromShadowFrame(const Shadow_Frame& frame, double& x, double& y, double& z);

// Latitude and longitude in degrees of an equatorial point on the Earth sphere.
void EquatorialToGeographic(const Shadow_State& state, double x, double y, double z,
                            double& latitude, double& longitude);

// Where the shadow axis meets the sunward half of the Earth: Found or MissesEarth.
Shadow_Status AxisPoint(const Shadow_State& state, double& latitude, double& longitude);

// Where the edge of cone `cone` (0..5) in position angle angleDeg (degrees, in the frame's
// x, y plane) meets the sunward half of the Earth: Found, MissesEarth or FarSide.
Shadow_Status ConePoint(const Shadow_State& state, int cone, double angleDeg, double& latitude,
                        double& longitude);

// The limits of the zone that cone `cone` sweeps at this instant, at right angles to the
// Earth centre's motion: MotionUnknown (fewer than two computations since the reset), or
// as ConePoint.
Shadow_Status ConeLimitLeft(const Shadow_State& state, int cone, double& latitude,
                            double& longitude);
Shadow_Status ConeLimitRight(const Shadow_State& state, int cone, double& latitude,
                             double& longitude);

// The two points where cone `cone` crosses the circle on which the Sun stands on the
// horizon: Found (both written, in the order of the two solutions) or MissesEarth.
Shadow_Status ConeHorizonPoints(const Shadow_State& state, int cone, double& latitude1,
                                double& longitude1, double& latitude2, double& longitude2);
