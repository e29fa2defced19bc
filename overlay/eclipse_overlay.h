// The picture of the current eclipse on the globe, computed from the Sun and Moon positions
// minute by minute over ten hours around the eclipse: the central line, the limits on
// either side of the track of the magnitudes 0, 0.2, 0.4, 0.6, 0.8 and of the central
// phase, the curves on which the eclipse is seen with the Sun on the horizon, and an
// outline across the shadow every half hour, labelled with its time ("%02d:%02d",
// universal time).
//
// An overlay is built for one paint, drawn once and destroyed; it keeps nothing between
// paints. Building it turns the document's globe to the sub-solar point of the eclipse.
#pragma once

#include <cstdint>

#include "geo/line.h"
#include "platform/dc.h"

class CVelmorDoc;
class CVelmorView;

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
    // Computes every line for the document's eclipse and turns the document's globe to its
    // sub-solar point. Only the document is read; dc and view are kept for the caller.
    Eclipse_Overlay(CDC* dc, CVelmorView* view, CVelmorDoc* doc);
    ~Eclipse_Overlay() = default;
    Eclipse_Overlay(const Eclipse_Overlay&) = delete;
    Eclipse_Overlay& operator=(const Eclipse_Overlay&) = delete;

    // Draws the world, then the flagged lines in green (lines 0 to 4 solid, the rest
    // dotted), then the dotted joins that close the horizon curves into loops.
    void DrawMap();

    // The base of the sampling: the instant at the middle of the window, Julian Day
    // (universal time), on a whole or half hour.
    double BaseJulianDay() const { return m_baseJD; }

    Line lines[OVERLAY_LINES];
    int32_t drawFlags[OVERLAY_LINES] = {};

  private:
    void DrawJoin(Line& from, Line& to, bool atFirst);

    CDC* m_pDC;
    CVelmorView* m_pView;
    CVelmorDoc* m_pDoc;
    double m_baseJD = 0.0;
};
