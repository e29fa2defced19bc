#include "overlay/eclipse_overlay.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <tuple>

#include "app/velmor_doc.h"
#include "astro/eclipse_step.h"
#include "overlay/date_time.h"
#include "platform/recording_dc.h"
#include "tests/astro/date_text.h"

// The world data is loaded once: every overlay works on the same document.
static CVelmorDoc& DocumentAt(double jde) {
    static CVelmorDoc doc;
    doc.m_eclipse.jde = jde;
    return doc;
}

// Times of 21 June 2001 rounded to a unit of seconds (7 does not divide the hour).
TEST(DateTime, RoundToUnitAndJulianDayPlus) {
    const std::tuple<const char*, int, const char*> cases[] = {
        {"12:15:00", 1800, "2001-06-21 12:30:00"}, {"12:14:59", 1800, "2001-06-21 12:00:00"},
        {"12:45:00", 1800, "2001-06-21 13:00:00"}, {"23:45:00", 1800, "2001-06-22 00:00:00"},
        {"12:05:05", 7, "2001-06-21 12:05:05"},    {"12:05:05", 0, "2001-06-21 12:05:05"}};
    for (const auto& [at, unit, rounded] : cases) {
        Date_Time t(JulianDayOf(std::string("2001-06-21 ") + at));
        t.RoundToUnit(unit);
        EXPECT_EQ(DateText(t.Field(0), t.Field(1), t.Field(2), t.Field(3), t.Field(4), t.Field(5)),
                  rounded)
            << at << " to " << unit;
    }
    const Date_Time t(2452082.0);
    EXPECT_NEAR(t.JulianDayPlus(-300, 60) - t.JulianDay(), -300.0 / 1440, 1e-9);  // real division
}

// A line as text: "index: first-last name" when drawn, "index: -" when not.
static std::string LineText(const Eclipse_Overlay& o, int n) {
    const Line& l = o.lines[n];
    if (!o.drawFlags[n]) return std::to_string(n) + ": -";
    return std::to_string(n) + ": " + std::to_string(l.first) + "-" + std::to_string(l.last) +
           (*l.name ? " " : "") + l.name;
}

// Every hundredth eclipse of the supported years: each central eclipse draws its central
// line, and each partial one of magnitude above 0.1 its central line or its penumbral horizon
// curves; a second build gives the same lines, whatever a failed query left behind. Each
// outline walks across the shadow through the points the limit lines and the central line got
// at its step, in the order right limits 0 to 2, left limits 3 and 4, the centre, right limits
// 4 and 3, left limits 2 to 0; only the points found are in it.
TEST(EclipseOverlay, EveryHundredthEclipseOfTheRange) {
    const int order[] = {6, 8, 10, 11, 13, 0, 14, 12, 9, 7, 5};
    Eclipse_Record r{0, -4713, 1, 1, 0, 0, 0};
    int n = 0;
    for (; StepEclipse(r, true, r.year, r.month, r.day, r.hour, r.minute, r.second); ++n) {
        if (n % 100) continue;
        SCOPED_TRACE(DateText(r.jde));
        CVelmorDoc& doc = DocumentAt(r.jde);
        Eclipse_Overlay a(nullptr, nullptr, &doc), b(nullptr, nullptr, &doc);
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
            // The outline's step from its label, the minutes since the base within a day.
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

// The worked case, and its drawing: solid green for lines 0 to 2, dotted for the rest and the
// joins, names at the outlines; the device context's own pen, brush and font put back after.
TEST(EclipseOverlay, WorkedCaseOfAugust1999) {
    CVelmorDoc& doc = DocumentAt(2451401.96105);  // the total eclipse of 11 August 1999
    RecordingDC dc;
    doc.m_pGlobe->SetDC(&dc);
    Eclipse_Overlay o(&dc, nullptr, &doc);
    EXPECT_EQ(DateText(o.BaseJulianDay()), "1999-08-11 11:00:00");
    // Outlines start at line 17.
    for (const char* line : {"0: 210-397", "1: 146-461", "2: 146-461", "3: -", "4: -", "6: -",
                             "17: 0-6 09:30", "18: 0-8 10:00", "19: 0-10 10:30", "20: 0-10 11:00",
                             "21: 0-10 11:30", "22: 0-9 12:00", "23: 0-6 12:30", "24: -"}) {
        EXPECT_EQ(LineText(o, std::atoi(line)), line);
    }
    o.DrawMap();
    EXPECT_TRUE(dc.StockObjectsSelected());
    EXPECT_EQ(dc.ObjectFaults(), 0);
    std::map<int, int> green;  // selections of a green pen of width 1, by style
    for (const auto& c : dc.CallsOf(RecordingDC::Op::SelectPen))
        green[c.pen.style] += c.pen.colour == OVERLAY_COLOUR && c.pen.width == 1;
    int labels = 0;
    for (const auto& c : dc.CallsOf(RecordingDC::Op::TextOut)) labels += c.text.find(':') == 2;
    EXPECT_EQ(green[PS_SOLID], 3);    // lines 0, 1 and 2
    EXPECT_GT(green[PS_DOT], 7 + 2);  // the outlines, the limits and the two joins
    EXPECT_EQ(labels, 7);
}
