// SPDX-License-Identifier: GPL-3.0-or-later
// Local circumstances straight from an eclipse's instant: the precise engine's elements of
// the eclipse the lunation search found, and what a place sees of it. The command line and
// the window step through the search's eclipses with it to find the ones seen from a place
// (IsVisible).
//
// Instants: jdeNear is a Julian Ephemeris Day (TD), the lunation method's instant of the
// eclipse; the local circumstances carry UT.
#pragma once

#include "besselian/besselian_elements.h"
#include "besselian/elements_fit.h"
#include "besselian/local_circumstances.h"

namespace besselian {

// The elements of the eclipse near jdeNear (the lunation search's instant, JDE) with the
// options (ΔT, NaN: the model's; the Sun's radius), and its local circumstances at the
// place with the same ΔT. False, leaving the outputs as they were, when the engine finds no
// elements.
bool LocalCircumstancesNear(double jdeNear, const Geodetic_Place& place,
                            const Engine_Options& options, Besselian_Elements& elements,
                            Local_Circumstances& local);

}  // namespace besselian
