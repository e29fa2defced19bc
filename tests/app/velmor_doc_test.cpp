#include "app/velmor_doc.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

#include "platform/recording_dc.h"

using Op = RecordingDC::Op;

TEST(Document, DrawsTheShippedWorldAndANewDocumentKeepsItsContents) {
    CVelmorDoc doc;  // the data files beside the program
    RecordingDC dc;
    doc.m_pGlobe->SetDC(&dc);
    doc.DrawWorld();
    const auto& disc = dc.Calls().at(1);
    EXPECT_EQ((std::vector<int>{int(disc.op), disc.a, disc.b, disc.c, disc.d}),
              (std::vector<int>{int(Op::Ellipse), 2, 2, 638, 638}));
    EXPECT_EQ(disc.brush, RGB(40, 166, 254));
    // Each operation selects its pen first, when the one before has put back its objects;
    // the pens' colours in runs: grid, land and rivers, water, cities.
    std::vector<std::pair<COLORREF, int>> runs;
    for (const auto& call : dc.Calls()) {
        if (call.op != Op::SelectPen || call.stockPen) continue;
        EXPECT_TRUE(call.stockBrush && call.stockFont);
        if (runs.empty() || runs.back().first != call.pen.colour)
            runs.push_back({call.pen.colour, 0});
        ++runs.back().second;
    }
    EXPECT_TRUE(dc.StockObjectsSelected());
    EXPECT_EQ(dc.ObjectFaults(), 0);
    int lines = doc.m_nRivers, water = 0, cities = 0, named = 0;
    for (int i = 0; i < doc.m_nLand; ++i) lines += doc.m_pLand[i].size > 2;
    for (int i = 0; i < doc.m_nWater; ++i) water += doc.m_pWater[i].size > 2;
    for (int i = 0; i < doc.m_nCities; ++i) {
        int x, y;
        const double w = doc.m_pCities[i].Project(*doc.m_pGlobe, x, y);
        cities += w > 0;
        named += w > 0.71;
    }
    EXPECT_GT(water * named, 0);
    EXPECT_EQ(runs, (std::vector<std::pair<COLORREF, int>>{
                        {0x7F7F7F, 720 + 384}, {0, lines}, {0xA05000, water}, {0x00FFFF, cities}}));
    EXPECT_EQ(dc.CountOf(Op::TextOut), size_t(named));

    doc.m_eclipse.jde = 2451401.96105;
    doc.m_dCentreLat = 45.1;
    const Land* land = doc.m_pLand;
    EXPECT_EQ(doc.OnNewDocument(), 1);
    EXPECT_EQ(std::make_tuple(doc.m_eclipse.jde, doc.m_dCentreLat, doc.m_pLand),
              std::make_tuple(2451401.96105, 45.1, land));
}
