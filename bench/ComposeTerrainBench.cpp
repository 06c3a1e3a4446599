// Time of the composition stage over 64 seeded maps of the run's sizes: median and worst of
// the stage's own millisecond figure (p4), and the same measured with a finer clock.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <string>
#include <vector>

#include "map/MapLog.h"
#include "terrain/GenerateTerrain.h"
#include "terrain/compose/ComposeTerrain.h"
#include "terrain/layout/PaintPieces.h"
#include "tests/terrain/SeededMaps.h"

namespace {

using namespace orvane;

using orvane::test::PlanSeededMap;
using orvane::test::StartSeededMap;

// CPU time of this thread: on a shared machine the wall clock also counts other programs.
double ThreadCpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

void Summarise(benchmark::State& state, std::vector<double> ms, const char* prefix) {
    std::sort(ms.begin(), ms.end());
    const double median = (ms[ms.size() / 2 - 1] + ms[ms.size() / 2]) / 2;
    state.counters[std::string(prefix) + "median_ms"] = median;
    state.counters[std::string(prefix) + "worst_ms"] = ms.back();
}

// The stage figure GenerateTerrain records (whole milliseconds).
void BM_ComposeStageTicks(benchmark::State& state) {
    for (auto _ : state) {
        std::vector<double> ms;
        for (std::uint32_t seed = 1; seed <= 64; ++seed) {
            MapState map;
            Random rng;
            StartSeededMap(map, rng, seed);
            NullLog log;
            GenerateTerrain(map, rng, log);
            ms.push_back(static_cast<double>(map.stats.terrainMs[3]));
        }
        Summarise(state, ms, "p4_");
    }
}
BENCHMARK(BM_ComposeStageTicks)->Iterations(1)->Unit(benchmark::kMillisecond);

// The same stages run by hand with a steady clock around the composition alone.
void BM_ComposeStageClock(benchmark::State& state) {
    for (auto _ : state) {
        std::vector<double> ms, cpu;
        for (std::uint32_t seed = 1; seed <= 64; ++seed) {
            MapState map;
            Random rng;
            PlanSeededMap(map, rng, seed);
            NullLog log;
            PaintPieces(map, rng, log);
            const double c0 = ThreadCpuMs();
            const auto t0 = std::chrono::steady_clock::now();
            ComposeTerrain(map, rng);
            const auto t1 = std::chrono::steady_clock::now();
            cpu.push_back(ThreadCpuMs() - c0);
            ms.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
        }
        Summarise(state, ms, "wall_");
        Summarise(state, cpu, "cpu_");
    }
}
BENCHMARK(BM_ComposeStageClock)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
