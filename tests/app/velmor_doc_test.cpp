#include "app/velmor_doc.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "astro/angles.h"
#include "platform/exe_path.h"
#include "platform/recording_dc.h"
#include "platform/text_file.h"
#include "world_dir.h"

namespace {

using Op = RecordingDC::Op;
const RecordingDC::PenValue GRID_PEN{PS_SOLID, 1, 0x7F7F7F};
const RecordingDC::PenValue BLACK_PEN{PS_SOLID, 1, 0x000000};
const RecordingDC::PenValue WATER_PEN{PS_SOLID, 1, 0xA05000};
const RecordingDC::PenValue CITY_PEN{PS_SOLID, 1, 0x00FFFF};

TEST(Document, ConstructionLeavesNoEclipseAndNoCentreAndNewKeepsEverything) {
    WorldDir dir;
    CVelmorDoc doc(dir.Path());
    EXPECT_EQ(doc.m_eclipse.valid, 0);
    EXPECT_EQ(doc.m_bCentreSet, 0);
    ASSERT_NE(doc.m_pGlobe, nullptr);
    ASSERT_NE(doc.m_pGraticule, nullptr);
    const Globe& g = *doc.m_pGlobe;
    EXPECT_EQ((std::vector<double>{g.GetCentreX(), g.GetCentreY(), g.GetRadius()}),
              (std::vector<double>{320, 320, 318}));
    EXPECT_NEAR(g.GetLatitude(), 0.0, 1e-12);
    EXPECT_NEAR(g.GetLongitude(), 0.0, 1e-12);
    double sinRotation, c, d, e, f, h;
    g.GetRotationTerms(sinRotation, c, d, e, f, h);
    EXPECT_EQ(sinRotation, 0.0);
    const Graticule& grid = *doc.m_pGraticule;
    const double toDegrees = AngleConstants().RAD_TO_DEG;
    EXPECT_NEAR(grid.latitudeStep * toDegrees, 20.0, 1e-12);
    EXPECT_NEAR(grid.longitudeStep * toDegrees, 30.0, 1e-12);
    EXPECT_NEAR(grid.polarGap * toDegrees, 10.0, 1e-12);
    EXPECT_NEAR(grid.segmentStep * toDegrees, 5.0, 1e-12);

    doc.m_eclipse.valid = 1;
    doc.m_eclipse.jde = 2451401.96105;
    doc.m_bCentreSet = 1;
    doc.m_dCentreLat = 15.0;
    doc.m_dCentreLon = -75.0;
    Land* land = doc.m_pLand;
    EXPECT_EQ(doc.OnNewDocument(), 1);
    EXPECT_EQ(doc.m_eclipse.valid, 1);
    EXPECT_EQ(doc.m_eclipse.jde, 2451401.96105);
    EXPECT_EQ(doc.m_bCentreSet, 1);
    EXPECT_EQ(doc.m_dCentreLat, 15.0);
    EXPECT_EQ(doc.m_dCentreLon, -75.0);
    EXPECT_EQ(doc.m_pLand, land);
    EXPECT_EQ(doc.m_pGlobe, &g);
    EXPECT_EQ(doc.m_nLand, 2);
}

// The first count line of a data file beside the program, read on its own.
int CountBesideTheProgram(const char* name) {
    char path[platform::EXE_PATH_MAX];
    platform::GetModuleFileName(path, sizeof path);
    std::strcpy(std::strrchr(path, '/') + 1, name);
    CStdioFile file;
    if (!file.Open(path, CStdioFile::modeRead)) return -1;
    char line[80];
    while (file.ReadString(line, sizeof line) != nullptr)
        if (line[0] != ';') return std::atoi(line);
    return -1;
}

// The segments a Line draws, worked out here from the projection of its points.
void AddExpectedSegments(const Line& line, const Globe& globe, int closed,
                         std::vector<std::vector<int>>& out) {
    if (line.last - line.first < closed + 2) return;
    int x0, y0;
    const double w0 = line.points[line.first].Project(globe, x0, y0);
    double pw = w0;
    int px = x0, py = y0;
    for (int i = line.first + 1; i < line.last; ++i) {
        int x, y;
        const double w = line.points[i].Project(globe, x, y);
        if (pw > 0 && w > 0) out.push_back({px, py, x, y});
        px = x, py = y, pw = w;
    }
    if (closed && pw > 0 && w0 > 0) out.push_back({px, py, x0, y0});
}

struct WorldView {
    const char* label;
    double latitude, longitude;
};

// The whole world beside the program as drawn into a recording device context, checked
// call by call.
TEST(Document, DrawWorldOfTheShippedData) {
    CVelmorDoc doc;
    EXPECT_EQ(
        (std::vector<int>{doc.m_nCities, doc.m_nLand, doc.m_nRivers, doc.m_nWater}),
        (std::vector<int>{CountBesideTheProgram("WORLD.CIT"), CountBesideTheProgram("WORLD.LAN"),
                          CountBesideTheProgram("WORLD.RIV"), CountBesideTheProgram("WORLD.WAT")}));
    EXPECT_GT(doc.m_nCities, 100);
    EXPECT_GT(doc.m_nLand, 100);
    const WorldView views[] = {{"facing 0 N, 0 E", 0, 0}, {"facing 35 N, 100 E", 35, 100}};
    for (const WorldView& v : views) {
        SCOPED_TRACE(v.label);
        RecordingDC dc;
        Globe& globe = *doc.m_pGlobe;
        globe.SetLatitude(v.latitude);
        globe.SetLongitude(v.longitude);
        globe.SetDC(&dc);
        doc.DrawWorld();
        globe.SetDC(nullptr);
        const auto& calls = dc.Calls();

        // The disc first, outlined with the default pen.
        ASSERT_GE(calls.size(), 3u);
        EXPECT_EQ(calls[0].op, Op::SelectBrush);
        EXPECT_EQ(
            (std::vector<int>{int(calls[1].op), calls[1].a, calls[1].b, calls[1].c, calls[1].d}),
            (std::vector<int>{int(Op::Ellipse), 2, 2, 638, 638}));
        EXPECT_EQ(calls[1].brush, RGB(40, 166, 254));
        EXPECT_TRUE(calls[1].stockPen);

        // Each operation starts with its pen; at that moment the previous operation has
        // selected back every object it had selected.
        std::vector<RecordingDC::PenValue> operations;
        std::vector<std::vector<int>> segments;
        for (const auto& call : calls) {
            if (call.op == Op::SelectPen && !call.stockPen) {
                operations.push_back(call.pen);
                // The pen of this operation has just been selected.
                EXPECT_TRUE(call.stockBrush && call.stockFont);
            }
            if (call.op == Op::LineTo) {
                EXPECT_FALSE(call.stockPen);
                segments.push_back({call.a, call.b, call.c, call.d});
            }
        }
        EXPECT_TRUE(dc.StockObjectsSelected());
        EXPECT_EQ(dc.ObjectFaults(), 0);

        // 720 parallel and 384 meridian pieces, then land, rivers, water and cities.
        size_t at = 0;
        while (at < operations.size() && operations[at] == GRID_PEN) ++at;
        EXPECT_EQ(at, 720u + 384u);
        int landDrawn = 0, waterDrawn = 0, citiesVisible = 0, citiesNamed = 0;
        for (int i = 0; i < doc.m_nLand; ++i) landDrawn += doc.m_pLand[i].size >= 3;
        for (int i = 0; i < doc.m_nWater; ++i) waterDrawn += doc.m_pWater[i].size >= 3;
        for (int i = 0; i < doc.m_nCities; ++i) {
            int x, y;
            const double w = doc.m_pCities[i].Project(globe, x, y);
            citiesVisible += w > 0;
            citiesNamed += w > 0.71;
        }
        std::vector<RecordingDC::PenValue> expectedOps;
        expectedOps.insert(expectedOps.end(), landDrawn, BLACK_PEN);
        expectedOps.insert(expectedOps.end(), doc.m_nRivers, BLACK_PEN);
        expectedOps.insert(expectedOps.end(), waterDrawn, WATER_PEN);
        expectedOps.insert(expectedOps.end(), citiesVisible, CITY_PEN);
        EXPECT_EQ(std::vector<RecordingDC::PenValue>(operations.begin() + at, operations.end()),
                  expectedOps);

        // The segments of the world lines, each left out whole where an end is hidden.
        std::vector<std::vector<int>> expected;
        for (int i = 0; i < doc.m_nLand; ++i)
            AddExpectedSegments(doc.m_pLand[i], globe, 1, expected);
        for (int i = 0; i < doc.m_nRivers; ++i)
            AddExpectedSegments(doc.m_pRivers[i], globe, 0, expected);
        for (int i = 0; i < doc.m_nWater; ++i)
            AddExpectedSegments(doc.m_pWater[i], globe, 1, expected);
        ASSERT_GE(segments.size(), expected.size());
        std::vector<std::vector<int>> worldSegments(segments.end() - expected.size(),
                                                    segments.end());
        EXPECT_TRUE(worldSegments == expected);
        EXPECT_GT(expected.size(), 10000u);

        // Names: only cities near the middle; world lines have none.
        EXPECT_EQ(dc.CountOf(Op::TextOut), static_cast<size_t>(citiesNamed));
        EXPECT_EQ(dc.CountOf(Op::Rectangle), static_cast<size_t>(citiesVisible));
        for (const auto& text : dc.CallsOf(Op::TextOut)) {
            EXPECT_EQ(text.font, (RecordingDC::FontValue{12, "Arial"}));
            EXPECT_EQ(text.bkMode, TRANSPARENT);
            EXPECT_EQ(text.textColour, 0u);
        }
    }
}

}  // namespace
