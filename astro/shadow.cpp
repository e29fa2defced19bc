// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/shadow.h"

#include <cmath>

#include "units/angles.h"

namespace {

constexpr double EARTH_RADIUS_SQUARED_AU2 = 1.8177432250000002e-9;
constexpr double EARTH_DIAMETER_AU = 8.527e-05;

double Dot(const Vector3& a, const Vector3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// The equatorial point of the frame point (x', y', z') on the Earth sphere, as latitude and
// longitude.
void FramePointToGeographic(const Shadow_State& state, double x, double y, double z,
                            double& latitude, double& longitude) {
    FromShadowFrame(state.frame, x, y, z);
    EquatorialToGeographic(state, x, y, z, latitude, longitude);
}

Shadow_Status ConeLimit(const Shadow_State& state, int cone, double turnDeg, double& latitude,
                        double& longitude) {
    if (state.instantCount < 2) return Shadow_Status::MotionUnknown;
    return ConePoint(state, cone, Degrees(state.motionDirection) + turnDeg, latitude, longitude);
}

}  // namespace

void ResetShadowState(Shadow_State& state) {
    state.instantCount = 0;
}

void SetShadowFrame(Shadow_Frame& frame, const Vector3& E, const Vector3& S, const Vector3& M) {
    const Vector3 d{S.x - M.x, S.y - M.y, S.z - M.z};
    const double rho = std::sqrt(d.x * d.x + d.y * d.y);
    const double r = std::sqrt(rho * rho + d.z * d.z);
    frame.w = {d.x / r, d.y / r, d.z / r};
    frame.u = {d.y / rho, -d.x / rho, 0.0};
    frame.v = {d.x * d.z / (rho * r), d.y * d.z / (rho * r), -(rho * rho) / (rho * r)};
    frame.moon = M;
    frame.earth = E;
}

void ToShadowFrame(const Shadow_Frame& frame, double& x, double& y, double& z) {
    const Vector3 fromMoon{x - frame.moon.x, y - frame.moon.y, z - frame.moon.z};
    const Vector3 fromEarth{x - frame.earth.x, y - frame.earth.y, z - frame.earth.z};
    x = Dot(frame.u, fromMoon);
    y = Dot(frame.v, fromMoon);
    z = Dot(frame.w, fromEarth);
}

void FromShadowFrame(const Shadow_Frame& frame, double& x, double& y, double& z) {
    // u, v, w are orthonormal, so P = M + x' u + y' v + h w, where h = z' - w.(M - E) is the
    // height above the Moon along the axis.
    const Vector3 moonFromEarth{frame.moon.x - frame.earth.x, frame.moon.y - frame.earth.y,
                                frame.moon.z - frame.earth.z};
    const double h = z - Dot(frame.w, moonFromEarth);
    const double a = x;
    const double b = y;
    x = frame.moon.x + a * frame.u.x + b * frame.v.x + h * frame.w.x;
    y = frame.moon.y + a * frame.u.y + b * frame.v.y + h * frame.w.y;
    z = frame.moon.z + a * frame.u.z + b * frame.v.z + h * frame.w.z;
}

int ComputeShadowState(Shadow_State& state, double jd) {
    const Sun_Moon_Position position = SunMoonPosition(jd);
    state.siderealTime = position.siderealTime;
    state.sun = position.sun;
    state.moon = position.moon;

    state.earth = {0.0, 0.0, 0.0};
    SetShadowFrame(state.frame, state.earth, state.sun, state.moon);

    const double previousX0 = state.x0;
    const double previousY0 = state.y0;

    ToShadowFrame(state.frame, state.earth.x, state.earth.y, state.earth.z);
    state.x0 = state.earth.x;
    state.y0 = state.earth.y;
    state.motionDirection = std::atan2(state.y0 - previousY0, state.x0 - previousX0);

    ToShadowFrame(state.frame, state.sun.x, state.sun.y, state.sun.z);
    ToShadowFrame(state.frame, state.moon.x, state.moon.y, state.moon.z);
    state.zSun = state.sun.z;
    state.zMoon = state.moon.z;
    state.instantCount += 1;

    if (state.zSun < 0 || state.zMoon < 0) return 1;

    for (int i = 0; i < SHADOW_CONES; ++i) {
        // s runs +1, +0.6, +0.2, -0.2, -0.6, -1 solar radii.
        const double s = (1.0 - 2.0 * i / 5.0) * SUN_RADIUS_AU;
        state.vertex[i] = (s * state.zMoon + state.zSun * MOON_RADIUS_AU) / (s + MOON_RADIUS_AU);
        const double f = (s + MOON_RADIUS_AU) / (state.zSun - state.zMoon);
        state.tangentSquared[i] = f * f / (1 - f * f);
        state.tangent[i] = std::sqrt(state.tangentSquared[i]);
    }
    return 0;
}

void EquatorialToGeographic(const Shadow_State& state, double x, double y, double z,
                            double& latitude, double& longitude) {
    latitude = Degrees(std::asin(z / EARTH_RADIUS_AU));
    longitude = WrapLongitudeDeg(Degrees(std::atan2(y, x) - state.siderealTime));
}

Shadow_Status AxisPoint(const Shadow_State& state, double& latitude, double& longitude) {
    const double x0 = state.x0;
    const double y0 = state.y0;
    if (std::sqrt(x0 * x0 + y0 * y0) >= EARTH_RADIUS_AU) return Shadow_Status::MissesEarth;
    const double zeta = std::sqrt(EARTH_RADIUS_SQUARED_AU2 - x0 * x0 - y0 * y0);
    FramePointToGeographic(state, 0.0, 0.0, zeta, latitude, longitude);
    return Shadow_Status::Found;
}

Shadow_Status ConePoint(const Shadow_State& state, int cone, double angleDeg, double& latitude,
                        double& longitude) {
    const double theta = Radians(angleDeg);
    const double kappa = std::cos(theta);
    const double sigma = std::sin(theta);
    const double V = state.vertex[cone];
    const double t = state.tangent[cone];
    const double t2 = state.tangentSquared[cone];
    const double x0 = state.x0;
    const double y0 = state.y0;

    const double B = 2 * t * (kappa * x0 + sigma * y0);
    const double a = 1 + t2;
    const double b = B - 2 * t2 * V;
    const double c = t2 * V * V - B * V + x0 * x0 + y0 * y0 - EARTH_RADIUS_SQUARED_AU2;
    const double discriminant = b * b - 4 * a * c;
    if (discriminant < 0) return Shadow_Status::MissesEarth;
    const double z = (-b + std::sqrt(discriminant)) / (2 * a);           // the sunward root
    if (!(z > 0 && z < EARTH_RADIUS_AU)) return Shadow_Status::FarSide;  // also refuses NaN
    FramePointToGeographic(state, (V - z) * t * kappa, (V - z) * t * sigma, z, latitude, longitude);
    return Shadow_Status::Found;
}

Shadow_Status ConeLimitLeft(const Shadow_State& state, int cone, double& latitude,
                            double& longitude) {
    return ConeLimit(state, cone, 90.0, latitude, longitude);
}

Shadow_Status ConeLimitRight(const Shadow_State& state, int cone, double& latitude,
                             double& longitude) {
    return ConeLimit(state, cone, -90.0, latitude, longitude);
}

Shadow_Status ConeHorizonPoints(const Shadow_State& state, int cone, double& latitude1,
                                double& longitude1, double& latitude2, double& longitude2) {
    const double x0 = state.x0;
    const double y0 = state.y0;
    const double L2 = state.vertex[cone] * state.vertex[cone] * state.tangentSquared[cone];
    const double k = (L2 - x0 * x0 - y0 * y0 - EARTH_RADIUS_SQUARED_AU2) / EARTH_DIAMETER_AU;
    const double q2 = x0 * x0 + y0 * y0 - k * k;
    if (q2 < 0) return Shadow_Status::MissesEarth;
    const double q = std::sqrt(q2);
    const double phi1 = 2 * std::atan2(y0 - q, k + x0);
    const double phi2 = 2 * std::atan2(y0 + q, k + x0);
    FramePointToGeographic(state, x0 + EARTH_RADIUS_AU * std::cos(phi1),
                           y0 + EARTH_RADIUS_AU * std::sin(phi1), 0.0, latitude1, longitude1);
    FramePointToGeographic(state, x0 + EARTH_RADIUS_AU * std::cos(phi2),
                           y0 + EARTH_RADIUS_AU * std::sin(phi2), 0.0, latitude2, longitude2);
    return Shadow_Status::Found;
}
