#include "geo/graticule.h"

#include <gtest/gtest.h>

#include <vector>

#include "astro/angles.h"
#include "draw_helpers.h"
#include "geo/point.h"

namespace {

const RecordingDC::PenValue GRID_PEN{PS_SOLID, 1, 0x7F7F7F};

TEST(Graticule, DiscOfTheGlobeTruncatedTowardZero) {
    const struct {
        const char* label;
        double x, y, radius;
        std::vector<int> box;
    } cases[] = {
        {"the document's globe", 320, 320, 318, {2, 2, 638, 638}},
        {"another globe", 100.7, 500.2, 50.5, {50, 89, 151, 190}},  // y counts down from 640
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        RecordingDC dc;
        Globe globe(c.x, c.y, c.radius, 0.0, 0.0, 0.0);
        globe.SetDC(&dc);
        Graticule(20.0, 30.0, 10.0, 5.0).DrawDisc(globe);
        ASSERT_EQ(dc.Calls().size(), 3u);  // select, ellipse, select back
        const auto& e = dc.Calls()[1];
        EXPECT_EQ(e.op, Op::Ellipse);
        EXPECT_EQ((std::vector<int>{e.a, e.b, e.c, e.d}), c.box);
        EXPECT_EQ(e.brush, RGB(40, 166, 254));
        EXPECT_TRUE(e.stockPen);  // outlined with the default black pen
        ExpectObjectsReleased(dc);
    }
}

// One grid piece as drawn: the pixels of its two ends, and whether it was drawn.
struct Piece {
    int x0, y0, x1, y1;
    bool drawn;
    bool operator==(const Piece& o) const {
        return x0 == o.x0 && y0 == o.y0 && x1 == o.x1 && y1 == o.y1 && drawn == o.drawn;
    }
};

std::vector<Piece> RecordedPieces(const RecordingDC& dc) {
    std::vector<Piece> pieces;
    const auto& calls = dc.Calls();
    for (size_t i = 0; i < calls.size(); ++i) {
        if (calls[i].op != Op::SelectPen || calls[i].stockPen) continue;
        EXPECT_EQ(calls[i].pen, GRID_PEN);
        const auto& start = calls.at(i + 1);
        const auto& end = calls.at(i + 2);
        EXPECT_EQ(start.op, Op::MoveTo);
        pieces.push_back({start.a, start.b, end.op == Op::LineTo ? end.c : end.a,
                          end.op == Op::LineTo ? end.d : end.b, end.op == Op::LineTo});
    }
    return pieces;
}

Piece Expected(const Globe& globe, double lat0, double lon0, double lat1, double lon1) {
    Piece p;
    double w0 = Point(lat0, lon0).Project(globe, p.x0, p.y0);
    double w1 = Point(lat1, lon1).Project(globe, p.x1, p.y1);
    p.drawn = w0 > 0 && w1 > 0;
    return p;
}

// Parallels at 0, 20, 40, 60 and 80 degrees, north and south, in 72 pieces of 5 degrees
// each; then 12 meridians of 32 pieces from the equator to 80 north and to 80 south.
std::vector<Piece> ExpectedGrid(const Globe& globe) {
    std::vector<Piece> pieces;
    for (int lat = 0; lat <= 80; lat += 20)
        for (int lon = 5; lon <= 360; lon += 5) {
            pieces.push_back(Expected(globe, lat, lon - 5, lat, lon));
            pieces.push_back(Expected(globe, -lat, lon - 5, -lat, lon));
        }
    for (int lon = 0; lon < 360; lon += 30) {
        for (int lat = 5; lat <= 80; lat += 5)
            pieces.push_back(Expected(globe, lat, lon, lat - 5, lon));
        for (int lat = -5; lat >= -80; lat -= 5)
            pieces.push_back(Expected(globe, lat + 5, lon, lat, lon));
    }
    return pieces;
}

TEST(Graticule, GridPiecesOfTheDocumentGraticule) {
    Graticule graticule(20.0, 30.0, 10.0, 5.0);
    const double d = AngleConstants().DEG_TO_RAD;  // steps kept in radians
    EXPECT_EQ((std::vector<double>{graticule.latitudeStep, graticule.longitudeStep,
                                   graticule.polarGap, graticule.segmentStep}),
              (std::vector<double>{20 * d, 30 * d, 10 * d, 5 * d}));
    const struct {
        const char* label;
        double latitude, longitude;
    } views[] = {
        {"facing 0 N, 0 E", 0, 0},
        {"facing 52 N, 21 E", 52, 21},
        {"facing the South Pole", -90, 0},
        {"facing the North Pole: nothing nearer than 80 N", 90, 0},
    };
    for (const auto& v : views) {
        SCOPED_TRACE(v.label);
        RecordedGlobe r;
        r.globe.SetLatitude(v.latitude);
        r.globe.SetLongitude(v.longitude);
        graticule.DrawGrid(r.globe);
        const std::vector<Piece> pieces = RecordedPieces(r.dc);
        ASSERT_EQ(pieces.size(), 2u * 5 * 72 + 12 * 32);
        const std::vector<Piece> expected = ExpectedGrid(r.globe);
        for (size_t i = 0; i < pieces.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(pieces[i], expected[i]);
        }
        EXPECT_EQ(r.dc.CountOf(Op::TextOut), 0u);
        ExpectObjectsReleased(r.dc);
    }
}

}  // namespace
