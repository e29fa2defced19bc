// SPDX-License-Identifier: GPL-3.0-or-later
// Geocentric positions of the Sun and the Moon for the precise engine, in the mean ecliptic
// and equinox of J2000, kilometres, from libnova's VSOP87 Earth series and its ELP 2000-82B
// lunar series.
//
// The Sun is the negated heliocentric position of the Earth at t - R/c (light time); the
// Moon is its geometric position at t - r/c, with the secular correction below.
//
// Secular correction of the Moon: ELP 2000-82B was fitted to a tidal acceleration of
// -23.895"/cy² and carries its original mean motion. The eclipse canon's Moon uses
// -25.858"/cy² and the later correction of the mean motion, together
//     dL = -0.40324" T - 1/2 x 1.963" T²     (T: Julian centuries of TD from J2000.0)
// in the Moon's mean longitude. It is applied as a shift of the Moon's time alone,
// dt = dL / n with n = 0.549"/s the Moon's mean motion: about -47 min at 2000 BC.
//
// Thread safety: libnova keeps static state in these series (the lunar series its precision
// and a one-entry cache, the Earth's series and the nutation a one-entry cache each), so every
// call into libnova holds LibnovaLock(); the functions here may be called from several
// threads at once, but they take turns inside libnova.
#pragma once

#include <mutex>

#include "besselian/frames.h"

namespace besselian {

// The lock held around every call into libnova.
std::mutex& LibnovaLock();

// The Moon's mean motion used to turn the longitude correction into time, arcsec per second.
constexpr double MOON_MEAN_MOTION_ARCSEC_PER_S = 0.549;

// The correction dL of the Moon's mean longitude above, arcseconds, at an instant of TD.
double MoonSecularLongitudeArcsec(double jde);
// dL / n, seconds: the Moon is taken at jde + this.
double MoonSecularShiftSeconds(double jde);

// Truncation levels of the ELP series (libnova's precision argument; it drops the terms
// below it, but compares before the series' powers of T multiply them, so the error grows
// away from J2000). Measured against the full series, largest position error of the Moon:
//                     cost     AD 2000   1000 / 3000   1 BC    2000 BC
//   full (0)          1.5 ms   0         0             0       0
//   fine  1e-9        0.37 ms  0.010"    0.05"         0.37"   1.5"
//   coarse 1e-7       0.07 ms  0.35"     0.7 ... 1.3"  2.9"    2.9"
// The engine takes the coarse series at the four interpolation nodes and adds the difference
// fine - coarse found at the node nearest t0 (that difference drifts by 0.02" ... 0.5" over
// +-4.5 h, much less near greatest eclipse). A full series for every eclipse would cost
// twice as much as all the rest of the engine.
constexpr double MOON_SERIES_PRECISION_FINE = 1e-9;
constexpr double MOON_SERIES_PRECISION_COARSE = 1e-7;

// libnova's ELP 2000-82B at jdeMoon (no correction, no light time), km, J2000 ecliptic;
// precision 0 is the full series.
Vec3 MoonGeometricKm(double jdeMoon, double precision);
// The Moon as the eclipse sees it at jde: the secular time shift and light time applied.
Vec3 MoonApparentKm(double jde, double precision);
// The Sun as seen from the Earth's centre at jde, light time applied, km.
Vec3 SunApparentKm(double jde);
// The same with the light time given (seconds), as found at a nearby instant.
Vec3 SunApparentKm(double jde, double lightTimeS);

}  // namespace besselian
