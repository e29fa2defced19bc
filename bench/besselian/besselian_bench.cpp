// SPDX-License-Identifier: GPL-3.0-or-later
// The precise engine's speed: the elements, the global circumstances, and the global
// circumstances with every line of one eclipse; and the whole span of the eclipse canon
// (-1999 ... +3000, the lunation search's 11,896 eclipses there) found and computed with two
// workers, as a command-line listing would.
#include <benchmark/benchmark.h>

#include <vector>

#include "astro/eclipse_search.h"
#include "besselian/elements_fit.h"
#include "besselian/global_circumstances.h"
#include "besselian/shadow_lines.h"

using namespace besselian;

namespace {

// Total eclipse of 2024-04-08 (the lunation method's instant) and an annular one in 2000 BC.
constexpr double ECLIPSE_2024 = 2460409.26;
constexpr double ECLIPSE_2000_BC = 991262.49;

void BM_Elements(benchmark::State& state) {
    const double jde = state.range(0) ? ECLIPSE_2000_BC : ECLIPSE_2024;
    Besselian_Elements e;
    for (auto _ : state) {
        ComputeElements(jde + 1e-9 * (state.iterations() % 2), Engine_Options{}, e);
        benchmark::DoNotOptimize(e);
    }
}
BENCHMARK(BM_Elements)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_GlobalCircumstances(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComputeGlobalCircumstances(ECLIPSE_2024, Engine_Options{}));
    }
}
BENCHMARK(BM_GlobalCircumstances)->Unit(benchmark::kMicrosecond);

void BM_GlobalCircumstancesAndLines(benchmark::State& state) {
    for (auto _ : state) {
        const Global_Circumstances g = ComputeGlobalCircumstances(ECLIPSE_2024, Engine_Options{});
        benchmark::DoNotOptimize(ComputeShadowLines(g));
    }
}
BENCHMARK(BM_GlobalCircumstancesAndLines)->Unit(benchmark::kMillisecond);

void BM_LinesOnly(benchmark::State& state) {
    const Global_Circumstances g = ComputeGlobalCircumstances(ECLIPSE_2024, Engine_Options{});
    for (auto _ : state) benchmark::DoNotOptimize(ComputeShadowLines(g));
}
BENCHMARK(BM_LinesOnly)->Unit(benchmark::kMillisecond);

void BM_CanonSpan(benchmark::State& state) {
    const int workers = static_cast<int>(state.range(0));
    for (auto _ : state) {
        std::vector<double> jdes;
        double from = 990574.5;  // 2000 BC January 1 (Julian calendar)
        while (true) {
            double jde = 0, magnitude = 0;
            uint16_t type = 0;
            FindEclipse(1, -2000, from, jde, type, magnitude);
            if (jde > 2817152.5) break;  // AD 3000 December 31
            jdes.push_back(jde);
            from = jde + 1;
        }
        const auto results = ComputeGlobalCircumstancesMany(jdes, Engine_Options{}, workers);
        benchmark::DoNotOptimize(results.data());
        state.counters["eclipses"] = static_cast<double>(results.size());
    }
}
BENCHMARK(BM_CanonSpan)->Arg(2)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
