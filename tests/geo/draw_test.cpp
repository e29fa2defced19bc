// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "geo/city.h"
#include "geo/globe.h"
#include "geo/graticule.h"
#include "geo/world_lines.h"
#include "platform/recording_dc.h"
#include "units/angles.h"

using Op = RecordingDC::Op;

// The globe facing 0 N, 0 E, drawing into a recorder whose text colour starts red.
struct Recorded {
    RecordingDC dc;
    Globe globe{320.0, 320.0, 318.0, 0.0, 0.0, 0.0};
    Recorded() {
        globe.SetDC(&dc);
        dc.SetTextColor(RGB(255, 0, 0));
        dc.Clear();
    }
};

// Every name on the map is written in black, 12-pixel Arial, on a transparent background.
static void ExpectLabelStyle(const RecordingDC& dc) {
    for (const auto& text : dc.CallsOf(Op::TextOut)) {
        EXPECT_EQ(text.font, (RecordingDC::FontValue{12, "Arial"})) << text.text;
        EXPECT_EQ(text.bkMode, TRANSPARENT) << text.text;
        EXPECT_EQ(text.textColour, RGB(0, 0, 0)) << text.text;
    }
}

TEST(Project, CasesToThePixel) {
    const Globe facing0(320, 320, 318, 0, 0, 0), rotated(320, 320, 318, 90, 0, 0),
        turned(320, 320, 318, 0, 52, 21), poleView(320, 320, 318, 0, 90, 0);
    const struct {
        const Globe& globe;
        double latitude, longitude;
        int x, y;
        double w;
    } cases[] = {
        {facing0, 20, -50, 91, 211, 0.60402}, {facing0, -45, 135, 479, 545, -0.5},
        {facing0, 90, 0, 320, 2, 0.0},        {rotated, 0, 45, 320, 95, 0.70711},
        {turned, 0, 0, 206, 554, 0.57477},    {poleView, 90, 0, 320, 320, 1.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        int x = -1, y = -1;
        const double w = Point(c.latitude, c.longitude).Project(c.globe, x, y);
        EXPECT_EQ((std::vector<int>{x, y}), (std::vector<int>{c.x, c.y}));
        EXPECT_NEAR(w, c.w, 1e-5);
        EXPECT_TRUE(c.latitude != 90 || w > 0);
    }
}

// The pixels of points[i], for each index i given.
static std::vector<int> Pixels(const std::vector<Point>& points, std::vector<int> indices,
                               const Globe& globe) {
    std::vector<int> out;
    for (int i : indices) {
        int x, y;
        points[i].Project(globe, x, y);
        out.insert(out.end(), {x, y});
    }
    return out;
}

// The pixels of what was drawn: lines and rectangles as their two corners, texts as their place.
static std::vector<int> Drawn(const RecordingDC& dc) {
    std::vector<int> out;
    for (const auto& call : dc.Calls()) {
        if (call.op == Op::LineTo || call.op == Op::Rectangle)
            out.insert(out.end(), {call.a, call.b, call.c, call.d});
        if (call.op == Op::TextOut) out.insert(out.end(), {call.a, call.b});
    }
    return out;
}

TEST(LineDraw, SegmentsWithAHiddenEndAreLeftOutWholeAndTheNameGoesAtTheFirstPixel) {
    const Point V0(0, 0), V1(45, 0), V2(0, 45), V3(20, -50), H(-45, 135);  // H is hidden
    const struct {
        const char* label;
        std::vector<Point> points;
        int closed;
        std::vector<int> drawn;  // indices of the segments' ends, then of the name's point
    } cases[] = {
        {"hidden middle of five", {V0, V1, H, V2, V3}, 0, {0, 1, 3, 4, 0}},
        {"closed", {V0, V1, V2}, 1, {0, 1, 1, 2, 2, 0, 0}},
        {"closed, hidden first point", {H, V0, V1, V2}, 1, {1, 2, 2, 3, 0}},
        {"closed, hidden last point", {V0, V1, V2, H}, 1, {0, 1, 1, 2, 0}},
        {"closed, two points: too few, nothing drawn", {V0, V1}, 1, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        Recorded r;
        std::vector<Point> points = c.points;
        Line(int(points.size()), points.data(), "Far_off")
            .Draw(r.globe, 0xA05000, c.closed, 1, PS_DOT);
        EXPECT_EQ(Drawn(r.dc), Pixels(points, c.drawn, r.globe));
        EXPECT_EQ(r.dc.Calls().empty(), c.drawn.empty());
        for (const auto& call : r.dc.CallsOf(Op::LineTo))
            EXPECT_EQ(call.pen, (RecordingDC::PenValue{PS_DOT, 1, 0xA05000}));
        ExpectLabelStyle(r.dc);
        EXPECT_TRUE(r.dc.StockObjectsSelected());
    }
}

TEST(CityDraw, SquareOnTheNearSideNameOnlyWithin44Degrees) {
    const struct {
        double latitude, longitude;
        size_t drawn;  // 0 nothing, 4 the square, 6 the square and the name
    } cases[] = {{0, 0, 6}, {44, 0, 6}, {0, 45, 4}, {0, 89, 4}, {-45, 135, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.latitude << " " << c.longitude);
        Recorded r;
        const City city(c.latitude, c.longitude, "Sao_Paulo");
        city.Draw(r.globe);
        const std::vector<int> at = Pixels({city}, {0}, r.globe);
        std::vector<int> expected = {at[0] - 2, at[1] - 2, at[0] + 2, at[1] + 2, at[0], at[1]};
        expected.resize(c.drawn);
        EXPECT_EQ(Drawn(r.dc), expected);
        for (const auto& square : r.dc.CallsOf(Op::Rectangle))
            EXPECT_EQ((std::vector<COLORREF>{square.pen.colour, square.brush}),
                      (std::vector<COLORREF>(2, 0x00FFFF)));
        ExpectLabelStyle(r.dc);
        EXPECT_TRUE(r.dc.StockObjectsSelected());
    }
}

TEST(Graticule, LeavesOutTenDegreesAroundThePoles) {
    Recorded r;
    r.globe.SetLatitude(90);
    Graticule(20, 30, 10, 5).DrawGrid(r.globe);
    double nearest = 1e9;  // pixels from the North Pole at the view centre
    for (const auto& call : r.dc.CallsOf(Op::MoveTo))
        nearest = std::min(nearest, std::hypot(call.a - 320, call.b - 320));
    EXPECT_NEAR(nearest, 318 * std::sin(Radians(10)), 1.0);
}

// Unproject reads a projected point back to within a pixel; pixels off the disc give nothing.
TEST(Unproject, ReadsBackProjectedPointsAndRefusesPixelsOffTheDisc) {
    const struct {
        const char* label;
        double rotationDeg, viewLatDeg, viewLonDeg;
    } globes[] = {
        {"over the South Pole, across the antimeridian", 30, -90, 180},
        {"beyond the antimeridian, the picture turned", 90, -33, 200},
    };
    for (const auto& g : globes) {
        SCOPED_TRACE(g.label);
        const Globe globe(320, 320, 318, g.rotationDeg, g.viewLatDeg, g.viewLonDeg);
        int checked = 0;
        for (double lat = -85; lat <= 85; lat += 17) {
            for (double lon = -175; lon <= 180; lon += 25) {
                int x, y;
                if (Point(lat, lon).Project(globe, x, y) < 0.05) continue;
                double readLat = 0, readLon = 0;
                ASSERT_TRUE(globe.Unproject(x, y, readLat, readLon)) << lat << " " << lon;
                int x2, y2;
                EXPECT_GT(Point(readLat, readLon).Project(globe, x2, y2), 0.0);
                EXPECT_LE(std::abs(x2 - x), 1) << lat << " " << lon;
                EXPECT_LE(std::abs(y2 - y), 1) << lat << " " << lon;
                EXPECT_TRUE(readLon >= -180 && readLon <= 180);
                ++checked;
            }
        }
        EXPECT_GT(checked, 40);
        double lat = 7, lon = 8;
        for (const auto& off : {std::pair<int, int>{0, 0}, {639, 639}, {320, 0}, {1, 320}}) {
            EXPECT_FALSE(globe.Unproject(off.first, off.second, lat, lon));
        }
        EXPECT_EQ(std::make_pair(lat, lon), std::make_pair(7.0, 8.0));
    }
}
