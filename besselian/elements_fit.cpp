// SPDX-License-Identifier: GPL-3.0-or-later
#include "besselian/elements_fit.h"

#include <cmath>

#include "besselian/delta_t.h"
#include "besselian/ephemeris.h"
#include "besselian/frames.h"

namespace besselian {

namespace {

// Instants at which libnova's series are evaluated per eclipse, and at which the elements
// are computed from the interpolated positions (one more than the polynomial degree).
constexpr int EPHEMERIS_NODES = 4;  // the Moon's: within 0.004" over the span
constexpr int SUN_NODES = 3;        // the Sun moves 30 times slower: 3 keep it within 0.003"
constexpr int ELEMENT_NODES = ELEMENT_TERMS;

// The earliest and latest instants the engine accepts (JDE): 4001 BC ... AD 8000.
constexpr double FIRST_JDE = 260423.5;
constexpr double LAST_JDE = 4643000.5;

// Chebyshev node j of n on [-1, 1].
double Node(int j, int n) {
    return std::cos(PI * (j + 0.5) / n);
}

// A vector interpolated over [-1, 1] by a Chebyshev series from its values at the n nodes.
template <int N>
struct Chebyshev_Vec3 {
    Vec3 c[N];

    void Fit(const Vec3 (&values)[N]) {
        for (int k = 0; k < N; ++k) {
            Vec3 s;
            for (int j = 0; j < N; ++j) {
                s = s + std::cos(PI * k * (j + 0.5) / N) * values[j];
            }
            c[k] = (2.0 / N) * s;
        }
        c[0] = 0.5 * c[0];
    }

    Vec3 operator()(double x) const {
        Vec3 b1, b2;
        for (int k = N - 1; k >= 1; --k) {
            const Vec3 b0 = 2 * x * b1 - b2 + c[k];
            b2 = b1;
            b1 = b0;
        }
        return x * b1 - b2 + c[0];
    }
};

// Monomial coefficients in t (t = h x) of the polynomial through the values at the N
// Chebyshev nodes x_j = Node(j, N) of [-1, 1].
Polynomial PolynomialThroughNodes(const double (&values)[ELEMENT_NODES], double h) {
    constexpr int N = ELEMENT_NODES;
    double cheb[N];
    for (int k = 0; k < N; ++k) {
        double s = 0;
        for (int j = 0; j < N; ++j) s += values[j] * std::cos(PI * k * (j + 0.5) / N);
        cheb[k] = 2.0 * s / N;
    }
    cheb[0] *= 0.5;
    // T_k as monomials in x by the recurrence T_{k+1} = 2x T_k - T_{k-1}.
    double tPrev[N] = {1}, tCur[N] = {0, 1};
    double mono[N] = {};
    mono[0] += cheb[0];
    for (int i = 0; i < N; ++i) mono[i] += cheb[1] * tCur[i];
    for (int k = 2; k < N; ++k) {
        double tNext[N] = {};
        for (int i = 0; i < N; ++i) {
            if (i > 0) tNext[i] += 2 * tCur[i - 1];
            tNext[i] -= tPrev[i];
        }
        for (int i = 0; i < N; ++i) {
            tPrev[i] = tCur[i];
            tCur[i] = tNext[i];
            mono[i] += cheb[k] * tCur[i];
        }
    }
    Polynomial p;
    double scale = 1;
    for (int i = 0; i < N; ++i) {
        p.c[i] = mono[i] / scale;
        scale *= h;
    }
    return p;
}

// The Besselian elements from the Sun's and the Moon's geocentric vectors (km, J2000
// ecliptic) at an instant.
Element_Values ElementsFromPositions(const Vec3& sunKm, const Vec3& moonKm, double jde,
                                     double deltaTSeconds, double sunRadiusArcsec,
                                     const Nutation& nutation) {
    const Mat3 toDate = EclipticJ2000ToTrueEquator(jde, nutation);
    const Vec3 sun = (1.0 / EARTH_RADIUS_KM) * (toDate * sunKm);
    const Vec3 moon = (1.0 / EARTH_RADIUS_KM) * (toDate * moonKm);
    const Vec3 axis = sun - moon;
    const double g = Norm(axis);
    const Vec3 k = (1.0 / g) * axis;
    const double d = std::asin(k.z);
    const double a = std::atan2(k.y, k.x);
    const Vec3 east{-std::sin(a), std::cos(a), 0};
    const Vec3 north{-std::sin(d) * std::cos(a), -std::sin(d) * std::sin(a), std::cos(d)};

    Element_Values v;
    v.x = Dot(moon, east);
    v.y = Dot(moon, north);
    v.z = Dot(moon, k);
    v.dDeg = d / DEG;
    const double jdUt = jde - deltaTSeconds / SECONDS_PER_DAY;
    double mu = std::fmod((ApparentSiderealTime(jdUt, jde, nutation) - a) / DEG, 360.0);
    if (mu < 0) mu += 360.0;
    v.muDeg = mu;
    const double sunRadius = sunRadiusArcsec / ARCSEC_PER_RAD * AU_KM / EARTH_RADIUS_KM;
    const double sinF1 = (sunRadius + MOON_K_PENUMBRA) / g;
    const double sinF2 = (sunRadius - MOON_K_UMBRA) / g;
    const double cosF1 = std::sqrt(1 - sinF1 * sinF1);
    const double cosF2 = std::sqrt(1 - sinF2 * sinF2);
    v.tanF1 = sinF1 / cosF1;
    v.tanF2 = sinF2 / cosF2;
    v.l1 = v.z * v.tanF1 + MOON_K_PENUMBRA / cosF1;
    v.l2 = v.z * v.tanF2 - MOON_K_UMBRA / cosF2;
    return v;
}

bool Usable(double sunRadiusArcsec, double deltaTSeconds, double jde) {
    return std::isfinite(jde) && jde >= FIRST_JDE && jde <= LAST_JDE &&
           std::isfinite(deltaTSeconds) && std::fabs(deltaTSeconds) <= 1e7 &&
           std::isfinite(sunRadiusArcsec) && sunRadiusArcsec > 0 && sunRadiusArcsec < 10000;
}

bool Finite(const Element_Values& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z) &&
           std::isfinite(v.dDeg) && std::isfinite(v.muDeg) && std::isfinite(v.l1) &&
           std::isfinite(v.l2) && std::isfinite(v.tanF1) && std::isfinite(v.tanF2);
}

}  // namespace

double EngineDeltaTSeconds(double jde, const Engine_Options& options) {
    return std::isnan(options.deltaTSeconds) ? DeltaTSecondsAtJde(jde) : options.deltaTSeconds;
}

bool ElementsAtInstant(double jde, double deltaTSeconds, double sunRadiusArcsec,
                       Element_Values& values) {
    if (!Usable(sunRadiusArcsec, deltaTSeconds, jde)) return false;
    const Element_Values v = ElementsFromPositions(SunApparentKm(jde), MoonApparentKm(jde, 0), jde,
                                                   deltaTSeconds, sunRadiusArcsec, NutationAt(jde));
    if (!Finite(v)) return false;
    values = v;
    return true;
}

bool ComputeElements(double jdeNear, const Engine_Options& options, Besselian_Elements& elements) {
    if (!std::isfinite(jdeNear) || jdeNear < FIRST_JDE || jdeNear > LAST_JDE) return false;
    const double t0 = std::floor(jdeNear * 24 + 0.5) / 24 + 0.0;  // whole hour of TD
    const double deltaT = EngineDeltaTSeconds(t0, options);
    if (!Usable(options.sunRadiusArcsec, deltaT, t0)) return false;

    const double h = ELEMENTS_HALF_SPAN_HOURS;
    // The ephemerides are interpolated over a slightly wider span, so that the Moon can be
    // taken light time earlier than the earliest element node.
    const double hEph = (h + 0.05) / 24.0;  // days

    // The Sun at its nodes with the light time of 1 AU; the light time of its real distance
    // then only shifts the instant at which that series is read (the Sun at t - R/c).
    Vec3 sunAt[SUN_NODES], moonAt[EPHEMERIS_NODES];
    const double auLightS = AU_KM / LIGHT_KM_PER_S;
    for (int j = 0; j < SUN_NODES; ++j) {
        sunAt[j] = SunApparentKm(t0 + hEph * Node(j, SUN_NODES), auLightS);
    }
    const double shiftDays = MoonSecularShiftSeconds(t0) / SECONDS_PER_DAY;
    for (int j = 0; j < EPHEMERIS_NODES; ++j) {
        const double jde = t0 + hEph * Node(j, EPHEMERIS_NODES);
        moonAt[j] = MoonGeometricKm(jde + shiftDays, MOON_SERIES_PRECISION_COARSE);
    }
    // Correct the coarse series by the fine one, found at the node nearest t0 (the correction
    // drifts by at most a few 0.01" over the span).
    const int nearest = EPHEMERIS_NODES / 2;
    const Vec3 fineCorrection =
        MoonGeometricKm(t0 + hEph * Node(nearest, EPHEMERIS_NODES) + shiftDays,
                        MOON_SERIES_PRECISION_FINE) -
        moonAt[nearest];
    for (Vec3& m : moonAt) m = m + fineCorrection;
    Chebyshev_Vec3<SUN_NODES> sun;
    Chebyshev_Vec3<EPHEMERIS_NODES> moon;
    sun.Fit(sunAt);
    moon.Fit(moonAt);
    static_assert(SUN_NODES % 2 == 1, "the middle node must lie at t0");
    const double sunShiftDays =
        (auLightS - Norm(sunAt[SUN_NODES / 2]) / LIGHT_KM_PER_S) / SECONDS_PER_DAY;

    const Nutation nutation = NutationAt(t0);
    double x[ELEMENT_NODES], y[ELEMENT_NODES], d[ELEMENT_NODES], mu[ELEMENT_NODES];
    double l1[ELEMENT_NODES], l2[ELEMENT_NODES];
    double tanF1 = 0, tanF2 = 0;
    for (int j = 0; j < ELEMENT_NODES; ++j) {
        const double jde = t0 + h / 24.0 * Node(j, ELEMENT_NODES);
        // Light time of the Moon: its position r/c earlier. The secular shift varies by
        // milliseconds over the span and is taken at t0.
        Vec3 m = moon((jde - t0) / hEph);
        m = moon((jde - Norm(m) / LIGHT_KM_PER_S / SECONDS_PER_DAY - t0) / hEph);
        const Element_Values v =
            ElementsFromPositions(sun((jde + sunShiftDays - t0) / hEph), m, jde, deltaT,
                                  options.sunRadiusArcsec, nutation);
        if (!Finite(v)) return false;
        x[j] = v.x;
        y[j] = v.y;
        d[j] = v.dDeg;
        mu[j] = v.muDeg;
        l1[j] = v.l1;
        l2[j] = v.l2;
        tanF1 += v.tanF1 / ELEMENT_NODES;
        tanF2 += v.tanF2 / ELEMENT_NODES;
    }
    // mu grows by about 15 degrees an hour: make it continuous from the first node
    // (the nodes run from the end of the span to its start).
    for (int j = ELEMENT_NODES - 2; j >= 0; --j) {
        while (mu[j] < mu[j + 1]) mu[j] += 360.0;
        while (mu[j] - mu[j + 1] > 360.0) mu[j] -= 360.0;
    }
    Besselian_Elements e;
    e.t0Jde = t0;
    e.deltaTSeconds = deltaT;
    e.tMinHours = -h;
    e.tMaxHours = h;
    e.x = PolynomialThroughNodes(x, h);
    e.y = PolynomialThroughNodes(y, h);
    e.dDeg = PolynomialThroughNodes(d, h);
    e.muDeg = PolynomialThroughNodes(mu, h);
    e.l1 = PolynomialThroughNodes(l1, h);
    e.l2 = PolynomialThroughNodes(l2, h);
    e.tanF1 = tanF1;
    e.tanF2 = tanF2;
    // Keep mu near 0 ... 360 at t0.
    const double turns = std::floor(e.muDeg.c[0] / 360.0);
    e.muDeg.c[0] -= 360.0 * turns;
    for (int i = 0; i < ELEMENT_TERMS; ++i) {
        if (!std::isfinite(e.x.c[i]) || !std::isfinite(e.y.c[i]) || !std::isfinite(e.dDeg.c[i]) ||
            !std::isfinite(e.muDeg.c[i]) || !std::isfinite(e.l1.c[i]) || !std::isfinite(e.l2.c[i]))
            return false;
    }
    elements = e;
    return true;
}

}  // namespace besselian
