// The lines of a solar eclipse on the flattened Earth, from its Besselian elements: the
// central line, the northern and southern limits of the umbra (or antumbra) and of the
// penumbra, the curves on which the eclipse begins, ends or is greatest at sunrise or
// sunset, and the umbra's outline every 10 minutes of UT.
//
// Points are geodetic degrees (latitude -90 ... 90, longitude east positive in
// -180 ... 180) with the instant (Julian Day, UT) at which the shadow puts them on the line.
// The tracked lines are sampled once a minute of TD from the elements' t0, so that the two
// limits of one shadow share their instants; an outline's points all share its instant.
// A line is cut where the shadow leaves the Earth: each piece is a line of its own, of at
// least two points. Consecutive points of a line may lie on either side of the
// antimeridian. Thread-safe; all the lines of one eclipse take well under a millisecond.
#pragma once

#include <vector>

#include "besselian/global_circumstances.h"

namespace besselian {

enum class Shadow_Line_Kind {
    Central,        // the shadow axis on the ground
    UmbraLimit,     // the northern or southern limit of totality or annularity
    PenumbraLimit,  // the northern or southern limit of the partial eclipse
    RiseSet,        // the eclipse begins, ends or is greatest with the Sun on the horizon
    UmbraOutline    // the umbra's (antumbra's) edge on the ground at one instant
};

enum class Shadow_Side { None, North, South };  // of a limit: the side of the shadow axis

enum class Rise_Set_Curve { None, FirstContact, LastContact, Maximum };

struct Shadow_Point {
    double latitudeDeg = 0.0;   // geodetic
    double longitudeDeg = 0.0;  // east positive, -180 ... 180
    double jdUt = 0.0;          // Julian Day, UT
};

struct Shadow_Line {
    Shadow_Line_Kind kind = Shadow_Line_Kind::Central;
    Shadow_Side side = Shadow_Side::None;         // limits only
    Rise_Set_Curve curve = Rise_Set_Curve::None;  // rise-set curves only
    double jdUt = 0.0;                            // outlines: their instant (UT); else 0
    std::vector<Shadow_Point> points;             // at least 2
};

// "central", "umbra-limit", "penumbra-limit", "rise-set", "umbra-outline".
const char* ShadowLineKindName(Shadow_Line_Kind kind);
// "north", "south", "" (none).
const char* ShadowSideName(Shadow_Side side);
// "first-contact", "last-contact", "maximum", "" (none).
const char* RiseSetCurveName(Rise_Set_Curve curve);

// Every line of the eclipse. None unless global.status is Ok; the central line and the
// umbra's lines only where the umbra (antumbra) reaches the ground.
std::vector<Shadow_Line> ComputeShadowLines(const Global_Circumstances& global);

}  // namespace besselian
