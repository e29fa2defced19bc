// SPDX-License-Identifier: GPL-3.0-or-later
// The picture of an eclipse on the globe, computed from the Sun and Moon positions minute
// by minute over ten hours around the eclipse: the central line, the limits on either side
// of the track of the magnitudes 0, 0.2, 0.4, 0.6, 0.8 and of the central phase, the curves
// on which the eclipse is seen with the Sun on the horizon, and an outline across the
// shadow every half hour, labelled with its time ("%02d:%02d", universal time).
//
// The overlay is given the eclipse instant (JDE, dynamical time), the globe it turns and
// draws on, and, for a map, whatever draws the world underneath; it reads nothing else.
// An overlay is built for one paint, drawn once and destroyed; it keeps nothing between
// paints. Building it turns the globe to the sub-solar point of the eclipse. Points are in
// degrees (latitude north positive, longitude east positive within [-180, 180]).
#pragma once

#include "geo/line.h"
#include "platform/dc.h"

class Globe;
class World_Painter;

// Line indices.
constexpr int OVERLAY_CENTRAL_LINE = 0;
constexpr int OVERLAY_HORIZON_FIRST = 1;  // lines 1 and 2 (coming on), 3 and 4 (leaving)
constexpr int OVERLAY_LIMIT_FIRST = 5;    // 5 + 2c left and 6 + 2c right limit of cone c
constexpr int OVERLAY_OUTLINE_FIRST = 17;
constexpr int OVERLAY_LINES = 38;
constexpr int OVERLAY_TRACKED_LINES = 17;  // lines 0 to 16, one point per sampled minute
constexpr int OVERLAY_STEPS = 601;         // 300 minutes either side of the base
constexpr int OVERLAY_OUTLINE_POINTS = 11;
constexpr COLORREF OVERLAY_COLOUR = 0x00FF00;  // pure green

class Eclipse_Overlay {
  public:
    // Computes every line for the eclipse at eclipseJde (Julian Ephemeris Day) and turns
    // the globe to its sub-solar point. world draws the world under the lines in DrawMap;
    // it may be null where nothing is drawn or only the lines are wanted.
    Eclipse_Overlay(double eclipseJde, Globe& globe, World_Painter* world);
    ~Eclipse_Overlay() = default;
    Eclipse_Overlay(const Eclipse_Overlay&) = delete;
    Eclipse_Overlay& operator=(const Eclipse_Overlay&) = delete;

    // Draws the world (when there is a painter), then the flagged lines in green (lines 0
    // to 4 solid, the rest dotted), then the dotted joins that close the horizon curves
    // into loops, all through the globe's device context.
    void DrawMap();

    // The greatest eclipse as the Sun and Moon positions see it: the instant the globe is
    // turned to and the window is centred on, Julian Day (universal time).
    double GreatestJulianDay() const { return m_greatestJD; }
    // The base of the sampling: the greatest eclipse rounded to a whole or half hour,
    // Julian Day (universal time), the instant at the middle of the window.
    double BaseJulianDay() const { return m_baseJD; }

    Line lines[OVERLAY_LINES];
    bool drawFlags[OVERLAY_LINES] = {};

  private:
    void AllocateLines();
    void DrawJoin(Line& from, Line& to, bool atFirst);

    Globe& m_globe;
    World_Painter* m_world;
    double m_greatestJD = 0.0;
    double m_baseJD = 0.0;
};
