// A synthetic eclipse for tests: the Sun and the Moon as spheres on one straight shadow
// axis of fixed direction that moves uniformly across a turning flattened Earth. Its
// Besselian elements are exact polynomials of degree one, and the same scene, observed by
// brute force in Earth-fixed coordinates (angles between position vectors, apparent radii
// as arcsines, contacts by bisection on a fine scan), gives the reference against which
// the local circumstances are checked. Distances in Earth equatorial radii, times in hours
// of TD from t0.
#pragma once

#include <algorithm>
#include <cmath>

#include "besselian/besselian_elements.h"
#include "besselian/local_circumstances.h"

namespace besselian {
namespace test {

struct Vec {
    double x = 0.0, y = 0.0, z = 0.0;
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
inline double Norm(Vec a) {
    return std::sqrt(Dot(a, a));
}
inline Vec Unit(Vec a) {
    return (1.0 / Norm(a)) * a;
}
inline double AngleBetween(Vec a, Vec b) {
    return std::atan2(Norm(Cross(a, b)), Dot(a, b));
}

struct Model_Circumstances {
    Local_Type type = Local_Type::None;
    bool contactDefined[4] = {};
    double contactJdUt[4] = {};
    double contactAltitudeDeg[4] = {};
    double contactPositionAngleDeg[4] = {};
    double maximumJdUt = 0.0;
    double maximumAltitudeDeg = 0.0;
    double maximumAzimuthDeg = 0.0;
    double magnitude = 0.0;
    double obscuration = 0.0;
};

// Where the shadow axis through (x, y) of the fundamental plane, of declination dDeg and
// Greenwich hour angle muDeg, meets the ellipsoid on the Sun's side; latitude NaN if it
// misses the Earth.
inline Geodetic_Place PlaceUnderAxisOf(double x, double y, double dDeg, double muDeg) {
    const double mu = muDeg * DEG, d = dDeg * DEG;
    const Vec Z{std::cos(d) * std::cos(mu), -std::cos(d) * std::sin(mu), std::sin(d)};
    const Vec X{std::sin(mu), std::cos(mu), 0.0};
    const Vec Y = Cross(Z, X);
    const Vec a = x * X + y * Y;
    const double b2 = (1.0 - EARTH_FLATTENING) * (1.0 - EARTH_FLATTENING);
    // a + s Z on the ellipsoid x^2 + y^2 + z^2 / b^2 = 1.
    const double qa = Z.x * Z.x + Z.y * Z.y + Z.z * Z.z / b2;
    const double qb = 2.0 * (a.x * Z.x + a.y * Z.y + a.z * Z.z / b2);
    const double qc = a.x * a.x + a.y * a.y + a.z * a.z / b2 - 1.0;
    const double disc = qb * qb - 4.0 * qa * qc;
    if (disc < 0.0) return {NAN, 0.0, 0.0};
    const double s = (-qb + std::sqrt(disc)) / (2.0 * qa);
    const Vec p = a + s * Z;
    return {std::atan2(p.z, b2 * std::hypot(p.x, p.y)) / DEG, std::atan2(p.y, p.x) / DEG, 0.0};
}

struct Synthetic_Eclipse {
    static constexpr double kPi = 3.14159265358979323846;
    static constexpr double kDeg = kPi / 180.0;
    static constexpr double kEarthTurnDegPerHour = 15.04106864;

    double t0Jde = 2460000.25;
    double deltaTSeconds = 69.0;
    double decDeg = 0.0;     // declination of the axis
    double muAtT0Deg = 0.0;  // Greenwich hour angle of the axis when UT reads t0Jde
    double x0 = 0.0, xRate = 0.5, y0 = 0.0, yRate = 0.0;  // axis, Earth radii (per hour)
    double zMoon = 58.0;         // Moon's centre above the fundamental plane
    double zSun = 23455.0;       // Sun's centre above the fundamental plane
    double sunRadius = 109.076;  // 695,700 km
    double tMinHours = -3.0, tMaxHours = 3.0;

    double MuDeg(double t) const {
        return muAtT0Deg + kEarthTurnDegPerHour * (t - deltaTSeconds / 3600.0);
    }
    double SinF1() const { return (sunRadius + MOON_K_PENUMBRA) / (zSun - zMoon); }
    double SinF2() const { return (sunRadius - MOON_K_UMBRA) / (zSun - zMoon); }

    Besselian_Elements Elements() const {
        Besselian_Elements e;
        e.t0Jde = t0Jde;
        e.deltaTSeconds = deltaTSeconds;
        e.tMinHours = tMinHours;
        e.tMaxHours = tMaxHours;
        e.x.c[0] = x0;
        e.x.c[1] = xRate;
        e.y.c[0] = y0;
        e.y.c[1] = yRate;
        e.dDeg.c[0] = decDeg;
        e.muDeg.c[0] = MuDeg(0.0);
        e.muDeg.c[1] = kEarthTurnDegPerHour;
        const double f1 = std::asin(SinF1()), f2 = std::asin(SinF2());
        e.tanF1 = std::tan(f1);
        e.tanF2 = std::tan(f2);
        e.l1.c[0] = zMoon * e.tanF1 + MOON_K_PENUMBRA / std::cos(f1);
        e.l2.c[0] = zMoon * e.tanF2 - MOON_K_UMBRA / std::cos(f2);
        return e;
    }

    // Axes of the fundamental frame in Earth-fixed coordinates at t: towards the east at
    // the point under the axis, towards the north, towards the Sun.
    void Frame(double t, Vec& X, Vec& Y, Vec& Z) const {
        const double mu = MuDeg(t) * kDeg, d = decDeg * kDeg;
        Z = {std::cos(d) * std::cos(mu), -std::cos(d) * std::sin(mu), std::sin(d)};
        X = {std::sin(mu), std::cos(mu), 0.0};
        Y = Cross(Z, X);
    }
    Vec Sun(double t) const {
        Vec X, Y, Z;
        Frame(t, X, Y, Z);
        return (x0 + xRate * t) * X + (y0 + yRate * t) * Y + zSun * Z;
    }
    Vec Moon(double t) const {
        Vec X, Y, Z;
        Frame(t, X, Y, Z);
        return (x0 + xRate * t) * X + (y0 + yRate * t) * Y + zMoon * Z;
    }

    static Vec EarthFixed(const Geodetic_Place& p) {
        const double e2 = EARTH_FLATTENING * (2.0 - EARTH_FLATTENING);
        const double phi = p.latitudeDeg * kDeg, lam = p.longitudeDeg * kDeg;
        const double n = 1.0 / std::sqrt(1.0 - e2 * std::sin(phi) * std::sin(phi));
        const double h = p.heightM / (EARTH_RADIUS_KM * 1000.0);
        return {(n + h) * std::cos(phi) * std::cos(lam), (n + h) * std::cos(phi) * std::sin(lam),
                (n * (1.0 - e2) + h) * std::sin(phi)};
    }

    // Where the axis meets the ellipsoid on the Sun's side at t; latitude NaN if it misses.
    Geodetic_Place PlaceUnderAxis(double t) const {
        return PlaceUnderAxisOf(x0 + xRate * t, y0 + yRate * t, decDeg, MuDeg(t));
    }

    double JdUt(double t) const { return t0Jde + t / 24.0 - deltaTSeconds / 86400.0; }

    // Instant of the least distance from the axis in the fundamental plane.
    double LeastAxisDistanceJdUt(const Geodetic_Place& place) const {
        const Vec p = EarthFixed(place);
        return JdUt(Least(
            [&](double t) {
                Vec X, Y, Z;
                Frame(t, X, Y, Z);
                return std::hypot(x0 + xRate * t - Dot(p, X), y0 + yRate * t - Dot(p, Y));
            },
            tMinHours, tMaxHours));
    }

    Model_Circumstances Observe(const Geodetic_Place& place) const {
        const Vec p = EarthFixed(place);
        const auto separation = [&](double t) { return AngleBetween(Sun(t) - p, Moon(t) - p); };
        const auto sunRadiusAt = [&](double t) { return std::asin(sunRadius / Norm(Sun(t) - p)); };
        const auto moonRadiusAt = [&](double t, double k) {
            return std::asin(k / Norm(Moon(t) - p));
        };
        const auto outer = [&](double t) {
            return separation(t) - sunRadiusAt(t) - moonRadiusAt(t, MOON_K_PENUMBRA);
        };
        const auto inner = [&](double t) {
            return separation(t) - std::fabs(sunRadiusAt(t) - moonRadiusAt(t, MOON_K_UMBRA));
        };
        Model_Circumstances m;
        double roots[4];
        bool found[4] = {};
        Crossings(outer, roots[0], found[0], roots[3], found[3]);
        Crossings(inner, roots[1], found[1], roots[2], found[2]);
        if (!found[0] && !found[3]) return m;
        const double tMax =
            Least(separation, found[0] ? roots[0] : tMinHours, found[3] ? roots[3] : tMaxHours);
        const bool central = found[1] || found[2];
        const bool total = moonRadiusAt(tMax, MOON_K_UMBRA) > sunRadiusAt(tMax);
        m.type = !central ? Local_Type::Partial : total ? Local_Type::Total : Local_Type::Annular;
        const Vec up = Unit(EarthFixed({place.latitudeDeg, place.longitudeDeg, 1000.0}) -
                            EarthFixed({place.latitudeDeg, place.longitudeDeg, 0.0}));
        const Vec pole{0.0, 0.0, 1.0};
        const Vec north = Unit(pole - Dot(pole, up) * up);
        const Vec east = Cross(north, up);
        for (int i = 0; i < 4; ++i) {
            m.contactDefined[i] = found[i];
            if (!found[i]) continue;
            const double t = roots[i];
            m.contactJdUt[i] = JdUt(t);
            const Vec sun = Unit(Sun(t) - p), moon = Unit(Moon(t) - p);
            m.contactAltitudeDeg[i] = std::asin(Dot(AxisDirection(t), up)) / kDeg;
            // North and east on the sky at the Sun; the point of contact lies towards the
            // Moon's centre, or opposite it inside a larger Moon.
            const Vec skyNorth = Unit(pole - Dot(pole, sun) * sun);
            const Vec skyEast = Cross(skyNorth, sun);
            const Vec offset = moon - Dot(moon, sun) * sun;
            const double sign = (i == 1 || i == 2) && total ? -1.0 : 1.0;
            double pa = std::atan2(sign * Dot(offset, skyEast), sign * Dot(offset, skyNorth));
            if (pa < 0.0) pa += 2.0 * kPi;
            m.contactPositionAngleDeg[i] = pa / kDeg;
        }
        m.maximumJdUt = JdUt(tMax);
        const Vec axis = AxisDirection(tMax);
        m.maximumAltitudeDeg = std::asin(Dot(axis, up)) / kDeg;
        double az = std::atan2(Dot(axis, east), Dot(axis, north)) / kDeg;
        m.maximumAzimuthDeg = az < 0.0 ? az + 360.0 : az;
        const double sep = separation(tMax), rs = sunRadiusAt(tMax);
        const double r1 = moonRadiusAt(tMax, MOON_K_PENUMBRA);
        const double r2 = moonRadiusAt(tMax, MOON_K_UMBRA);
        m.magnitude = (rs + r1 - sep) / ((rs + r1) + (rs - r2));
        m.obscuration = GridOverlap(rs, 0.5 * (r1 + r2), sep);
        return m;
    }

  private:
    Vec AxisDirection(double t) const {
        Vec X, Y, Z;
        Frame(t, X, Y, Z);
        return Z;
    }

    // First downward and last upward zero of f, from a scan every 30 s and bisection.
    template <class F>
    void Crossings(F f, double& down, bool& downFound, double& up, bool& upFound) const {
        const double step = 1.0 / 120.0;
        double tPrev = tMinHours, fPrev = f(tPrev);
        downFound = upFound = false;
        for (double t = tMinHours + step; t <= tMaxHours + 1e-9; t += step) {
            const double ft = f(t);
            if (fPrev >= 0.0 && ft < 0.0 && !downFound) {
                down = Bisect(f, tPrev, t);
                downFound = true;
            }
            if (fPrev < 0.0 && ft >= 0.0) {
                up = Bisect(f, tPrev, t);
                upFound = true;
            }
            tPrev = t;
            fPrev = ft;
        }
    }
    template <class F>
    static double Bisect(F f, double a, double b) {
        const bool aNegative = f(a) < 0.0;
        for (int i = 0; i < 60; ++i) {
            const double m = 0.5 * (a + b);
            if ((f(m) < 0.0) == aNegative) {
                a = m;
            } else {
                b = m;
            }
        }
        return 0.5 * (a + b);
    }
    // Least of f in [a, b]: a scan every 30 s, then golden sections.
    template <class F>
    static double Least(F f, double a, double b) {
        const double step = 1.0 / 120.0;
        double best = a, fBest = f(a);
        for (double t = a; t <= b; t += step) {
            const double ft = f(t);
            if (ft < fBest) {
                best = t;
                fBest = ft;
            }
        }
        double lo = std::max(a, best - step), hi = std::min(b, best + step);
        const double g = 0.5 * (std::sqrt(5.0) - 1.0);
        for (int i = 0; i < 80; ++i) {
            const double m1 = hi - g * (hi - lo), m2 = lo + g * (hi - lo);
            if (f(m1) < f(m2)) {
                hi = m2;
            } else {
                lo = m1;
            }
        }
        return 0.5 * (lo + hi);
    }
    // Fraction of a disc of radius sun covered by a disc of radius moon whose centre lies
    // sep away, counted on a 800 x 800 grid.
    static double GridOverlap(double sun, double moon, double sep) {
        const int n = 800;
        long inside = 0, covered = 0;
        for (int i = 0; i < n; ++i) {
            const double x = sun * (2.0 * (i + 0.5) / n - 1.0);
            for (int j = 0; j < n; ++j) {
                const double y = sun * (2.0 * (j + 0.5) / n - 1.0);
                if (x * x + y * y > sun * sun) continue;
                ++inside;
                if ((x - sep) * (x - sep) + y * y <= moon * moon) ++covered;
            }
        }
        return static_cast<double>(covered) / inside;
    }
};

}  // namespace test
}  // namespace besselian
