// A synthetic eclipse for tests: the Sun and the Moon as spheres on one shadow axis of fixed
// direction that moves uniformly across a turning flattened Earth, so that its Besselian
// elements are exact polynomials of degree one. Observed by brute force in Earth-fixed
// coordinates (angles between position vectors, apparent radii as arcsines, contacts from a
// 30 s scan and bisection), the same scene is the reference for the local circumstances.
// Distances in Earth equatorial radii, times in hours of TD from t0.
#pragma once

#include <cmath>

#include "besselian/local_circumstances.h"

namespace besselian {
namespace test {

struct Vec {
    double x, y, z;
};
inline Vec operator+(Vec a, Vec b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec operator-(Vec a, Vec b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec operator*(double k, Vec a) {
    return {k * a.x, k * a.y, k * a.z};
}
inline double Dot(Vec a, Vec b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline Vec Cross(Vec a, Vec b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline Vec Unit(Vec a) {
    return (1.0 / std::sqrt(Dot(a, a))) * a;
}
inline double Angle(Vec a, Vec b) {
    const Vec c = Cross(a, b);
    return std::atan2(std::sqrt(Dot(c, c)), Dot(a, b));
}

// The fundamental frame's axes in Earth-fixed coordinates for an axis of declination
// dDeg and Greenwich hour angle muDeg: east, north, towards the Sun.
inline void FrameOf(double dDeg, double muDeg, Vec& X, Vec& Y, Vec& Z) {
    const double d = dDeg * DEG, mu = muDeg * DEG;
    Z = {std::cos(d) * std::cos(mu), -std::cos(d) * std::sin(mu), std::sin(d)};
    X = {std::sin(mu), std::cos(mu), 0.0};
    Y = Cross(Z, X);
}

inline Vec EarthFixed(const Geodetic_Place& p) {
    const double phi = p.latitudeDeg * DEG, lam = p.longitudeDeg * DEG;
    const double n = 1.0 / std::sqrt(1.0 - EARTH_E2 * std::sin(phi) * std::sin(phi));
    const double h = p.heightM / (EARTH_RADIUS_KM * 1000.0);
    return {(n + h) * std::cos(phi) * std::cos(lam), (n + h) * std::cos(phi) * std::sin(lam),
            (n * (1.0 - EARTH_E2) + h) * std::sin(phi)};
}

// Where the axis through (x, y) meets the ellipsoid on the Sun's side; latitude NaN if it
// misses the Earth.
inline Geodetic_Place PlaceUnderAxisOf(double x, double y, double dDeg, double muDeg) {
    Vec X, Y, Z;
    FrameOf(dDeg, muDeg, X, Y, Z);
    const Vec a = x * X + y * Y;
    const double b2 = 1.0 - EARTH_E2;  // (polar / equatorial radius)^2
    const double qa = Z.x * Z.x + Z.y * Z.y + Z.z * Z.z / b2;
    const double qb = 2.0 * (a.x * Z.x + a.y * Z.y + a.z * Z.z / b2);
    const double qc = a.x * a.x + a.y * a.y + a.z * a.z / b2 - 1.0;
    const double disc = qb * qb - 4.0 * qa * qc;
    if (disc < 0.0) return {NAN, 0.0, 0.0};
    const Vec p = a + ((-qb + std::sqrt(disc)) / (2.0 * qa)) * Z;
    return {std::atan2(p.z, b2 * std::hypot(p.x, p.y)) / DEG, std::atan2(p.y, p.x) / DEG, 0.0};
}

// Least of f over [a, b]: a 30 s scan, then golden sections.
template <class F>
double Least(F f, double a, double b) {
    double best = a;
    for (double t = a; t <= b; t += 1.0 / 120.0) best = f(t) < f(best) ? t : best;
    double lo = std::fmax(a, best - 1.0 / 120.0), hi = std::fmin(b, best + 1.0 / 120.0);
    for (int i = 0; i < 80; ++i) {
        const double m1 = hi - 0.618034 * (hi - lo), m2 = lo + 0.618034 * (hi - lo);
        (f(m1) < f(m2) ? hi : lo) = f(m1) < f(m2) ? m2 : m1;
    }
    return 0.5 * (lo + hi);
}

struct Model_Circumstances {
    Local_Type type = Local_Type::None;
    double contact[4] = {NAN, NAN, NAN, NAN};  // C1...C4, hours; NaN where none
    double contactAltitudeDeg[4] = {}, positionAngleDeg[4] = {};
    double maximum = NAN, maximumAltitudeDeg = 0.0, maximumAzimuthDeg = 0.0, magnitude = 0.0;
};

struct Synthetic_Eclipse {
    double t0Jde = 2460000.25, deltaTSeconds = 69.0;
    double decDeg = 0.0, muAtT0Deg = 0.0;  // hour angle when UT reads t0Jde
    double x0 = 0.0, xRate = 0.5, y0 = 0.0, yRate = 0.0;
    double zMoon = 58.0, zSun = 23455.0, sunRadius = 109.076;  // 695,700 km

    double MuDeg(double t) const { return muAtT0Deg + 15.04106864 * (t - deltaTSeconds / 3600); }

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
    // The Sun's (z = zSun) or the Moon's (z = zMoon) centre, Earth-fixed, at t.
    Vec OnAxis(double t, double z) const {
        Vec X, Y, Z;
        FrameOf(decDeg, MuDeg(t), X, Y, Z);
        return (x0 + xRate * t) * X + (y0 + yRate * t) * Y + z * Z;
    }
    Geodetic_Place PlaceUnderAxis(double t) const {
        return PlaceUnderAxisOf(x0 + xRate * t, y0 + yRate * t, decDeg, MuDeg(t));
    }
    double JdUt(double t) const { return t0Jde + t / 24.0 - deltaTSeconds / 86400.0; }

    // Instant of the least distance from the axis in the fundamental plane.
    double LeastAxisDistance(const Geodetic_Place& place) const {
        const Vec p = EarthFixed(place);
        return Least(
            [&](double t) {
                Vec X, Y, Z;
                FrameOf(decDeg, MuDeg(t), X, Y, Z);
                const Vec c = Cross(OnAxis(t, 0.0) - p, Z);
                return Dot(c, c);
            },
            -3.0, 3.0);
    }

    // Whether the umbra or antumbra reaches the place: the least gap between the limbs'
    // internal contact over the eclipse.
    bool Central(const Geodetic_Place& place) const {
        const Vec p = EarthFixed(place);
        const auto gap = [&](double t) {
            const Vec sun = OnAxis(t, zSun) - p, moon = OnAxis(t, zMoon) - p;
            return Angle(sun, moon) -
                   std::fabs(std::asin(sunRadius / std::sqrt(Dot(sun, sun))) -
                             std::asin(MOON_K_UMBRA / std::sqrt(Dot(moon, moon))));
        };
        return gap(Least(gap, -3.0, 3.0)) < 0.0;
    }

    Model_Circumstances Observe(const Geodetic_Place& place) const {
        const Vec p = EarthFixed(place);
        const auto sun = [&](double t) { return OnAxis(t, zSun) - p; };
        const auto moon = [&](double t) { return OnAxis(t, zMoon) - p; };
        const auto radius = [](Vec v, double r) { return std::asin(r / std::sqrt(Dot(v, v))); };
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
        r.maximum =
            Least([&](double t) { return Angle(sun(t), moon(t)); }, r.contact[0], r.contact[3]);
        const double t = r.maximum, s = radius(sun(t), sunRadius);
        const double m1 = radius(moon(t), MOON_K_PENUMBRA), m2 = radius(moon(t), MOON_K_UMBRA);
        const bool total = m2 > s;
        r.type = std::isnan(r.contact[1]) ? Local_Type::Partial
                 : total                  ? Local_Type::Total
                                          : Local_Type::Annular;
        r.magnitude = (s + m1 - Angle(sun(t), moon(t))) / (2.0 * s + m1 - m2);
        const Vec up =
            Unit(EarthFixed({place.latitudeDeg, place.longitudeDeg, place.heightM + 1000.0}) - p);
        const Vec north = Unit(Vec{0, 0, 1} - up.z * up), east = Cross(north, up);
        const Vec axis = Unit(OnAxis(t, 1e9) - p);  // the Sun without its parallax
        r.maximumAltitudeDeg = std::asin(Dot(axis, up)) / DEG;
        r.maximumAzimuthDeg =
            std::fmod(std::atan2(Dot(axis, east), Dot(axis, north)) / DEG + 360, 360);
        for (int i = 0; i < 4; ++i) {
            if (std::isnan(r.contact[i])) continue;
            const double tc = r.contact[i];
            const Vec toSun = Unit(sun(tc)), toMoon = Unit(moon(tc));
            r.contactAltitudeDeg[i] = std::asin(Dot(Unit(OnAxis(tc, 1e9) - p), up)) / DEG;
            // North and east on the sky at the Sun; the point of contact lies towards the
            // Moon's centre, or opposite it inside a larger Moon.
            const Vec skyNorth = Unit(Vec{0, 0, 1} - toSun.z * toSun);
            const Vec offset = toMoon - Dot(toMoon, toSun) * toSun;
            const double sign = (i == 1 || i == 2) && total ? -1.0 : 1.0;
            const double pa = std::atan2(sign * Dot(offset, Cross(skyNorth, toSun)),
                                         sign * Dot(offset, skyNorth)) /
                              DEG;
            r.positionAngleDeg[i] = std::fmod(pa + 360.0, 360.0);
        }
        return r;
    }
};

}  // namespace test
}  // namespace besselian
