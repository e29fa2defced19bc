// SPDX-License-Identifier: GPL-3.0-or-later
// Local circumstances of a solar eclipse: what an observer at one place on the Earth sees,
// computed from the eclipse's Besselian elements on the flattened Earth (equatorial radius
// 6378.137 km, flattening 1/298.257).
//
// Units, scales and frames:
//   place      geodetic latitude -90...90 and longitude -180...180 (east positive), degrees;
//              height above the ellipsoid -500...9000 m
//   instants   Julian Days of universal time (UT = TD - deltaTSeconds / 86400)
//   altitudes  of the Sun's centre, geometric (no refraction, no parallax of the Sun),
//              degrees; the horizon of a sunrise or sunset is -0.833 degrees
//   azimuth    from the north towards the east, 0...360 degrees
//   position angles  of the point of contact on the Sun's limb, from the north point of the
//              Sun's disc (towards the celestial pole) towards the east, 0...360 degrees
//
// The contacts are geometric: they are given even when the Sun is below the horizon there
// (its altitude shows it) and the sunrise or sunset that cuts the eclipse short has a field
// of its own. The Sun's radius is the one the elements were computed with. Every result has
// a status and every instant a flag telling whether it is defined; nothing is ever NaN.
// The functions are free of state (safe on several threads); one place and one eclipse
// take a few microseconds.
#pragma once

#include <cmath>

#include "besselian/besselian_elements.h"
#include "besselian/constants.h"

namespace besselian {

constexpr double SUNRISE_ALTITUDE_DEG = -0.833;  // the Sun's centre at the almanacs' sunrise

constexpr double PLACE_MIN_HEIGHT_M = -500.0;
constexpr double PLACE_MAX_HEIGHT_M = 9000.0;

struct Geodetic_Place {
    double latitudeDeg = 0.0;   // geodetic, -90...90
    double longitudeDeg = 0.0;  // east positive, -180...180
    double heightM = 0.0;       // above the ellipsoid, -500...9000
};

// Whether each coordinate lies in its range and is a finite number.
bool IsValidPlace(const Geodetic_Place& place);

struct Local_Options {
    // TD - UT, seconds. NaN takes the value with which the elements were reckoned; any
    // other value turns the Earth to that ΔT (the place behaves as if it stood at another
    // longitude) and gives every instant in the UT of that ΔT.
    double deltaTSeconds = NAN;
};

enum class Local_Status {
    Ok,              // the place lies in the penumbra for a while: contacts are defined
    NoEclipse,       // the penumbra passes the place by
    BadPlace,        // a coordinate out of range or not a number
    BadElements,     // cone angles not positive or a coefficient not a number
    OutsideInterval  // a contact lies beyond the elements' interval of validity
};

enum class Local_Type { None, Partial, Annular, Total };

struct Local_Instant {
    bool defined = false;
    double jdUt = 0.0;            // Julian Day, UT
    double sunAltitudeDeg = 0.0;  // geometric altitude of the Sun's centre at that instant
};

struct Contact : Local_Instant {
    double positionAngleDeg = 0.0;  // of the point of contact on the Sun's limb
};

struct Local_Circumstances {
    Local_Status status = Local_Status::NoEclipse;
    Local_Type type = Local_Type::None;  // what the shadow brings, day or night
    // What is seen with the Sun's centre at or above -0.833 deg: the central type when some
    // of the central phase is, Partial when only the partial phase is, else None.
    Local_Type typeSeen = Local_Type::None;
    Contact c1, c2, c3, c4;  // c2 and c3 only for an annular or total type
    // Least apparent (topocentric) separation of the centres of the Sun and the Moon.
    Local_Instant maximum;
    double sunAzimuthMaxDeg = 0.0;
    // Sunrise and sunset (the Sun's centre at -0.833 deg) between C1 and C4, where one
    // cuts the eclipse short.
    Local_Instant sunrise, sunset;
    // At maximum: (L1 - Delta) / (L1 + L2), the fraction of the Sun's diameter covered (above
    // 1 in a total eclipse), with the cones' radii at the place and its distance from the axis.
    double magnitude = 0.0;
    double obscuration = 0.0;   // at maximum: fraction of the Sun's disc covered, 0...1
    double moonSunRatio = 0.0;  // at maximum: apparent diameter of the Moon over the Sun's
    bool centralDurationDefined = false;
    double centralDurationS = 0.0;  // C3 - C2, seconds
    double deltaTSeconds = 0.0;     // TD - UT used for every instant above
};

// The local circumstances of the eclipse at the place. Contacts are converged to better
// than 0.01 s; they are searched within the elements' interval of validity.
Local_Circumstances ComputeLocalCircumstances(const Besselian_Elements& elements,
                                              const Geodetic_Place& place,
                                              const Local_Options& options = {});

// True when some phase of the eclipse happens while the Sun's centre stands at or above
// -0.833 degrees at the place.
bool IsVisible(const Local_Circumstances& local);

}  // namespace besselian
