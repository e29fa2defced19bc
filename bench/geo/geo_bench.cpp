// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the projection of one point onto the document's globe.
#include <benchmark/benchmark.h>

#include <vector>

#include "geo/globe.h"
#include "geo/point.h"

namespace {

void BM_ProjectPoint(benchmark::State& state) {
    const Globe globe(320.0, 320.0, 318.0, 0.0, 35.0, 100.0);
    std::vector<Point> points;
    for (int lat = -85; lat <= 85; lat += 10)
        for (int lon = -180; lon < 180; lon += 10) points.emplace_back(lat, lon);
    size_t i = 0;
    for (auto _ : state) {
        int x, y;
        double w = points[i].Project(globe, x, y);
        benchmark::DoNotOptimize(w);
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(y);
        if (++i == points.size()) i = 0;
    }
}
BENCHMARK(BM_ProjectPoint);

}  // namespace

BENCHMARK_MAIN();
