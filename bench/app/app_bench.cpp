// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the world map with the shipped data files beside the program: loading the four
// files, and drawing the whole world into a recording device context; and of the precise
// eclipse: computing it (elements, global circumstances and lines) and drawing it.
#include <benchmark/benchmark.h>

#include "app/precise_map.h"
#include "app/velmor_doc.h"
#include "platform/recording_dc.h"

namespace {

void BM_LoadWorld(benchmark::State& state) {
    for (auto _ : state) {
        CVelmorDoc doc;
        benchmark::DoNotOptimize(doc.m_pLand);
    }
}
BENCHMARK(BM_LoadWorld)->Unit(benchmark::kMillisecond);

void BM_DrawWorldRecorded(benchmark::State& state) {
    CVelmorDoc doc;
    for (auto _ : state) {
        RecordingDC dc;
        doc.m_pGlobe->SetDC(&dc);
        doc.DrawWorld();
        doc.m_pGlobe->SetDC(nullptr);
        benchmark::DoNotOptimize(dc.Calls().data());
    }
}
BENCHMARK(BM_DrawWorldRecorded)->Unit(benchmark::kMillisecond);

constexpr double JDE_2017_TOTAL = 2457987.268892;

void BM_ComputePreciseEclipse(benchmark::State& state) {
    for (auto _ : state) {
        const Precise_Eclipse eclipse =
            ComputePreciseEclipse(JDE_2017_TOTAL, besselian::Engine_Options{});
        if (eclipse.lines.empty()) state.SkipWithError("no lines");
        benchmark::DoNotOptimize(eclipse.lines.data());
    }
}
BENCHMARK(BM_ComputePreciseEclipse)->Unit(benchmark::kMillisecond);

void BM_DrawPreciseEclipseRecorded(benchmark::State& state) {
    const Precise_Eclipse eclipse =
        ComputePreciseEclipse(JDE_2017_TOTAL, besselian::Engine_Options{});
    Globe globe(MAP_GLOBE_CENTRE_PIXELS, MAP_GLOBE_CENTRE_PIXELS, MAP_GLOBE_RADIUS_PIXELS, 0.0,
                eclipse.global.latitudeDeg, eclipse.global.longitudeDeg);
    for (auto _ : state) {
        RecordingDC dc;
        DrawPreciseEclipse(&dc, globe, eclipse);
        benchmark::DoNotOptimize(dc.Calls().data());
    }
}
BENCHMARK(BM_DrawPreciseEclipseRecorded)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
