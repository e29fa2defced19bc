#include "overlay/eclipse_overlay.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "app/velmor_doc.h"
#include "astro/calendar.h"
#include "astro/eclipse_step.h"
#include "astro/sun_moon.h"
#include "overlay/date_time.h"
#include "overlay/greatest_eclipse.h"
#include "platform/recording_dc.h"

namespace {

// The world data is loaded once: every overlay works on the same document.
CVelmorDoc& Document() {
    static CVelmorDoc doc;
    return doc;
}

CVelmorDoc& DocumentAt(double jde) {
    CVelmorDoc& doc = Document();
    doc.m_eclipse.jde = jde;
    doc.m_eclipse.valid = 1;
    return doc;
}

std::string Hhmm(double jd) {
    const Date_Time t(jd);
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d", t.Field(3), t.Field(4));
    return text;
}

// The total eclipse of 11 August 1999.
TEST(EclipseOverlay, WorkedCaseOfAugust1999) {
    Eclipse_Overlay overlay(nullptr, nullptr, &DocumentAt(2451401.96105));
    EXPECT_EQ(Hhmm(overlay.BaseJulianDay()), "11:00");

    const struct {
        int line;
        int flag, first, last;
    } ranges[] = {
        {0, 1, 210, 397}, {1, 1, 146, 461}, {2, 1, 146, 461},
        {3, 0, 0, 0},     {4, 0, 0, 0},     {6, 0, 0, 0},
    };
    for (const auto& r : ranges) {
        SCOPED_TRACE(r.line);
        EXPECT_EQ(overlay.drawFlags[r.line], r.flag);
        if (r.flag) {
            EXPECT_EQ(overlay.lines[r.line].first, r.first);
            EXPECT_EQ(overlay.lines[r.line].last, r.last);
        }
    }

    const char* labels[] = {"09:30", "10:00", "10:30", "11:00", "11:30", "12:00", "12:30"};
    const int points[] = {6, 8, 10, 10, 10, 9, 6};
    for (int n = 0; n < 7; ++n) {
        SCOPED_TRACE(labels[n]);
        const Line& outline = overlay.lines[OVERLAY_OUTLINE_FIRST + n];
        EXPECT_EQ(overlay.drawFlags[OVERLAY_OUTLINE_FIRST + n], 1);
        EXPECT_STREQ(outline.name, labels[n]);
        EXPECT_EQ(outline.first, 0);
        EXPECT_EQ(outline.last, points[n]);
    }
    for (int n = OVERLAY_OUTLINE_FIRST + 7; n < OVERLAY_LINES; ++n)
        EXPECT_EQ(overlay.drawFlags[n], 0);
    for (int n = 0; n < OVERLAY_TRACKED_LINES; ++n) EXPECT_STREQ(overlay.lines[n].name, "") << n;
    // The limits have no point at the first step: the motion is not known yet.
    for (int n = OVERLAY_LIMIT_FIRST; n < OVERLAY_TRACKED_LINES; ++n) {
        if (overlay.drawFlags[n]) {
            EXPECT_GE(overlay.lines[n].first, 1) << n;
        }
    }
}

// Each outline walks across the shadow through the points the limit lines and the central
// line got at its step, in the order right limits 0 to 2, left limits 3 and 4, the centre,
// right limits 4 and 3, left limits 2 to 0; only the points found are in it.
TEST(EclipseOverlay, OutlinesAreMadeOfTheLinesPointsAtTheirStep) {
    const int order[] = {6, 8, 10, 11, 13, 0, 14, 12, 9, 7, 5};
    for (double jde : {2451401.96105, 2453115.066158, 2457987.268521, 2452258.370413}) {
        SCOPED_TRACE(jde);
        Eclipse_Overlay overlay(nullptr, nullptr, &DocumentAt(jde));
        int outlines = 0;
        for (int step = 0; step < OVERLAY_STEPS; step += 30) {
            const int index = OVERLAY_OUTLINE_FIRST + outlines;
            if (index >= OVERLAY_LINES || !overlay.drawFlags[index]) break;
            Line& outline = overlay.lines[index];
            if (Hhmm(overlay.BaseJulianDay() + (step - 300) / 1440.0) != outline.name) continue;
            ++outlines;
            size_t next = 0;
            for (int p = outline.first; p < outline.last; ++p) {
                const Point& point = outline.NthPoint(p);
                while (next < std::size(order)) {
                    const Point& candidate = overlay.lines[order[next++]].NthPoint(step);
                    if (candidate.colatitude == point.colatitude &&
                        candidate.longitude == point.longitude) {
                        break;
                    }
                    ASSERT_LT(next, std::size(order)) << outline.name << " point " << p;
                }
            }
        }
        EXPECT_GT(outlines, 3);
    }
}

TEST(EclipseOverlay, TurnsTheGlobeToTheSubSolarPointOfTheGreatestEclipse) {
    CVelmorDoc& doc = DocumentAt(2451401.96105);
    doc.m_pGlobe->SetLatitude(-60);
    doc.m_pGlobe->SetLongitude(100);
    Eclipse_Overlay overlay(nullptr, nullptr, &doc);
    const double greatest = GreatestEclipseUniversalTime(PositionsUniversalTime(2451401.96105));
    double latitude, longitude;
    SubSolarPoint(greatest, latitude, longitude);
    EXPECT_NEAR(doc.m_pGlobe->GetLatitude(), latitude, 1e-9);
    EXPECT_NEAR(doc.m_pGlobe->GetLongitude(), longitude, 1e-9);
}

TEST(EclipseOverlay, BuildingTwiceGivesIdenticalLines) {
    CVelmorDoc& doc = DocumentAt(2452082.003529);
    Eclipse_Overlay a(nullptr, nullptr, &doc);
    Eclipse_Overlay b(nullptr, nullptr, &doc);
    for (int i = 0; i < OVERLAY_LINES; ++i) {
        SCOPED_TRACE(i);
        ASSERT_EQ(a.drawFlags[i], b.drawFlags[i]);
        ASSERT_EQ(a.lines[i].first, b.lines[i].first);
        ASSERT_EQ(a.lines[i].last, b.lines[i].last);
        EXPECT_STREQ(a.lines[i].name, b.lines[i].name);
        // Every point, drawn or not, is the same: nothing depends on what a failed query
        // left behind.
        EXPECT_EQ(std::memcmp(a.lines[i].points, b.lines[i].points,
                              sizeof(Point) * static_cast<size_t>(a.lines[i].size)),
                  0);
    }
}

TEST(GreatestEclipse, ConvertsToThePositionsUniversalTime) {
    for (double jde : {2451401.96105, 100.0, 5373484.0}) {
        const double u = PositionsUniversalTime(jde);
        EXPECT_NEAR(u + ClockCorrectionSeconds(u) / 86400, jde, 1e-9) << jde;
    }
}

// Every hundredth eclipse of the supported years: each central eclipse draws its central
// line, and each partial one of magnitude above 0.1 its penumbral horizon curves; the
// outline labels fall on whole and half hours.
TEST(EclipseOverlay, DrawsEclipsesAcrossTheWholeRange) {
    Eclipse_Record r;
    int16_t y = -4713, mo = 1, d = 1, h = 0, mi = 0, s = 0;
    int n = 0, checked = 0;
    while (StepEclipse(r, true, y, mo, d, h, mi, s)) {
        y = r.year, mo = r.month, d = r.day, h = r.hour, mi = r.minute, s = r.second;
        if (n++ % 100 != 0) continue;
        Eclipse_Overlay overlay(nullptr, nullptr, &DocumentAt(r.jde));
        SCOPED_TRACE(std::to_string(r.year) + "-" + std::to_string(r.month) + "-" +
                     std::to_string(r.day));
        if (r.type & ECL_CENTRAL) {
            EXPECT_EQ(overlay.drawFlags[OVERLAY_CENTRAL_LINE], 1);
        } else if ((r.type & ECL_PARTIAL) && r.magnitude > 0.1) {
            EXPECT_TRUE(overlay.drawFlags[OVERLAY_CENTRAL_LINE] ||
                        (overlay.drawFlags[1] && overlay.drawFlags[2]));
        }
        for (int o = OVERLAY_OUTLINE_FIRST; o < OVERLAY_LINES && overlay.drawFlags[o]; ++o) {
            const std::string label = overlay.lines[o].name;
            ASSERT_EQ(label.size(), 5u);
            EXPECT_TRUE(label.substr(3) == "00" || label.substr(3) == "30") << label;
        }
        ++checked;
    }
    EXPECT_GT(checked, 340);
}

TEST(EclipseOverlay, DrawMapInGreenAndPutsBackTheDeviceContext) {
    CVelmorDoc& doc = DocumentAt(2451401.96105);
    RecordingDC dc;
    doc.m_pGlobe->SetDC(&dc);
    {
        Eclipse_Overlay overlay(&dc, nullptr, &doc);
        dc.Clear();
        overlay.DrawMap();
    }
    EXPECT_TRUE(dc.StockObjectsSelected());
    EXPECT_EQ(dc.ObjectFaults(), 0);

    // Green pens: solid for the central line and horizon curves, dotted for the rest.
    int solidGreen = 0, dottedGreen = 0;
    std::vector<std::string> labels;
    for (const RecordingDC::Call& call : dc.Calls()) {
        if (call.op == RecordingDC::Op::SelectPen && call.pen.colour == OVERLAY_COLOUR) {
            EXPECT_EQ(call.pen.width, 1);
            (call.pen.style == PS_SOLID ? solidGreen : dottedGreen)++;
        }
        if (call.op == RecordingDC::Op::TextOut && call.text.size() == 5 && call.text[2] == ':') {
            labels.push_back(call.text);
        }
    }
    EXPECT_EQ(solidGreen, 3);       // lines 0, 1 and 2
    EXPECT_GT(dottedGreen, 7 + 2);  // the outlines, the limits and the two joins
    EXPECT_EQ(labels.size(), 7u);
}

}  // namespace
