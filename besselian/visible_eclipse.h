// Local circumstances straight from an eclipse's instant, and the next (or previous)
// eclipse seen from a place: the lunation search's eclipses in turn, each through the
// precise engine's elements and the local circumstances, until one shows some phase while
// the Sun stands above the horizon there.
//
// Instants: startJde and the result's jde are Julian Ephemeris Days (TD), the lunation
// method's instants of the eclipses; the local circumstances carry UT.
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

struct Visible_Eclipse {
    double jde = 0.0;  // the lunation search's instant of the eclipse, JDE
    Besselian_Elements elements;
    Local_Circumstances local;
};

// Looks at no more than maxEclipses eclipses from startJde on (an eclipse exactly at
// startJde counts) towards later instants when forward, else earlier ones. The options give
// the ΔT (NaN: the model's) and the Sun's radius for the elements and the local
// circumstances alike. False when none of them is seen from the place or the place is not
// valid.
bool FindVisibleEclipse(bool forward, double startJde, const Geodetic_Place& place,
                        const Engine_Options& options, int maxEclipses, Visible_Eclipse& found);

}  // namespace besselian
