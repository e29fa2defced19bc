// SPDX-License-Identifier: GPL-3.0-or-later
// A synthetic eclipse for tests: the Sun and the Moon as spheres on one shadow axis of fixed
// direction that moves uniformly across a turning flattened Earth, so that its Besselian
// elements are exact polynomials of degree one. Observed by brute force in Earth-fixed
// coordinates (angles between position vectors, apparent radii as arcsines, contacts from a
// 30 s scan and bisection), the same scene is the reference for what the published tables
// leave out: the contacts' position angles, and places at the poles, on the antimeridian and
// at the extreme heights.
// Distances in Earth equatorial radii, times in hours of TD from t0.
#pragma once

#include <cmath>

#include "besselian/frames.h"
#include "besselian/local_circumstances.h"

namespace besselian {
namespace test {

inline Vec3 Cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline Vec3 Unit(Vec3 a) {
    return (1.0 / Norm(a)) * a;
}
inline double Angle(Vec3 a, Vec3 b) {
    return std::atan2(Norm(Cross(a, b)), Dot(a, b));
}

inline Vec3 EarthFixed(const Geodetic_Place& p) {
    const double phi = p.latitudeDeg * DEG, lam = p.longitudeDeg * DEG;
    const double n = 1.0 / std::sqrt(1.0 - EARTH_E2 * std::sin(phi) * std::sin(phi));
    const double h = p.heightM / (EARTH_RADIUS_KM * 1000.0);
    return {(n + h) * std::cos(phi) * std::cos(lam), (n + h) * std::cos(phi) * std::sin(lam),
            (n * (1.0 - EARTH_E2) + h) * std::sin(phi)};
}

struct Model_Circumstances {
    Local_Type type = Local_Type::None;
    double contact[4] = {NAN, NAN, NAN, NAN};  // C1...C4, hours; NaN where none
    double contactAltitudeDeg[4] = {}, positionAngleDeg[4] = {};
};

struct Synthetic_Eclipse {
    double decDeg, muAtT0Deg;  // the axis' declination, and its hour angle when UT reads t0
    double x0, xRate, y0, yRate, zMoon;
    double deltaTSeconds = 69.0, t0Jde = 2460000.25;
    double zSun = 23455.0, sunRadius = 109.076;  // 1 AU, 695,700 km

    double MuDeg(double t) const { return muAtT0Deg + 15.04106864 * (t - deltaTSeconds / 3600); }
    double JdUt(double t) const { return t0Jde + t / 24.0 - deltaTSeconds / 86400.0; }

    Besselian_Elements Elements() const {
        Besselian_Elements e;
        e.t0Jde = t0Jde;
        e.deltaTSeconds = deltaTSeconds;
        e.x.c[0] = x0, e.x.c[1] = xRate, e.y.c[0] = y0, e.y.c[1] = yRate;
        e.dDeg.c[0] = decDeg;
        e.muDeg.c[0] = MuDeg(0.0), e.muDeg.c[1] = 15.04106864;
        const double f1 = std::asin((sunRadius + MOON_K_PENUMBRA) / (zSun - zMoon));
        const double f2 = std::asin((sunRadius - MOON_K_UMBRA) / (zSun - zMoon));
        e.tanF1 = std::tan(f1), e.tanF2 = std::tan(f2);
        e.l1.c[0] = zMoon * e.tanF1 + MOON_K_PENUMBRA / std::cos(f1);
        e.l2.c[0] = zMoon * e.tanF2 - MOON_K_UMBRA / std::cos(f2);
        return e;
    }
    // The point of the axis at height z above the fundamental plane, Earth-fixed, at t.
    Vec3 OnAxis(double t, double z) const {
        const double d = decDeg * DEG, mu = MuDeg(t) * DEG;
        const Vec3 Z{std::cos(d) * std::cos(mu), -std::cos(d) * std::sin(mu), std::sin(d)};
        const Vec3 X{std::sin(mu), std::cos(mu), 0.0};
        return (x0 + xRate * t) * X + (y0 + yRate * t) * Cross(Z, X) + z * Z;
    }

    Model_Circumstances Observe(const Geodetic_Place& place) const {
        const Vec3 p = EarthFixed(place);
        const auto sun = [&](double t) { return OnAxis(t, zSun) - p; };
        const auto moon = [&](double t) { return OnAxis(t, zMoon) - p; };
        const auto radius = [](Vec3 v, double r) { return std::asin(r / Norm(v)); };
        const auto gap = [&](double t, int phase) {  // < 0 during that phase
            const double s = radius(sun(t), sunRadius);
            const double m = radius(moon(t), phase ? MOON_K_UMBRA : MOON_K_PENUMBRA);
            return Angle(sun(t), moon(t)) - (phase ? std::fabs(s - m) : s + m);
        };
        Model_Circumstances r;
        for (int phase = 0; phase < 2; ++phase) {
            for (double t = -3.0; t < 3.0; t += 1.0 / 120.0) {
                double a = t, b = t + 1.0 / 120.0;
                const bool in = gap(a, phase) < 0.0;
                if (in == (gap(b, phase) < 0.0)) continue;
                for (int i = 0; i < 50; ++i)
                    ((gap(0.5 * (a + b), phase) < 0.0) == in ? a : b) = 0.5 * (a + b);
                r.contact[in ? 3 - phase : phase] = 0.5 * (a + b);
            }
        }
        if (std::isnan(r.contact[0])) return r;
        const bool total = !std::isnan(r.contact[1]) && radius(moon(r.contact[1]), MOON_K_UMBRA) >
                                                            radius(sun(r.contact[1]), sunRadius);
        r.type = std::isnan(r.contact[1]) ? Local_Type::Partial
                 : total                  ? Local_Type::Total
                                          : Local_Type::Annular;
        const Vec3 up =
            Unit(EarthFixed({place.latitudeDeg, place.longitudeDeg, place.heightM + 1000.0}) - p);
        const auto altitude = [&](double u) {  // of the Sun without its parallax
            return std::asin(Dot(Unit(OnAxis(u, 1e9) - p), up)) / DEG;
        };
        for (int i = 0; i < 4; ++i) {
            if (std::isnan(r.contact[i])) continue;
            const Vec3 toSun = Unit(sun(r.contact[i])), toMoon = Unit(moon(r.contact[i]));
            r.contactAltitudeDeg[i] = altitude(r.contact[i]);
            // North and east on the sky at the Sun; the point of contact lies towards the
            // Moon's centre, or opposite it inside a larger Moon.
            const Vec3 skyNorth = Unit(Vec3{0, 0, 1} - toSun.z * toSun);
            const Vec3 offset = toMoon - Dot(toMoon, toSun) * toSun;
            const double sign = (i == 1 || i == 2) && total ? -1.0 : 1.0;
            const double pa = std::atan2(sign * Dot(offset, Cross(skyNorth, toSun)),
                                         sign * Dot(offset, skyNorth));
            r.positionAngleDeg[i] = std::fmod(pa / DEG + 360.0, 360.0);
        }
        return r;
    }
};

}  // namespace test
}  // namespace besselian
