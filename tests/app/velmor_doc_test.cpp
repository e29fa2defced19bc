// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/velmor_doc.h"

#include <gtest/gtest.h>

#include <cmath>
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

// The precise eclipse is computed once for an eclipse and its options, and again when either
// changes (a ΔT of NaN, the model's, counts as the same as NaN); the local circumstances
// come from the same elements and follow the place.
TEST(Document, KeepsThePreciseEclipseUntilTheEclipseOrTheOptionsChange) {
    CVelmorDoc doc;
    doc.m_eclipse.valid = true;
    doc.m_eclipse.jde = 2457987.268892;               // 2017 August 21
    EXPECT_EQ(doc.GetLocalCircumstances(), nullptr);  // no place yet
    EXPECT_EQ(doc.PreciseComputations(), 0);
    const double greatest = doc.GetPreciseEclipse().global.greatestJde;
    doc.GetPreciseEclipse();
    EXPECT_EQ(doc.PreciseComputations(), 1);
    EXPECT_FALSE(doc.GetPreciseEclipse().lines.empty());

    const std::tuple<const char*, double, double, double, bool> steps[] = {
        {"the same again", 2457987.268892, NAN, 959.63, false},
        {"another eclipse", 2460409.26, NAN, 959.63, true},
        {"back", 2457987.268892, NAN, 959.63, true},
        {"a given ΔT", 2457987.268892, 69.0, 959.63, true},
        {"the same ΔT", 2457987.268892, 69.0, 959.63, false},
        {"another Sun's radius", 2457987.268892, 69.0, 959.22, true},
    };
    int computations = 1;
    for (const auto& [label, jde, deltaT, sunRadius, computes] : steps) {
        SCOPED_TRACE(label);
        doc.m_eclipse.jde = jde;
        doc.m_preciseOptions = {deltaT, sunRadius};
        EXPECT_EQ(doc.GetPreciseEclipse().global.status, besselian::Global_Status::Ok);
        computations += computes;
        EXPECT_EQ(doc.PreciseComputations(), computations);
    }
    doc.m_eclipse.jde = 2457987.268892;
    doc.m_preciseOptions = besselian::Engine_Options{};
    EXPECT_EQ(doc.GetPreciseEclipse().global.greatestJde, greatest);

    // The place: on the central line near greatest eclipse the total phase, far away none.
    EXPECT_FALSE(doc.SetPlace({91.0, 0.0, 0.0}));
    EXPECT_FALSE(doc.m_bPlaceSet);
    ASSERT_TRUE(doc.SetPlace({doc.GetPreciseEclipse().global.latitudeDeg,
                              doc.GetPreciseEclipse().global.longitudeDeg, 0.0}));
    const int before = doc.PreciseComputations();
    ASSERT_NE(doc.GetLocalCircumstances(), nullptr);
    EXPECT_EQ(doc.GetLocalCircumstances()->typeSeen, besselian::Local_Type::Total);
    ASSERT_TRUE(doc.SetPlace({-40.0, 150.0, 0.0}));
    ASSERT_NE(doc.GetLocalCircumstances(), nullptr);
    EXPECT_EQ(doc.GetLocalCircumstances()->typeSeen, besselian::Local_Type::None);
    EXPECT_EQ(doc.PreciseComputations(), before);  // the place alone computes no eclipse
    doc.ClearPlace();
    EXPECT_EQ(doc.GetLocalCircumstances(), nullptr);
    // An instant the engine cannot use: no lines, no local circumstances, no crash.
    ASSERT_TRUE(doc.SetPlace({40.0, -3.0, 0.0}));
    doc.m_eclipse.jde = NAN;
    EXPECT_TRUE(doc.GetPreciseEclipse().lines.empty());
    EXPECT_EQ(doc.GetLocalCircumstances(), nullptr);
}
