// SPDX-License-Identifier: GPL-3.0-or-later
// The physical constants of the precise engine: the Moon's radius in Earth radii for the
// penumbra and the umbra, the Earth's figure (WGS 84 equatorial radius, IAU 1976
// flattening), the astronomical unit, the speed of light and the Sun's radius at 1 AU.
#pragma once

namespace besselian {

constexpr double MOON_K_PENUMBRA = 0.2725076;  // Moon's radius / Earth's equatorial radius
constexpr double MOON_K_UMBRA = 0.272281;      // the same, smaller, for the umbra (mean limb)
constexpr double EARTH_RADIUS_KM = 6378.137;   // equatorial
constexpr double EARTH_FLATTENING = 1.0 / 298.257;
constexpr double EARTH_E2 = EARTH_FLATTENING * (2.0 - EARTH_FLATTENING);  // eccentricity²
constexpr double AU_KM = 149597870.7;
constexpr double LIGHT_KM_PER_S = 299792.458;
constexpr double SUN_RADIUS_ARCSEC_DEFAULT = 959.63;  // at 1 AU
constexpr double SECONDS_PER_DAY = 86400.0;
constexpr double ARCSEC_PER_RAD = 206264.80624709636;
constexpr double PI = 3.14159265358979323846;
constexpr double DEG = PI / 180.0;  // radians per degree
constexpr double J2000_JDE = 2451545.0;
constexpr double DAYS_PER_CENTURY = 36525.0;

}  // namespace besselian
