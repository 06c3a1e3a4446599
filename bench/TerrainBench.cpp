// Terrain layout stages on fixed seeds: placement, outlines, painting and the whole terrain
// (which includes the composition pass). The argument is the seed.
#include <benchmark/benchmark.h>

#include "terrain/GenerateTerrain.h"
#include "tests/terrain/SeededMaps.h"

namespace orvane {
namespace {

using test::StartSeededMap;

// A two-piece map, a 19-piece large map, a crowded 453-piece one and a small 63-piece one.
void Seeds(benchmark::internal::Benchmark* b) {
    for (int seed : {1000, 1070, 1007, 1091}) b->Arg(seed);
    b->Unit(benchmark::kMillisecond);
}

std::uint32_t SeedOf(const benchmark::State& state) {
    return static_cast<std::uint32_t>(state.range(0));
}

void ReportMap(benchmark::State& state, const MapState& map) {
    state.counters["pieces"] = map.layout.PieceCount;
    state.counters["width"] = map.MapWidth;
}

void PlacePiecesStage(benchmark::State& state) {
    MapState map;
    for (auto _ : state) {
        state.PauseTiming();
        Random rng;
        test::PrepareSeededMap(map, rng, SeedOf(state));
        state.ResumeTiming();
        PlacePieces(map, rng);
    }
    ReportMap(state, map);
}
BENCHMARK(PlacePiecesStage)->Apply(Seeds);

void OutlinePiecesStage(benchmark::State& state) {
    MapState map;
    for (auto _ : state) {
        state.PauseTiming();
        Random rng;
        test::PrepareSeededMap(map, rng, SeedOf(state));
        PlacePieces(map, rng);
        state.ResumeTiming();
        OutlinePieces(map, rng);
    }
    ReportMap(state, map);
}
BENCHMARK(OutlinePiecesStage)->Apply(Seeds);

void PaintPiecesStage(benchmark::State& state) {
    MapState map;
    NullLog log;
    for (auto _ : state) {
        state.PauseTiming();
        Random rng;
        test::PlanSeededMap(map, rng, SeedOf(state));
        state.ResumeTiming();
        PaintPieces(map, rng, log);
    }
    ReportMap(state, map);
}
BENCHMARK(PaintPiecesStage)->Apply(Seeds);

void WholeTerrain(benchmark::State& state) {
    MapState map;
    NullLog log;
    for (auto _ : state) {
        state.PauseTiming();
        map = MapState{};
        Random rng;
        StartSeededMap(map, rng, SeedOf(state));
        state.ResumeTiming();
        GenerateTerrain(map, rng, log);
    }
    ReportMap(state, map);
}
BENCHMARK(WholeTerrain)->Apply(Seeds);

}  // namespace
}  // namespace orvane
