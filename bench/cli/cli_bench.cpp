// SPDX-License-Identifier: GPL-3.0-or-later
// velmor-cli run as a whole process (start, world data where read, computation, output to
// /dev/null), for the commands whose time a user waits for:
//   the precise global circumstances of the canon's span, 2000 BC to AD 3000 (11898
//   eclipses; the engine shares them between two processes), and
//   the next ten eclipses seen from a city (the world data's cities read, the search).
#include <benchmark/benchmark.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

namespace {

void RunCli(benchmark::State& state, const std::string& args) {
    const std::string command = "'" VELMOR_CLI_PATH "' " + args + " >/dev/null";
    for (auto _ : state) {
        const int status = std::system(command.c_str());
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("velmor-cli failed");
            break;
        }
    }
}

void BM_EclipsesPreciseCanonSpan(benchmark::State& state) {
    RunCli(state, "eclipses --from -2000-01-01 --next --count 11898 --precise");
}
// A few seconds a run: three runs are enough.
BENCHMARK(BM_EclipsesPreciseCanonSpan)->Unit(benchmark::kSecond)->Iterations(3)->UseRealTime();

void BM_LocalNextTenFromMadrid(benchmark::State& state) {
    RunCli(state, "local --city Madrid --from 2026-01-01 --next --count 10");
}
BENCHMARK(BM_LocalNextTenFromMadrid)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
