// SPDX-License-Identifier: GPL-3.0-or-later
#include "overlay/eclipse_overlay.h"

#include <cstdio>

#include "astro/date_time.h"
#include "astro/shadow.h"
#include "astro/sun_moon.h"
#include "geo/globe.h"
#include "overlay/greatest_eclipse.h"
#include "overlay/sample_run.h"
#include "overlay/world_painter.h"

namespace {

constexpr int HALF_HOUR_SECONDS = 1800;
constexpr int MINUTE_SECONDS = 60;
constexpr int HALF_WINDOW_MINUTES = 300;
constexpr int OUTLINE_EVERY_MINUTES = 30;

using Run = Sample_Run;

// Gathers the points of one outline: each query writes its answer into latitude and
// longitude, and a successful one adds that answer as the next point.
class Outline_Builder {
  public:
    explicit Outline_Builder(Line& line) : m_line(line) {}
    // Call with the status of a query that has just written latitude and longitude.
    void Add(Shadow_Status status) {
        if (status == Shadow_Status::Found) m_line.NthPoint(m_count++).SetGeo(latitude, longitude);
    }
    int Count() const { return m_count; }

    double latitude = 0;
    double longitude = 0;

  private:
    Line& m_line;
    int m_count = 0;
};

// The points of the tracked lines (0 to 16) at step i, with their statuses in runs, and the
// tracking of the central line's and the horizon curves' runs. The limit lines' runs are
// tracked by the caller once the step is done. centreLatitude and centreLongitude get the
// central line's point (0, 0 when there is none).
void SampleTrackedLines(const Shadow_State& shadow, int i, Line* lines, Run* runs,
                        double& centreLatitude, double& centreLongitude) {
    // Central line.
    runs[0].status = AxisPoint(shadow, centreLatitude, centreLongitude);
    lines[0].NthPoint(i).SetGeo(centreLatitude, centreLongitude);

    // Where the outer edge of the penumbra crosses the Sun-on-horizon circle.
    double la1 = 0, lo1 = 0, la2 = 0, lo2 = 0;
    const Shadow_Status horizon = ConeHorizonPoints(shadow, 0, la1, lo1, la2, lo2);
    for (int h = 1; h <= 4; ++h) runs[h].status = horizon;
    lines[1].NthPoint(i).SetGeo(la1, lo1);
    lines[2].NthPoint(i).SetGeo(la2, lo2);
    lines[3].NthPoint(i) = lines[1].NthPoint(i);
    lines[4].NthPoint(i) = lines[2].NthPoint(i);
    for (int h = 0; h <= 2; ++h) runs[h].Track(i);
    // Lines 3 and 4 take up the crossing again once the first run of 1 and 2 is over (they
    // share its status, so the step that ends it starts nothing).
    if (runs[1].Ended()) runs[3].Track(i);
    if (runs[2].Ended()) runs[4].Track(i);

    // Limits on either side of the track, cone by cone.
    for (int c = 0; c < SHADOW_CONES; ++c) {
        const int left = OVERLAY_LIMIT_FIRST + 2 * c;
        const int right = left + 1;
        double la = 0, lo = 0;
        runs[left].status = ConeLimitLeft(shadow, c, la, lo);
        lines[left].NthPoint(i).SetGeo(la, lo);
        la = lo = 0;
        runs[right].status = ConeLimitRight(shadow, c, la, lo);
        lines[right].NthPoint(i).SetGeo(la, lo);
    }
}

// The outline across the shadow at the instant jd (universal time): from the outer limit on
// one side, through the magnitude 0.2 to 0.8 lines and the centre, to the outer limit on the
// other side; cones 3 and 4 lie across the axis, so their sides are swapped. Only the points
// found are kept. Returns false, leaving the line's range and name alone, when none is.
bool BuildOutline(const Shadow_State& shadow, Shadow_Status centreStatus, double centreLatitude,
                  double centreLongitude, double jd, Line& outline) {
    Outline_Builder builder(outline);
    double& la = builder.latitude;
    double& lo = builder.longitude;
    for (int c : {0, 1, 2}) builder.Add(ConeLimitRight(shadow, c, la, lo));
    for (int c : {3, 4}) builder.Add(ConeLimitLeft(shadow, c, la, lo));
    la = centreLatitude;
    lo = centreLongitude;
    builder.Add(centreStatus);
    for (int c : {4, 3}) builder.Add(ConeLimitRight(shadow, c, la, lo));
    for (int c : {2, 1, 0}) builder.Add(ConeLimitLeft(shadow, c, la, lo));
    if (builder.Count() == 0) return false;

    outline.Range(0, builder.Count());
    const Date_Time at(jd);
    char label[16];
    std::snprintf(label, sizeof label, "%02d:%02d", at.Field(3), at.Field(4));
    outline.SetName(label);
    return true;
}

// Draws each tracked line over its first run, to the end of the window when the run lasts
// that long; a line without a run is not drawn.
void RangeTrackedLines(const Run* runs, Line* lines, bool* drawFlags) {
    for (int l = 0; l < OVERLAY_TRACKED_LINES; ++l) {
        drawFlags[l] = runs[l].Started();
        if (drawFlags[l]) lines[l].Range(runs[l].first, runs[l].EndWithin(OVERLAY_STEPS));
    }
}

}  // namespace

Eclipse_Overlay::Eclipse_Overlay(double eclipseJde, Globe& globe, World_Painter* world)
    : m_globe(globe), m_world(world) {
    // The positions reckon in universal time with a clock correction of their own: sample
    // around the greatest eclipse as they see it, so that the shadow's whole passage falls
    // inside the window however far the eclipse lies from the present.
    m_greatestJD = GreatestEclipseUniversalTime(PositionsUniversalTime(eclipseJde));

    double latitude, longitude;
    SubSolarPoint(m_greatestJD, latitude, longitude);
    m_globe.SetLatitude(latitude);
    m_globe.SetLongitude(longitude);

    AllocateLines();
    Run runs[OVERLAY_TRACKED_LINES];
    Shadow_State shadow;
    ResetShadowState(shadow);
    Date_Time base(m_greatestJD);
    base.RoundToUnit(HALF_HOUR_SECONDS);
    m_baseJD = base.JulianDay();
    int outlines = 0;

    for (int i = 0; i < OVERLAY_STEPS; ++i) {
        const int m = i - HALF_WINDOW_MINUTES;
        const double jd = base.JulianDayPlus(m, MINUTE_SECONDS);
        ComputeShadowState(shadow, jd);

        double centreLatitude = 0, centreLongitude = 0;
        SampleTrackedLines(shadow, i, lines, runs, centreLatitude, centreLongitude);
        if (m % OUTLINE_EVERY_MINUTES == 0) {
            const int index = OVERLAY_OUTLINE_FIRST + outlines;
            if (BuildOutline(shadow, runs[0].status, centreLatitude, centreLongitude, jd,
                             lines[index])) {
                drawFlags[index] = true;
                ++outlines;
            }
        }
        for (int l = OVERLAY_LIMIT_FIRST; l < OVERLAY_TRACKED_LINES; ++l) runs[l].Track(i);
    }
    RangeTrackedLines(runs, lines, drawFlags);
}

void Eclipse_Overlay::AllocateLines() {
    for (int i = 0; i < OVERLAY_TRACKED_LINES; ++i) lines[i].Allocate(OVERLAY_STEPS);
    for (int i = OVERLAY_OUTLINE_FIRST; i < OVERLAY_LINES; ++i) {
        drawFlags[i] = false;
        lines[i].Allocate(OVERLAY_OUTLINE_POINTS);
    }
}

void Eclipse_Overlay::DrawJoin(Line& from, Line& to, bool atFirst) {
    Line join;
    join.Allocate(2);
    join.NthPoint(0) = atFirst ? from.First() : from.Last();
    join.NthPoint(1) = atFirst ? to.First() : to.Last();
    join.Draw(m_globe, OVERLAY_COLOUR, 0, 1, PS_DOT);
}

void Eclipse_Overlay::DrawMap() {
    if (m_world != nullptr) m_world->DrawWorld();
    for (int i = 0; i < OVERLAY_LINES; ++i) {
        if (!drawFlags[i]) continue;
        lines[i].Draw(m_globe, OVERLAY_COLOUR, 0, 1, i < 5 ? PS_SOLID : PS_DOT);
    }
    // Close each pair of horizon curves into a loop: first points to first points, last
    // to last. A pair without a run has no points to join.
    for (int pair : {1, 3}) {
        if (!drawFlags[pair] || !drawFlags[pair + 1]) continue;
        DrawJoin(lines[pair], lines[pair + 1], true);
        DrawJoin(lines[pair], lines[pair + 1], false);
    }
}
