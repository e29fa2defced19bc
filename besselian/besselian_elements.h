// SPDX-License-Identifier: GPL-3.0-or-later
// Besselian elements of one solar eclipse: the Moon's shadow described in the fundamental
// plane (through the Earth's centre, at right angles to the shadow axis), as polynomials in
// the time t = (JDE - t0Jde) x 24, hours of dynamical time (TD) from the reference instant.
//
// Units and frames:
//   x, y   the shadow axis in the fundamental plane, Earth equatorial radii; x towards the
//          east, y towards the north (the plane's y axis lies in the plane of the axis and
//          the Earth's rotation axis of date)
//   d      the declination of the shadow axis (the direction from the Moon to the Sun),
//          degrees, true equator and equinox of date
//   mu     the Greenwich hour angle of the shadow axis, degrees, with the Earth turned to
//          the universal time UT = TD - deltaTSeconds; continuous over the interval (not
//          reduced to 0...360). For another ΔT a place at east longitude L behaves as if
//          it stood at L - 1.002738 x 15 x (ΔT' - ΔT) / 3600 degrees.
//   l1, l2 the radii of the penumbral and umbral cones in the fundamental plane, Earth
//          equatorial radii (l2 < 0 for a total eclipse)
//   tanF1, tanF2  the tangents of the half-angles of the penumbral and umbral cones
//
// The polynomials are valid for t within [tMinHours, tMaxHours]; outside it they are
// extrapolations. Every unused coefficient is 0, so evaluating all MAX_DEGREE + 1 terms is
// always right.
#pragma once

namespace besselian {

constexpr int ELEMENT_TERMS = 8;  // coefficients of t^0 ... t^7

struct Polynomial {
    double c[ELEMENT_TERMS] = {};

    // Value at t (hours from t0).
    double operator()(double t) const {
        double s = c[ELEMENT_TERMS - 1];
        for (int i = ELEMENT_TERMS - 2; i >= 0; --i) {
            s = s * t + c[i];
        }
        return s;
    }
    // First derivative at t, per hour.
    double Derivative(double t) const {
        double s = (ELEMENT_TERMS - 1) * c[ELEMENT_TERMS - 1];
        for (int i = ELEMENT_TERMS - 2; i >= 1; --i) {
            s = s * t + i * c[i];
        }
        return s;
    }
};

struct Besselian_Elements {
    double t0Jde = 0.0;          // reference instant, Julian Ephemeris Day (TD)
    double deltaTSeconds = 0.0;  // TD - UT with which mu was reckoned, seconds
    double tMinHours = -3.0;     // interval of validity, hours from t0
    double tMaxHours = 3.0;
    Polynomial x, y;         // Earth radii
    Polynomial dDeg, muDeg;  // degrees
    Polynomial l1, l2;       // Earth radii
    double tanF1 = 0.0;
    double tanF2 = 0.0;
};

}  // namespace besselian
