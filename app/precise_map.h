// SPDX-License-Identifier: GPL-3.0-or-later
// The precise engine's picture of an eclipse on the globe: its global circumstances and
// its lines (besselian/), computed once, and drawn over the world and the lunation
// method's green lines. The lines are red: the central line two pixels wide, the limits of
// totality or annularity and the umbra's outlines solid, the penumbra's limits and the
// sunrise and sunset curves dotted; the path between the two limits of the umbra is
// filled in translucent red where the globe's near side shows it, and a red ring with a
// dot marks the point of greatest eclipse. No Qt: the desktop program and the command
// line share it.
#pragma once

#include <vector>

#include "besselian/global_circumstances.h"
#include "besselian/shadow_lines.h"
#include "geo/globe.h"
#include "geo/point.h"
#include "platform/dc.h"

struct Precise_Eclipse {
    besselian::Global_Circumstances global;
    std::vector<besselian::Shadow_Line> lines;  // none unless global.status is Ok
    // What drawing needs, made with the lines so that a paint only projects: each line's
    // points as globe Points, and the points of the umbra's northern and southern limits
    // at the same instants, pairwise, with the end of each northern limit marked.
    std::vector<std::vector<Point>> linePoints;  // one per line, in the same order
    struct Fill_Pair {
        Point north, south;
        bool matched;  // false: no southern point at this instant
        bool lineEnd;  // the last point of its northern limit
    };
    std::vector<Fill_Pair> fillPairs;
};

// The colours and the fill's opacity of the precise picture.
constexpr COLORREF PRECISE_LINE_COLOUR = RGB(220, 0, 40);
constexpr COLORREF PRECISE_FILL_COLOUR = RGB(230, 0, 60);
constexpr int PRECISE_FILL_ALPHA = 110;
constexpr int PRECISE_MARK_RADIUS_PIXELS = 5;

// The global circumstances and the lines of the eclipse near jde (the lunation method's
// instant, JDE) with the engine's options. Some milliseconds: compute it once an eclipse.
Precise_Eclipse ComputePreciseEclipse(double jde, const besselian::Engine_Options& options);
// Adds the lines (and what drawing them needs) to an eclipse whose global circumstances are
// there: the larger part of ComputePreciseEclipse's work.
void AddPreciseLines(Precise_Eclipse& eclipse);

// Draws the eclipse's precise picture through the globe's device context as the globe
// faces now: the path's fill, the lines, then the mark. Nothing for an eclipse without
// lines; nothing of what lies on the globe's far side. Leaves the device context's
// objects as it found them.
void DrawPreciseEclipse(CDC* dc, Globe& globe, const Precise_Eclipse& eclipse);

// The marker of the place picked on the globe: a black dot in a white ring, nothing when
// the place is on the far side. Leaves the device context's objects as it found them.
constexpr int PLACE_MARK_RADIUS_PIXELS = 4;
void DrawPlaceMark(CDC* dc, const Globe& globe, double latitudeDeg, double longitudeDeg);
