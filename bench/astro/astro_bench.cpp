// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the astronomical core: one step to the next eclipse, the Sun and Moon positions
// of one instant, the shadow of one instant with the questions the map asks of it, and the
// listing of every eclipse of the supported years.
#include <benchmark/benchmark.h>

#include "astro/calendar.h"
#include "astro/eclipse_step.h"
#include "astro/shadow.h"
#include "astro/sun_moon.h"

namespace {

void BM_StepToNextEclipse(benchmark::State& state) {
    Eclipse_Record record;
    int16_t year = 2001;
    for (auto _ : state) {
        StepEclipse(record, true, {year, 1, 1, 0, 0, 0});
        benchmark::DoNotOptimize(record.jde);
        year = static_cast<int16_t>(year == 2100 ? 2001 : year + 1);
    }
}
BENCHMARK(BM_StepToNextEclipse);

void BM_SunMoonPosition(benchmark::State& state) {
    double jd = 2451401.96;
    for (auto _ : state) {
        Sun_Moon_Position p = SunMoonPosition(jd);
        benchmark::DoNotOptimize(p);
        jd += 1.0 / 1440;
    }
}
BENCHMARK(BM_SunMoonPosition);

// One sampled minute of the map: the shadow state, the axis point, the horizon points and
// the twelve limits.
void BM_ShadowStateWithItsPoints(benchmark::State& state) {
    Shadow_State shadow;
    ResetShadowState(shadow);
    double jd = 2451401.96 - 0.1;
    for (auto _ : state) {
        ComputeShadowState(shadow, jd);
        double la = 0, lo = 0, la2 = 0, lo2 = 0;
        int found = AxisPoint(shadow, la, lo) == Shadow_Status::Found;
        found += ConeHorizonPoints(shadow, 0, la, lo, la2, lo2) == Shadow_Status::Found;
        for (int cone = 0; cone < SHADOW_CONES; ++cone) {
            found += ConeLimitLeft(shadow, cone, la, lo) == Shadow_Status::Found;
            found += ConeLimitRight(shadow, cone, la, lo) == Shadow_Status::Found;
        }
        benchmark::DoNotOptimize(found);
        benchmark::DoNotOptimize(la);
        jd += 1.0 / 1440;
        if (jd > 2451401.96 + 0.1) jd -= 0.2;
    }
}
BENCHMARK(BM_ShadowStateWithItsPoints);

// Every eclipse from 1 January 4713 BC to the first one after AD 9999, as repeated presses
// of the ">>" button find them.
void BM_ListWholeRange(benchmark::State& state) {
    size_t count = 0;
    for (auto _ : state) {
        Eclipse_Record r;
        count = 0;
        Civil_Date_Time at{-4713, 1, 1, 0, 0, 0};
        while (StepEclipse(r, true, at)) {
            ++count;
            at = r.dateTime;
        }
        benchmark::DoNotOptimize(count);
    }
    state.counters["eclipses"] = static_cast<double>(count);
}
BENCHMARK(BM_ListWholeRange)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
