// SPDX-License-Identifier: GPL-3.0-or-later
#include "overlay/eclipse_overlay.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "astro/date_time.h"
#include "astro/eclipse_step.h"
#include "astro/sun_moon.h"
#include "geo/globe.h"
#include "overlay/sample_run.h"
#include "overlay/world_painter.h"
#include "platform/recording_dc.h"
#include "tests/astro/date_text.h"

// The map's globe, facing latitude 0, longitude 0.
static Globe MapGlobe() {
    return Globe(MAP_GLOBE_CENTRE_PIXELS, MAP_GLOBE_CENTRE_PIXELS, MAP_GLOBE_RADIUS_PIXELS, 0, 0,
                 0);
}

// A pixel as text, "(x, y)".
static std::string PixelText(int x, int y) {
    return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

// A line as text: "index: first-last name" when drawn, "index: -" when not.
static std::string LineText(const Eclipse_Overlay& o, int n) {
    const Line& l = o.lines[n];
    if (!o.drawFlags[n]) return std::to_string(n) + ": -";
    return std::to_string(n) + ": " + std::to_string(l.first) + "-" + std::to_string(l.last) +
           (*l.name ? " " : "") + l.name;
}

// Every hundredth eclipse: central ones draw the central line, partial ones it or the horizon
// curves; a rebuild is identical; each outline runs through the lines' points at its step.
TEST(EclipseOverlay, EveryHundredthEclipseOfTheRange) {
    const int order[] = {6, 8, 10, 11, 13, 0, 14, 12, 9, 7, 5};
    Eclipse_Record r;
    r.dateTime = {-4713, 1, 1, 0, 0, 0};
    Globe globe = MapGlobe();
    int n = 0;
    for (; StepEclipse(r, true, r.dateTime); ++n) {
        if (n % 100) continue;
        SCOPED_TRACE(DateText(r.jde));
        Eclipse_Overlay a(r.jde, globe, nullptr), b(r.jde, globe, nullptr);
        const bool partial = (r.type & ECL_PARTIAL) && r.magnitude > 0.1;
        EXPECT_TRUE(!(r.type & ECL_CENTRAL) || a.drawFlags[0]);
        EXPECT_TRUE(!partial || a.drawFlags[0] || (a.drawFlags[1] && a.drawFlags[2]));
        for (int i = 0; i < OVERLAY_LINES; ++i) {
            const Line &x = a.lines[i], &y = b.lines[i];
            ASSERT_EQ(LineText(a, i), LineText(b, i));
            EXPECT_EQ(std::memcmp(x.points, y.points, sizeof(Point) * size_t(x.size)), 0) << i;
        }
        const Date_Time base(a.BaseJulianDay());
        for (int o = OVERLAY_OUTLINE_FIRST; o < OVERLAY_LINES && a.drawFlags[o]; ++o) {
            Line& line = a.lines[o];
            const int hhmm = std::atoi(line.name) * 60 + std::atoi(line.name + 3);
            const int step = 300 + (hhmm - base.Field(3) * 60 - base.Field(4) + 2160) % 1440 - 720;
            ASSERT_TRUE(step >= 0 && step < OVERLAY_STEPS && step % 30 == 0) << line.name;
            for (int p = line.first, next = 0; p < line.last; ++p, ++next) {
                const Point& point = line.NthPoint(p);
                while (next < 11 &&
                       std::memcmp(&a.lines[order[next]].NthPoint(step), &point, sizeof point))
                    ++next;
                ASSERT_LT(next, 11) << line.name << " point " << p;
            }
        }
    }
    EXPECT_GT(n, 34000);
}

class Marking_World : public World_Painter {
  public:
    explicit Marking_World(const Globe& globe) : m_globe(globe) {}
    void DrawWorld() override { m_globe.GetDC()->TextOut(0, 0, "world"); }

  private:
    const Globe& m_globe;
};

// 11 August 1999: the world drawn first, lines 0-2 solid, labels at the outlines' first points.
// Greatest eclipse 11:03:05 UT published (30 s allowed: lower-precision positions put it 26 s
// earlier); the globe faces the Sun's zenith then (0.01 degrees, its motion in about 2 s).
TEST(EclipseOverlay, WorkedCaseOfAugust1999) {
    Globe globe = MapGlobe();
    Marking_World world(globe);
    RecordingDC dc;
    globe.SetDC(&dc);
    Eclipse_Overlay o(2451401.96105, globe, &world);  // the total eclipse of 11 August 1999
    EXPECT_NEAR(o.GreatestJulianDay(), JulianDayOf("1999-08-11 11:03:05"), 30.0 / 86400);
    double latitude, longitude;
    SubSolarPoint(o.GreatestJulianDay(), latitude, longitude);
    EXPECT_NEAR(globe.GetLatitude(), latitude, 0.01);
    EXPECT_NEAR(globe.GetLongitude(), longitude, 0.01);
    EXPECT_EQ(DateText(o.BaseJulianDay()), "1999-08-11 11:00:00");
    for (const char* line : {"0: 210-397", "1: 146-461", "2: 146-461", "3: -", "4: -", "6: -",
                             "17: 0-6 09:30", "18: 0-8 10:00", "19: 0-10 10:30", "20: 0-10 11:00",
                             "21: 0-10 11:30", "22: 0-9 12:00", "23: 0-6 12:30", "24: -"}) {
        EXPECT_EQ(LineText(o, std::atoi(line)), line);
    }
    o.DrawMap();
    ASSERT_FALSE(dc.Calls().empty());
    EXPECT_EQ(dc.Calls().front().text, "world");
    EXPECT_TRUE(dc.StockObjectsSelected());
    EXPECT_EQ(dc.ObjectFaults(), 0);
    std::map<int, int> green;  // selections of a green pen of width 1, by style
    for (const auto& c : dc.CallsOf(RecordingDC::Op::SelectPen))
        green[c.pen.style] += c.pen.colour == OVERLAY_COLOUR && c.pen.width == 1;
    EXPECT_EQ(green[PS_SOLID], 3);    // lines 0, 1 and 2
    EXPECT_GT(green[PS_DOT], 7 + 2);  // the outlines, the limits and the two joins
    std::vector<std::string> labels, expected;
    for (const auto& c : dc.CallsOf(RecordingDC::Op::TextOut)) {
        if (c.text.find(':') == 2) labels.push_back(c.text + " " + PixelText(c.a, c.b));
    }
    for (int l = OVERLAY_OUTLINE_FIRST; l < OVERLAY_LINES && o.drawFlags[l]; ++l) {
        int x, y;
        o.lines[l].First().Project(globe, x, y);
        expected.push_back(std::string(o.lines[l].name) + " " + PixelText(x, y));
    }
    EXPECT_EQ(labels.size(), 7u);
    EXPECT_EQ(labels, expected);
}

// The first unbroken stretch of '+' (found) samples, to the last sample if it lasts.
TEST(SampleRun, FirstStretchOfTheWindow) {
    const std::pair<std::string, std::string> cases[] = {
        {std::string(OVERLAY_STEPS, '+'), "0-601"},
        {"mm" + std::string(OVERLAY_STEPS - 2, '+'), "2-601"},
        {"..+++..++", "2-5"},
        {std::string(OVERLAY_STEPS, '.'), "-"}};
    for (const auto& [statuses, stretch] : cases) {
        Sample_Run run;
        for (size_t step = 0; step < statuses.size(); ++step) {
            const char c = statuses[step];
            run.status = c == '+'   ? Shadow_Status::Found
                         : c == 'm' ? Shadow_Status::MotionUnknown
                                    : Shadow_Status::MissesEarth;
            run.Track(int(step));
        }
        EXPECT_EQ(run.Started() ? std::to_string(run.first) + "-" +
                                      std::to_string(run.EndWithin(OVERLAY_STEPS))
                                : "-",
                  stretch)
            << statuses.substr(0, 12);
    }
}

// 28 May 1900: the penumbra leaves the Earth, and lines 3 and 4 take up the horizon after 1, 2.
TEST(EclipseOverlay, PenumbraLeavingTheEarthDrawsLinesThreeAndFour) {
    Globe globe = MapGlobe();
    RecordingDC dc;
    globe.SetDC(&dc);
    Eclipse_Overlay o(2415168.120704, globe, nullptr);
    for (const char* line : {"1: 134-270", "2: 134-270", "3: 322-458", "4: 322-458"})
        EXPECT_EQ(LineText(o, std::atoi(line)), line);
    o.DrawMap();
    int solid = 0;
    for (const auto& c : dc.CallsOf(RecordingDC::Op::SelectPen))
        solid += c.pen.colour == OVERLAY_COLOUR && c.pen.style == PS_SOLID;
    EXPECT_EQ(solid, 1 + 4);  // the central line and the four horizon curves
}
