// Finishing at the largest map size: every picture effect on a generated 3200 x 1811 map, and
// the colour limit, enlargement (scale 24) and cut patterns that follow.
#include <benchmark/benchmark.h>

#include <functional>

#include "canvas/Canvas.h"
#include "core/Numeric.h"
#include "finish/ColourLimit.h"
#include "finish/Patterns.h"
#include "finish/Signature.h"
#include "map/MapLog.h"
#include "palette/ColourReduction.h"
#include "terrain/GenerateTerrain.h"
#include "tests/terrain/SeededMaps.h"

namespace orvane {
namespace {

// One generated map of the largest size, made once and copied for each run.
const MapState& LargestMap() {
    static const MapState map = [] {
        Random rng;
        MapState m;
        test::StartSizedMap(m, rng, 4242, 3200, 24);
        NullLog log;
        GenerateTerrain(m, rng, log);
        DrawSignature(m, rng);
        return m;
    }();
    return map;
}

void Effect(benchmark::State& state, const std::function<void(Canvas&)>& apply) {
    const Canvas& base = LargestMap().canvas;
    for (auto _ : state) {
        state.PauseTiming();
        Canvas c = base;
        c.SetEffectOptionA(12);
        c.SetEffectOptionB(100);
        state.ResumeTiming();
        apply(c);
        benchmark::DoNotOptimize(c.Pixels().data());
    }
    state.SetItemsProcessed(state.iterations() * base.GetWidth() * base.GetHeight());
}

BENCHMARK_CAPTURE(Effect, e1_relief, [](Canvas& c) {
    c.ApplyEffect1();
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Effect, e2A_blur, [](Canvas& c) {
    c.ApplyEffect2A();
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Effect, e2B_sharpen, [](Canvas& c) {
    c.ApplyEffect2B();
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Effect, e2C_edges, [](Canvas& c) {
    c.ApplyEffect2C();
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Effect, e3A_grain, [](Canvas& c) {
    c.ApplyEffect3A();
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Effect, e3B_mosaic, [](Canvas& c) {
    c.ApplyEffect3B();
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Effect, e4A_solarise, [](Canvas& c) {
    c.ApplyEffect4A();
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Effect, e4B_posterise, [](Canvas& c) {
    c.ApplyEffect4B();
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Effect, e4C_swirl, [](Canvas& c) {
    c.ApplyEffect4C();
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Effect, e5A_waves, [](Canvas& c) {
    c.ApplyEffect5A();
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Effect, e5B_hue, [](Canvas& c) {
    c.ApplyEffect5B();
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Effect, e6_crumble, [](Canvas& c) {
    c.ApplyEffect6();
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Effect, e7_bricks, [](Canvas& c) {
    c.ApplyEffect7(30, RGB(200, 180, 150));
})->Unit(benchmark::kMillisecond);

// The whole-picture colour passes of the colour limit, on the generated map.
void CountColours(benchmark::State& state) {
    const Canvas& base = LargestMap().canvas;
    for (auto _ : state) benchmark::DoNotOptimize(base.CountColours());
    state.SetItemsProcessed(state.iterations() * base.GetWidth() * base.GetHeight());
}
BENCHMARK(CountColours)->Unit(benchmark::kMillisecond);

void LandHistogramPass(benchmark::State& state) {
    const Canvas& base = LargestMap().canvas;
    bool hasBlack = false;
    for (auto _ : state) benchmark::DoNotOptimize(LandHistogram(base.Pixels(), hasBlack));
    state.SetItemsProcessed(state.iterations() * base.GetWidth() * base.GetHeight());
}
BENCHMARK(LandHistogramPass)->Unit(benchmark::kMillisecond);

void RemapPass(benchmark::State& state) {
    const Canvas& base = LargestMap().canvas;
    bool hasBlack = false;
    const std::vector<HistogramEntry> land = LandHistogram(base.Pixels(), hasBlack);
    const std::vector<Colour> palette = MedianCutPalette(land, 63);
    std::vector<HistogramEntry> mapped;
    for (auto _ : state) {
        state.PauseTiming();
        Canvas c = base;
        state.ResumeTiming();
        ApplyMapping(c.Pixels(), PaletteMapping(land, palette, mapped));
        benchmark::DoNotOptimize(c.Pixels().data());
    }
    state.SetItemsProcessed(state.iterations() * base.GetWidth() * base.GetHeight());
}
BENCHMARK(RemapPass)->Unit(benchmark::kMillisecond);

// LimitPalette + ScalePicture (24 tenths: 7680 x 4344) + DrawPatterns. Arguments: whether
// the effects flag is set (no first reduction) and the pattern chance in percent.
void Finishing(benchmark::State& state) {
    const bool effectsFlag = state.range(0) != 0;
    const float p = static_cast<float>(state.range(1)) / 100.0f;
    Random rng;
    rng.Reset();
    rng.Seed(7);
    for (auto _ : state) {
        state.PauseTiming();
        MapState map;
        map.canvas = LargestMap().canvas;
        map.ScaleTenths = 24;
        state.ResumeTiming();
        LimitPalette(map, rng, effectsFlag, false);
        ScalePicture(map);
        DrawPatterns(map, rng, p);
        benchmark::DoNotOptimize(map.canvas.Pixels().data());
    }
}
BENCHMARK(Finishing)
    ->Args({1, 0})
    ->Args({0, 0})
    ->Args({1, 100})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace
}  // namespace orvane
