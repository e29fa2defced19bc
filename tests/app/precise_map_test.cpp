#include "app/precise_map.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "geo/point.h"
#include "platform/recording_dc.h"

using Op = RecordingDC::Op;

namespace {

constexpr double JDE_2017_TOTAL = 2457987.268892;
constexpr double JDE_2016_TOTAL = 2457456.582169;  // its path crosses the antimeridian
constexpr double JDE_2022_PARTIAL = 2459877.959393;
constexpr double JDE_2083_GRAZING = 2482055.509793;  // gamma 1.55
constexpr double JDE_NO_ECLIPSE = 2451550.26;        // a new Moon, 2000 January 6

struct Drawn {
    size_t fills = 0;         // translucent polygons in the fill colour and opacity
    size_t thickLines = 0;    // segments drawn with the central line's pen
    size_t plainLines = 0;    // solid one-pixel segments in the line colour
    size_t dottedLines = 0;   // dotted segments in the line colour
    size_t marks = 0;         // ellipses drawn with the line colour's pen
    size_t otherColours = 0;  // segments and ellipses in any other colour
    bool stockAtEnd = false;
    int objectFaults = 0;
    std::vector<RecordingDC::Call> ellipses;
};

Drawn DrawOn(const Precise_Eclipse& eclipse, double viewLat, double viewLon) {
    RecordingDC dc;
    Globe globe(320.0, 320.0, 318.0, 0.0, viewLat, viewLon);
    DrawPreciseEclipse(&dc, globe, eclipse);
    Drawn d;
    for (const auto& call : dc.Calls()) {
        if (call.op == Op::TranslucentPolygon) {
            d.fills += static_cast<COLORREF>(call.a) == PRECISE_FILL_COLOUR &&
                       call.b == PRECISE_FILL_ALPHA && call.points.size() >= 4;
        } else if (call.op == Op::LineTo) {
            if (call.pen.colour != PRECISE_LINE_COLOUR)
                ++d.otherColours;
            else if (call.pen.width == 2)
                ++d.thickLines;
            else if (call.pen.style == PS_DOT)
                ++d.dottedLines;
            else
                ++d.plainLines;
        } else if (call.op == Op::Ellipse) {
            d.ellipses.push_back(call);
            if (call.pen.colour == PRECISE_LINE_COLOUR)
                ++d.marks;
            else
                ++d.otherColours;
        }
    }
    d.stockAtEnd = dc.StockObjectsSelected();
    d.objectFaults = dc.ObjectFaults();
    EXPECT_EQ(globe.GetDC(), nullptr);  // put back as it was
    return d;
}

}  // namespace

// Facing the point of greatest eclipse, a total eclipse draws its path filled, its central
// line two pixels wide, its limits and outlines solid, the penumbra's limits and the rise
// and set curves dotted, all in the precise colour, and the mark centred on the point;
// facing the antipode it draws nothing of it; a partial eclipse has no fill and no central
// line; no shadow, no drawing at all.
TEST(PreciseMap, DrawsTheLinesTheFillAndTheMarkOnTheNearSideOnly) {
    const struct {
        const char* label;
        double jde;
        bool antipode;
        bool fill, central, dotted, mark;
    } cases[] = {
        {"2017 total, facing it", JDE_2017_TOTAL, false, true, true, true, true},
        {"2017 total, from the far side", JDE_2017_TOTAL, true, false, false, false, false},
        {"2016 total, across the antimeridian", JDE_2016_TOTAL, false, true, true, true, true},
        {"2022 partial, facing it", JDE_2022_PARTIAL, false, false, false, true, true},
        {"2083 grazing partial", JDE_2083_GRAZING, false, false, false, true, true},
        {"no eclipse", JDE_NO_ECLIPSE, false, false, false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const Precise_Eclipse eclipse = ComputePreciseEclipse(c.jde, besselian::Engine_Options{});
        const besselian::Global_Circumstances& g = eclipse.global;
        const bool ok = g.status == besselian::Global_Status::Ok;
        EXPECT_EQ(eclipse.lines.empty(), !ok);
        double lat = ok ? g.latitudeDeg : 0.0, lon = ok ? g.longitudeDeg : 0.0;
        if (c.antipode) {
            lat = -lat;
            lon += 180.0;
        }
        const Drawn d = DrawOn(eclipse, lat, lon);
        EXPECT_EQ(d.fills > 0, c.fill);
        EXPECT_EQ(d.thickLines > 0, c.central);
        EXPECT_EQ(d.plainLines > 0, c.central);  // umbral limits and outlines
        EXPECT_EQ(d.dottedLines > 0, c.dotted);
        EXPECT_EQ(d.marks, c.mark ? 2u : 0u);  // the ring and the dot within it
        EXPECT_EQ(d.otherColours, 0u);
        EXPECT_TRUE(d.stockAtEnd);
        EXPECT_EQ(d.objectFaults, 0);
        if (c.mark && d.ellipses.size() == 2) {
            // Facing the point, the mark sits at the disc's centre.
            const auto& ring = d.ellipses[0];
            EXPECT_EQ((ring.a + ring.c - 1) / 2, 320);
            EXPECT_EQ((ring.b + ring.d - 1) / 2, 320);
            EXPECT_EQ(ring.c - ring.a, 2 * PRECISE_MARK_RADIUS_PIXELS + 1);
        }
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
        Globe globe(320.0, 320.0, 318.0, 0.0, eclipse.global.latitudeDeg,
                    eclipse.global.longitudeDeg);
        DrawPreciseEclipse(&dc, globe, eclipse);
        std::vector<std::pair<int, int>> north, south;
        for (const auto& line : eclipse.lines) {
            if (line.kind != besselian::Line_Kind::UmbraLimit) continue;
            for (const auto& p : line.points) {
                int x, y;
                if (Point(p.latitudeDeg, p.longitudeDeg).Project(globe, x, y) <= 0) continue;
                (line.side == besselian::Line_Side::North ? north : south).push_back({x, y});
            }
        }
        const auto fills = dc.CallsOf(Op::TranslucentPolygon);
        ASSERT_FALSE(fills.empty());
        for (const auto& fill : fills) {
            size_t onNorth = 0, onSouth = 0;
            for (const POINT& corner : fill.points) {
                const std::pair<int, int> pixel{corner.x, corner.y};
                onNorth += std::find(north.begin(), north.end(), pixel) != north.end();
                onSouth += std::find(south.begin(), south.end(), pixel) != south.end();
            }
            EXPECT_GE(onNorth, fill.points.size() / 2);
            EXPECT_GE(onSouth, fill.points.size() / 2);
            for (size_t i = 0; i < fill.points.size(); ++i) {
                const POINT& a = fill.points[i];
                const POINT& b = fill.points[(i + 1) % fill.points.size()];
                EXPECT_LT(std::hypot(a.x - b.x, a.y - b.y), 40.0);
            }
        }
    }
}

// The place's mark: a ring at the place's pixel on the near side, nothing on the far side.
TEST(PreciseMap, PlaceMark) {
    const struct {
        const char* label;
        double lat, lon;
        size_t ellipses;
    } cases[] = {{"at the centre", 10, 20, 1}, {"on the far side", -10, -160, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        RecordingDC dc;
        const Globe globe(320.0, 320.0, 318.0, 0.0, 10, 20);
        DrawPlaceMark(&dc, globe, c.lat, c.lon);
        const auto ellipses = dc.CallsOf(Op::Ellipse);
        ASSERT_EQ(ellipses.size(), c.ellipses);
        if (c.ellipses == 1) {
            EXPECT_EQ(ellipses[0].a, 320 - PLACE_MARK_RADIUS_PIXELS);
            EXPECT_EQ(ellipses[0].b, 320 - PLACE_MARK_RADIUS_PIXELS);
        }
        EXPECT_TRUE(dc.StockObjectsSelected());
    }
}
