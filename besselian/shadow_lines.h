// SPDX-License-Identifier: GPL-3.0-or-later
// The lines of a solar eclipse on the flattened Earth, from its global circumstances: the
// central line, the northern and southern limits of the umbra (or antumbra) and of the
// penumbra, the curves of first contact, last contact and maximum eclipse at sunrise or
// sunset, and the outline of the umbra on the ground every 10 minutes of UT.
//
// Each line is a polyline of geodetic places (degrees, longitude east positive in
// -180 ... 180; a line that crosses the antimeridian jumps there from one end of the range
// to the other), ordered in time; a line that leaves the Earth is split into several. Points
// are at most one minute of the shadow's motion apart, and the central line and the limits
// at most about 150 km (near sunrise and sunset, where the shadow runs fastest, up to 32
// points a minute). The central line runs through the place of greatest eclipse and ends
// where the shadow axis leaves the Earth. Thread-safe.
#pragma once

#include <vector>

#include "besselian/global_circumstances.h"

namespace besselian {

enum class Line_Kind { Central, UmbraLimit, PenumbraLimit, RiseSet, UmbraOutline };
enum class Line_Side { None, North, South };                             // of the limits
enum class Rise_Set_Curve { None, FirstContact, LastContact, Maximum };  // of RiseSet lines

struct Geo_Point {
    double latitudeDeg = 0;
    double longitudeDeg = 0;
    // The instant the point belongs to, hours of TD from the elements' t0, for the points
    // that the central line and the limits trace in time; NaN on the other lines. The two
    // limits of a kind share their instants at every whole minute.
    double tHours = NAN;
};

struct Shadow_Line {
    Line_Kind kind = Line_Kind::Central;
    Line_Side side = Line_Side::None;
    Rise_Set_Curve curve = Rise_Set_Curve::None;
    double jde = NAN;   // the instant of an umbra outline (TD); NaN for the other kinds
    double jdUt = NAN;  // the same in UT (a whole 10 minutes)
    std::vector<Geo_Point> points;
};

// "central", "umbra-limit", "penumbra-limit", "rise-set", "umbra-outline"; "north", "south"
// or ""; "first-contact", "last-contact", "maximum" or "".
const char* LineKindName(Line_Kind kind);
const char* LineSideName(Line_Side side);
const char* RiseSetCurveName(Rise_Set_Curve curve);

// All lines of the eclipse; none when its status is not Ok. Lines that do not exist for it
// (the central line of a partial eclipse) are absent.
std::vector<Shadow_Line> ComputeShadowLines(const Global_Circumstances& circumstances);

}  // namespace besselian
