#include "overlay/eclipse_overlay.h"

#include <cstdio>

#include "app/velmor_doc.h"
#include "astro/shadow.h"
#include "astro/sun_moon.h"
#include "overlay/date_time.h"
#include "overlay/greatest_eclipse.h"

namespace {

constexpr int HALF_HOUR_SECONDS = 1800;
constexpr int MINUTE_SECONDS = 60;
constexpr int HALF_WINDOW_MINUTES = 300;
constexpr int OUTLINE_EVERY_MINUTES = 30;

// One line's first unbroken stretch of steps with a point: [first, end).
struct Run {
    int state = 0;  // 0 waiting, 1 in run, 2 ended
    int first = -1;
    int end = -1;
    int status = 0;  // of the current step

    void Track(int step) {
        if (state == 0 && status == 0) {
            state = 1;
            first = step;
        } else if (state == 1 && status != 0) {
            state = 2;
            end = step;
        }
    }
    bool EndedBefore(int step) const { return state == 2 && end < step; }
};

// Gathers the points of one outline: each query writes its answer into latitude and
// longitude, and a successful one (status 0) adds that answer as the next point.
class Outline_Builder {
  public:
    explicit Outline_Builder(Line& line) : m_line(line) {}
    // Call with the status of a query that has just written latitude and longitude.
    void Add(int status) {
        if (status == 0) m_line.NthPoint(m_count++).SetGeo(latitude, longitude);
    }
    int Count() const { return m_count; }

    double latitude = 0;
    double longitude = 0;

  private:
    Line& m_line;
    int m_count = 0;
};

}  // namespace

Eclipse_Overlay::Eclipse_Overlay(CDC* dc, CVelmorView* view, CVelmorDoc* doc)
    : m_pDC(dc), m_pView(view), m_pDoc(doc) {
    // The positions reckon in universal time with a clock correction of their own: sample
    // around the greatest eclipse as they see it, so that the shadow's whole passage falls
    // inside the window however far the eclipse lies from the present.
    const double greatest =
        GreatestEclipseUniversalTime(PositionsUniversalTime(m_pDoc->m_eclipse.jde));

    double latitude, longitude;
    SubSolarPoint(greatest, latitude, longitude);
    m_pDoc->m_pGlobe->SetLatitude(latitude);
    m_pDoc->m_pGlobe->SetLongitude(longitude);

    for (int i = 0; i < OVERLAY_TRACKED_LINES; ++i) lines[i].Allocate(OVERLAY_STEPS);
    for (int i = OVERLAY_OUTLINE_FIRST; i < OVERLAY_LINES; ++i) {
        drawFlags[i] = 0;
        lines[i].Allocate(OVERLAY_OUTLINE_POINTS);
    }
    Run runs[OVERLAY_TRACKED_LINES];

    Shadow_State shadow;
    ResetShadowState(shadow);
    Date_Time base(greatest);
    base.RoundToUnit(HALF_HOUR_SECONDS);
    m_baseJD = base.JulianDay();
    int outlines = 0;

    for (int i = 0; i < OVERLAY_STEPS; ++i) {
        const int m = i - HALF_WINDOW_MINUTES;
        const bool outlineStep = m % OUTLINE_EVERY_MINUTES == 0;
        const double jd = base.JulianDayPlus(m, MINUTE_SECONDS);
        ComputeShadowState(shadow, jd);

        // Central line.
        double centreLatitude = 0, centreLongitude = 0;
        runs[0].status = AxisPoint(shadow, centreLatitude, centreLongitude);
        lines[0].NthPoint(i).SetGeo(centreLatitude, centreLongitude);

        // Where the outer edge of the penumbra crosses the Sun-on-horizon circle.
        double la1 = 0, lo1 = 0, la2 = 0, lo2 = 0;
        const int horizon = ConeHorizonPoints(shadow, 0, la1, lo1, la2, lo2);
        for (int h = 1; h <= 4; ++h) runs[h].status = horizon;
        lines[1].NthPoint(i).SetGeo(la1, lo1);
        lines[2].NthPoint(i).SetGeo(la2, lo2);
        lines[3].NthPoint(i) = lines[1].NthPoint(i);
        lines[4].NthPoint(i) = lines[2].NthPoint(i);
        for (int h = 0; h <= 2; ++h) runs[h].Track(i);
        // Lines 3 and 4 take up the crossing again once the first run of 1 and 2 is over.
        if (runs[1].EndedBefore(i)) runs[3].Track(i);
        if (runs[2].EndedBefore(i)) runs[4].Track(i);

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

        if (outlineStep) {
            // Across the shadow from the outer limit on one side, through the magnitude 0.2
            // to 0.8 lines and the centre, to the outer limit on the other side; cones 3 and
            // 4 lie across the axis, so their sides are swapped.
            Line& outline = lines[OVERLAY_OUTLINE_FIRST + outlines];
            Outline_Builder builder(outline);
            double& la = builder.latitude;
            double& lo = builder.longitude;
            for (int c : {0, 1, 2}) builder.Add(ConeLimitRight(shadow, c, la, lo));
            for (int c : {3, 4}) builder.Add(ConeLimitLeft(shadow, c, la, lo));
            la = centreLatitude;
            lo = centreLongitude;
            builder.Add(runs[0].status);
            for (int c : {4, 3}) builder.Add(ConeLimitRight(shadow, c, la, lo));
            for (int c : {2, 1, 0}) builder.Add(ConeLimitLeft(shadow, c, la, lo));
            if (builder.Count() > 0) {
                const int index = OVERLAY_OUTLINE_FIRST + outlines;
                drawFlags[index] = 1;
                outline.Range(0, builder.Count());
                const Date_Time at(jd);
                char label[16];
                std::snprintf(label, sizeof label, "%02d:%02d", at.Field(3), at.Field(4));
                outline.SetName(label);
                ++outlines;
            }
        }

        for (int l = OVERLAY_LIMIT_FIRST; l < OVERLAY_TRACKED_LINES; ++l) runs[l].Track(i);
    }

    for (int l = 0; l < OVERLAY_TRACKED_LINES; ++l) {
        if (runs[l].first < 0) {
            drawFlags[l] = 0;
            continue;
        }
        if (runs[l].state != 2) runs[l].end = OVERLAY_STEPS;
        drawFlags[l] = 1;
        lines[l].Range(runs[l].first, runs[l].end);
    }
}

void Eclipse_Overlay::DrawJoin(Line& from, Line& to, bool atFirst) {
    Line join;
    join.Allocate(2);
    join.NthPoint(0) = atFirst ? from.First() : from.Last();
    join.NthPoint(1) = atFirst ? to.First() : to.Last();
    join.Draw(*m_pDoc->m_pGlobe, OVERLAY_COLOUR, 0, 1, PS_DOT);
}

void Eclipse_Overlay::DrawMap() {
    m_pDoc->DrawWorld();
    const Globe& globe = *m_pDoc->m_pGlobe;
    for (int i = 0; i < OVERLAY_LINES; ++i) {
        if (!drawFlags[i]) continue;
        lines[i].Draw(globe, OVERLAY_COLOUR, 0, 1, i < 5 ? PS_SOLID : PS_DOT);
    }
    // Close each pair of horizon curves into a loop: first points to first points, last
    // to last. A pair without a run has no points to join.
    for (int pair : {1, 3}) {
        if (!drawFlags[pair] || !drawFlags[pair + 1]) continue;
        DrawJoin(lines[pair], lines[pair + 1], true);
        DrawJoin(lines[pair], lines[pair + 1], false);
    }
}
