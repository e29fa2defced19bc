// SPDX-License-Identifier: GPL-3.0-or-later
// Where the overlay centres its ten-hour window: the eclipse's own greatest phase as the
// Sun and Moon positions see it, in the universal time they reckon with.
//
// The search gives its instant as a Julian Ephemeris Day (dynamical time), while the
// positions take universal time and derive their own ephemeris time with their own clock
// correction. Far from the present the two series drift apart by hours, so the overlay
// first converts the instant to the positions' universal time and then looks, within ten
// hours of it, for the instant at which the shadow axis passes closest to the Earth's
// centre.
#pragma once

// The universal time u (Julian Day) for which u + ClockCorrectionSeconds(u) / 86400 = jde.
double PositionsUniversalTime(double jde);

// The instant within +-10 hours of ut (Julian Day, universal time) at which x0^2 + y0^2 of
// a freshly computed shadow state is smallest: the best of the whole minutes -600, -590,
// ... +600 (the first one on a tie), refined by 40 steps of golden-section search over
// the 20 minutes around it; the middle of the last bracket.
double GreatestEclipseUniversalTime(double ut);
