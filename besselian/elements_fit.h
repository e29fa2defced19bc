// SPDX-License-Identifier: GPL-3.0-or-later
// Besselian elements of one solar eclipse from libnova's Sun and Moon: the positions are
// evaluated at a few instants around the eclipse and interpolated, the elements computed
// from the interpolated positions at Chebyshev nodes and turned into polynomials in hours
// of TD from t0 (besselian_elements.h).
//
// t0 is the whole hour of TD nearest the instant given; the polynomials are valid over
// t0 - 4.5 h ... t0 + 4.5 h, which holds every contact of the penumbra with the Earth for a
// starting instant within half an hour of greatest eclipse (the penumbra touches the
// Earth for at most about 6.6 h).
//
// Thread safety: ComputeElements may run on several threads at once.
#pragma once

#include <cmath>

#include "besselian/besselian_elements.h"
#include "besselian/constants.h"

namespace besselian {

struct Engine_Options {
    double deltaTSeconds = NAN;  // TD - UT, seconds; NaN: the model (delta_t.h)
    double sunRadiusArcsec = SUN_RADIUS_ARCSEC_DEFAULT;  // the Sun's radius at 1 AU
};

constexpr double ELEMENTS_HALF_SPAN_HOURS = 4.5;

// The ΔT the engine uses for an eclipse at jde: the model when the option is NaN, else the
// option (an infinite one makes ComputeElements refuse).
double EngineDeltaTSeconds(double jde, const Engine_Options& options);

// Computes the elements for the eclipse near jdeNear (JDE, within about half an hour of
// greatest eclipse). Returns false, leaving elements as they were, when jdeNear is not
// finite or outside the ephemerides' span (-4000 ... +8000), when the ΔT is infinite or
// beyond 1e7 s, when the Sun's radius is not within 0 ... 10000", or when the positions
// come out unusable.
bool ComputeElements(double jdeNear, const Engine_Options& options, Besselian_Elements& elements);

// The elements computed directly at one instant from the full lunar series (no
// interpolation, no truncation; about 4 ms): the reference for checks.
struct Element_Values {
    double x = 0, y = 0, z = 0;  // the Moon in the fundamental frame, Earth radii
    double dDeg = 0, muDeg = 0;  // mu in 0 ... 360
    double l1 = 0, l2 = 0, tanF1 = 0, tanF2 = 0;
};
bool ElementsAtInstant(double jde, double deltaTSeconds, double sunRadiusArcsec,
                       Element_Values& values);

}  // namespace besselian
