// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/precise_map.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "geo/point.h"
#include "platform/recording_dc.h"

using Op = RecordingDC::Op;

namespace {

constexpr double JDE_2017_TOTAL = 2457987.268892;
constexpr double JDE_2016_TOTAL = 2457456.582169;  // its path crosses the antimeridian

// A globe of the map's size facing the given centre.
Globe Facing(double latitude, double longitude) {
    return Globe(320.0, 320.0, 318.0, 0.0, latitude, longitude);
}

}  // namespace

// Facing the point of greatest eclipse, a total eclipse draws its path filled (translucent,
// in the fill colour), its central line two pixels wide, its limits and outlines solid, the
// penumbra's limits and the rise and set curves dotted, all in the precise colour, and the
// mark (a ring and a dot) centred on the point; facing the antipode it draws nothing of it;
// a partial eclipse has no fill, no central line and no umbra; no shadow, no drawing at all.
// The device context's objects are left as they were found.
TEST(PreciseMap, DrawsTheLinesTheFillAndTheMarkOnTheNearSideOnly) {
    const struct {
        const char* label;
        double jde;
        bool antipode;
        const char* drawn;  // the kinds drawn, and how many ellipses of the mark
    } cases[] = {
        {"2017 total, facing it", JDE_2017_TOTAL, false, "central dotted fill marks 2 solid "},
        {"2017 total, from the far side", JDE_2017_TOTAL, true, ""},
        {"2022 partial, facing it", 2459877.959393, false, "dotted marks 2 "},
        {"no eclipse: a new Moon, 2000 January 6", 2451550.26, false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const Precise_Eclipse eclipse = ComputePreciseEclipse(c.jde, besselian::Engine_Options{});
        const besselian::Global_Circumstances& g = eclipse.global;
        const bool ok = g.status == besselian::Global_Status::Ok;
        EXPECT_EQ(eclipse.lines.empty(), !ok);
        const double lat = ok ? g.latitudeDeg : 0.0, lon = ok ? g.longitudeDeg : 0.0;
        Globe globe = Facing(c.antipode ? -lat : lat, c.antipode ? lon + 180.0 : lon);
        RecordingDC dc;
        DrawPreciseEclipse(&dc, globe, eclipse);
        EXPECT_EQ(globe.GetDC(), nullptr);  // put back as it was
        std::map<std::string, int> drawn;
        for (const auto& call : dc.Calls()) {
            const bool lineColour = call.pen.colour == PRECISE_LINE_COLOUR;
            if (call.op == Op::TranslucentPolygon) {
                ++drawn[static_cast<COLORREF>(call.a) == PRECISE_FILL_COLOUR &&
                                call.b == PRECISE_FILL_ALPHA && call.points.size() >= 4
                            ? "fill"
                            : "another fill"];
            } else if (call.op == Op::LineTo) {
                ++drawn[!lineColour                ? "another colour"
                        : call.pen.width == 2      ? "central"
                        : call.pen.style == PS_DOT ? "dotted"
                                                   : "solid"];
            } else if (call.op == Op::Ellipse) {
                ++drawn[lineColour ? "mark" : "another colour"];
            }
        }
        std::string kinds;
        for (const auto& [kind, n] : drawn)
            kinds += kind == "mark" ? "marks " + std::to_string(n) + " " : kind + " ";
        EXPECT_EQ(kinds, c.drawn);
        EXPECT_TRUE(dc.StockObjectsSelected());
        EXPECT_EQ(dc.ObjectFaults(), 0);
        const auto ellipses = dc.CallsOf(Op::Ellipse);
        if (ellipses.empty()) continue;
        // Facing the point, the ring sits at the disc's centre.
        EXPECT_EQ((ellipses[0].a + ellipses[0].c - 1) / 2, 320);
        EXPECT_EQ((ellipses[0].b + ellipses[0].d - 1) / 2, 320);
        EXPECT_EQ(ellipses[0].c - ellipses[0].a, 2 * PRECISE_MARK_RADIUS_PIXELS + 1);
    }
}

// The fill joins the two limits of the umbra: every corner of its polygons is the pixel of a
// point of one of them, its polygons hold both sides, and no edge jumps across the disc (a
// path across the antimeridian is one band; the limits' points lie a minute apart, under
// 40 pixels on this globe).
TEST(PreciseMap, FillRunsBetweenTheUmbralLimits) {
    for (double jde : {JDE_2017_TOTAL, JDE_2016_TOTAL}) {
        SCOPED_TRACE(jde);
        const Precise_Eclipse eclipse = ComputePreciseEclipse(jde, besselian::Engine_Options{});
        ASSERT_EQ(eclipse.global.status, besselian::Global_Status::Ok);
        RecordingDC dc;
        Globe globe = Facing(eclipse.global.latitudeDeg, eclipse.global.longitudeDeg);
        DrawPreciseEclipse(&dc, globe, eclipse);
        std::vector<POINT> sides[2];  // north, south
        for (const auto& line : eclipse.lines) {
            if (line.kind != besselian::Line_Kind::UmbraLimit) continue;
            for (const auto& p : line.points) {
                int x, y;
                if (Point(p.latitudeDeg, p.longitudeDeg).Project(globe, x, y) > 0)
                    sides[line.side == besselian::Line_Side::North ? 0 : 1].push_back({x, y});
            }
        }
        const auto fills = dc.CallsOf(Op::TranslucentPolygon);
        ASSERT_FALSE(fills.empty());
        for (const auto& fill : fills) {
            const std::vector<POINT>& corners = fill.points;
            for (const std::vector<POINT>& side : sides) {
                const size_t on = std::count_if(corners.begin(), corners.end(), [&](POINT c) {
                    return std::any_of(side.begin(), side.end(),
                                       [&](POINT p) { return p.x == c.x && p.y == c.y; });
                });
                EXPECT_GE(on, corners.size() / 2);
            }
            for (size_t i = 0; i < corners.size(); ++i) {
                const POINT& a = corners[i];
                const POINT& b = corners[(i + 1) % corners.size()];
                EXPECT_LT(std::hypot(a.x - b.x, a.y - b.y), 40.0);
            }
        }
    }
}

// The place's mark: a ring at the place's pixel on the near side, nothing on the far side.
TEST(PreciseMap, PlaceMark) {
    for (const auto& [latitude, longitude, ellipses] :
         {std::tuple{10, 20, 1}, std::tuple{-10, -160, 0}}) {
        RecordingDC dc;
        DrawPlaceMark(&dc, Facing(10, 20), latitude, longitude);
        const auto calls = dc.CallsOf(Op::Ellipse);
        ASSERT_EQ(calls.size(), size_t(ellipses)) << latitude;
        if (ellipses == 1) {
            EXPECT_EQ(calls[0].a, 320 - PLACE_MARK_RADIUS_PIXELS);
            EXPECT_EQ(calls[0].b, 320 - PLACE_MARK_RADIUS_PIXELS);
        }
        EXPECT_TRUE(dc.StockObjectsSelected());
    }
}
