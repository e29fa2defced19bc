// SPDX-License-Identifier: GPL-3.0-or-later
// Global circumstances of a solar eclipse from the precise engine: the instant of greatest
// eclipse (the least distance of the shadow axis from the Earth's centre in the
// fundamental plane), gamma, magnitude, type, and the place of greatest eclipse with the
// Sun's altitude there, the path's width and the central phase's duration.
//
// Instants are Julian Days: greatestJde in TD, greatestJdUt = greatestJde - ΔT / 86400.
// Places are geodetic degrees, longitude east positive in -180 ... 180, on the flattened
// Earth. Values that an eclipse does not define are NaN (path width and duration of a
// non-central or partial eclipse). Thread-safe.
#pragma once

#include <vector>

#include "besselian/besselian_elements.h"
#include "besselian/elements_fit.h"

namespace besselian {

enum class Global_Status {
    Ok,              // all fields hold
    NoElements,      // the instant or options were unusable: nothing holds
    NoShadowOnEarth  // the penumbra misses the Earth: only the elements, instant and gamma hold
};

enum class Eclipse_Type { Partial, Annular, Total, Hybrid };

// "Partial", "Annular", "Total", "Hybrid".
const char* EclipseTypeName(Eclipse_Type type);

struct Global_Circumstances {
    Global_Status status = Global_Status::NoElements;
    Besselian_Elements elements;  // the elements everything here was derived from
    double greatestJde = NAN;     // TD
    double greatestJdUt = NAN;    // UT
    double deltaTSeconds = NAN;   // TD - UT used
    double greatestHours = NAN;   // greatest eclipse in hours from elements.t0Jde
    double gamma = NAN;           // Earth radii, + when the axis passes north of the centre
    // For a central eclipse the ratio of the Moon's apparent diameter to the Sun's at the
    // place of greatest eclipse; otherwise the fraction of the Sun's diameter covered there.
    double magnitude = NAN;
    Eclipse_Type type = Eclipse_Type::Partial;
    bool central = false;                              // the shadow axis meets the Earth
    double latitudeDeg = NAN, longitudeDeg = NAN;      // place of greatest eclipse
    double sunAltitudeDeg = NAN, sunAzimuthDeg = NAN;  // there; azimuth from north via east
    double pathWidthKm = NAN;       // of the umbra/antumbra there, across the central line
    double centralDurationS = NAN;  // of totality/annularity there
};

// The global circumstances of the eclipse near jdeNear (JDE of the lunation method, within
// about half an hour of greatest eclipse).
Global_Circumstances ComputeGlobalCircumstances(double jdeNear, const Engine_Options& options);

// The same from elements already computed.
Global_Circumstances GlobalCircumstancesFromElements(const Besselian_Elements& elements,
                                                     double jdeNear);

// Many eclipses at once, in the order given, shared among workerCount workers (1 ... 16):
// this process and workerCount - 1 child processes that it forks and waits for (libnova's
// series run under one lock, so threads would only take turns). Each result is the same as
// ComputeGlobalCircumstances gives; work a child fails to deliver is done here. Call it
// while no other thread of the program is inside the engine (a child inherits the lock as
// it is at the fork).
std::vector<Global_Circumstances> ComputeGlobalCircumstancesMany(const std::vector<double>& jdeNear,
                                                                 const Engine_Options& options,
                                                                 int workerCount = 2);

}  // namespace besselian
