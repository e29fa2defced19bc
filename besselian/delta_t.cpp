// SPDX-License-Identifier: GPL-3.0-or-later
#include "besselian/delta_t.h"

#include <cmath>

namespace besselian {

double DeltaTSeconds(double y) {
    if (!std::isfinite(y)) return 0.0;
    double dt;
    if (y < -500) {
        const double u = (y - 1820) / 100;
        dt = -20 + 32 * u * u;
    } else if (y < 500) {
        const double u = y / 100;
        dt = 10583.6 +
             u * (-1014.41 +
                  u * (33.78311 +
                       u * (-5.952053 + u * (-0.1798452 + u * (0.022174192 + u * 0.0090316521)))));
    } else if (y < 1600) {
        const double u = (y - 1000) / 100;
        dt = 1574.2 +
             u * (-556.01 +
                  u * (71.23472 +
                       u * (0.319781 + u * (-0.8503463 + u * (-0.005050998 + u * 0.0083572073)))));
    } else if (y < 1700) {
        const double t = y - 1600;
        dt = 120 + t * (-0.9808 + t * (-0.01532 + t / 7129));
    } else if (y < 1800) {
        const double t = y - 1700;
        dt = 8.83 + t * (0.1603 + t * (-0.0059285 + t * (0.00013336 - t / 1174000)));
    } else if (y < 1860) {
        const double t = y - 1800;
        dt = 13.72 +
             t * (-0.332447 +
                  t * (0.0068612 +
                       t * (0.0041116 +
                            t * (-0.00037436 +
                                 t * (0.0000121272 + t * (-0.0000001699 + t * 0.000000000875))))));
    } else if (y < 1900) {
        const double t = y - 1860;
        dt = 7.62 +
             t * (0.5737 + t * (-0.251754 + t * (0.01680668 + t * (-0.0004473624 + t / 233174))));
    } else if (y < 1920) {
        const double t = y - 1900;
        dt = -2.79 + t * (1.494119 + t * (-0.0598939 + t * (0.0061966 - t * 0.000197)));
    } else if (y < 1941) {
        const double t = y - 1920;
        dt = 21.20 + t * (0.84493 + t * (-0.076100 + t * 0.0020936));
    } else if (y < 1961) {
        const double t = y - 1950;
        dt = 29.07 + t * (0.407 + t * (-1.0 / 233 + t / 2547));
    } else if (y < 1986) {
        const double t = y - 1975;
        dt = 45.45 + t * (1.067 + t * (-1.0 / 260 - t / 718));
    } else if (y < 2005) {
        const double t = y - 2000;
        dt = 63.86 + t * (0.3345 + t * (-0.060374 +
                                        t * (0.0017275 + t * (0.000651814 + t * 0.00002373599))));
    } else if (y < 2050) {
        const double t = y - 2000;
        dt = 62.92 + t * (0.32217 + t * 0.005589);
    } else if (y < 2150) {
        const double u = (y - 1820) / 100;
        dt = -20 + 32 * u * u - 0.5628 * (2150 - y);
    } else {
        const double u = (y - 1820) / 100;
        dt = -20 + 32 * u * u;
    }
    // The polynomials were fitted with a lunar tidal acceleration of -26"/cy²; the eclipse
    // elements use -25.858"/cy², which shifts ΔT outside the span of modern observations.
    if (y < 1955 || y > 2005) dt -= 0.000012932 * (y - 1955) * (y - 1955);
    return dt;
}

namespace {

// Julian Day of 0h on 1 January of an astronomical year: Julian calendar before 1583,
// Gregorian from then on (Meeus, Astronomical Algorithms, ch. 7).
double JdOfNewYear(double year) {
    const double y = year - 1;  // January counts as month 13 of the year before
    double b = 0;
    if (year > 1582) {
        const double a = std::floor(y / 100);
        b = 2 - a + std::floor(a / 4);
    }
    return std::floor(365.25 * (y + 4716)) + std::floor(30.6001 * 14) + 1 + b - 1524.5;
}

}  // namespace

double DecimalYearOfJd(double jd) {
    if (!std::isfinite(jd)) return 0.0;
    // Far outside any calendar the year steps would not move the number: a plain ratio.
    if (std::fabs(jd) > 1e9) return (jd - 1721057.5) / 365.2425;
    double year = std::floor((jd - 1721058.5) / 365.2425);  // within a year of the truth
    while (JdOfNewYear(year) > jd) year -= 1;
    while (JdOfNewYear(year + 1) <= jd) year += 1;
    const double start = JdOfNewYear(year);
    return year + (jd - start) / (JdOfNewYear(year + 1) - start);
}

double DeltaTSecondsAtJde(double jde) {
    return DeltaTSeconds(DecimalYearOfJd(jde));
}

}  // namespace besselian
