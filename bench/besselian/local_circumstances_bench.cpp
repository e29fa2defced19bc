// SPDX-License-Identifier: GPL-3.0-or-later
// Local circumstances of one place and one eclipse, once the eclipse's elements exist:
// a place inside the path of totality of 21 August 2017, and one where the eclipse begins
// before sunrise (the horizon search runs too); and the search for the eclipses seen from
// a place.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "astro/calendar.h"
#include "astro/eclipse_search.h"
#include "besselian/elements_fit.h"
#include "besselian/local_circumstances.h"
#include "besselian/visible_eclipse.h"

namespace {

const besselian::Besselian_Elements& Elements2017() {
    static const besselian::Besselian_Elements elements = [] {
        double jde = 0.0, magnitude = 0.0;
        uint16_t type = 0;
        FindEclipse(1, 2017, JDFromDateTime(2017, 8, 19, 0, 0, 0), jde, type, magnitude);
        besselian::Besselian_Elements e;
        if (!besselian::ComputeElements(jde, besselian::Engine_Options{}, e)) std::abort();
        return e;
    }();
    return elements;
}

void Local(benchmark::State& state, besselian::Geodetic_Place place) {
    const besselian::Besselian_Elements& e = Elements2017();
    for (auto _ : state) {
        benchmark::DoNotOptimize(besselian::ComputeLocalCircumstances(e, place));
    }
}

void BM_LocalCircumstancesTotal(benchmark::State& state) {
    Local(state, {37.7273, -89.2168, 120.0});  // Carbondale
}
BENCHMARK(BM_LocalCircumstancesTotal);

void BM_LocalCircumstancesSunrise(benchmark::State& state) {
    Local(state, {21.3069, -157.8583, 5.0});  // Honolulu
}
BENCHMARK(BM_LocalCircumstancesSunrise);

}  // namespace
