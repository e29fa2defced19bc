// Speed of the world map with the shipped data files beside the program: loading the four
// files, and drawing the whole world into a recording device context.
#include <benchmark/benchmark.h>

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

}  // namespace

BENCHMARK_MAIN();
