// SPDX-License-Identifier: GPL-3.0-or-later
// ΔT = TD - UT, the difference between dynamical time and universal time, in seconds, from
// the polynomial expressions of Espenak and Meeus (valid -1999 ... +3000), with the
// correction for a lunar tidal acceleration of -25.858"/cy² that the published eclipse
// elements use: -0.000012932 (y - 1955)² s outside 1955 ... 2005 only.
//
// Years are astronomical (year 0 = 1 BC, -1999 = 2000 BC) and decimal: the middle of a
// month is y = year + (month - 0.5) / 12. Positive today (about 69 s in 2024).
#pragma once

namespace besselian {

// ΔT in seconds for an astronomical decimal year. Finite for every finite year.
double DeltaTSeconds(double yearFraction);

// The astronomical decimal year of a Julian Day (any time scale): the year plus the fraction
// of it elapsed (Julian calendar before 1583, Gregorian from then on; the days of 1582 that
// the reform dropped only stretch that one year's fraction). The eclipse canon's tabulated
// ΔT follow the polynomials at this exact instant: the middle of the month instead differs
// from them by up to 1.5 s at 2000 BC, where ΔT changes by 24 s a year.
double DecimalYearOfJd(double jd);

// ΔT in seconds at an instant given as a Julian Ephemeris Day (TD), at its decimal year.
double DeltaTSecondsAtJde(double jde);

}  // namespace besselian
