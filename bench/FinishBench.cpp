// Finishing at the largest map size: every picture effect on a generated 3200 x 1811 map, and
// the colour limit, crop, enlargement (scale 24) and cut patterns that follow.
#include <benchmark/benchmark.h>

#include <functional>

#include "canvas/Canvas.h"
#include "core/Numeric.h"
#include "finish/ColourLimit.h"
#include "finish/FinalSteps.h"
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
    c.ApplyEffect(PictureEffect::Relief);
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Effect, e2A_blur, [](Canvas& c) {
    c.ApplyEffect(PictureEffect::Blur);
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Effect, e2B_sharpen, [](Canvas& c) {
    c.ApplyEffect(PictureEffect::Sharpen);
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Effect, e2C_edges, [](Canvas& c) {
    c.ApplyEffect(PictureEffect::Edges);
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Effect, e3A_grain, [](Canvas& c) {
    c.ApplyEffect(PictureEffect::Grain);
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Effect, e3B_mosaic, [](Canvas& c) {
    c.ApplyEffect(PictureEffect::Mosaic);
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Effect, e4A_solarise, [](Canvas& c) {
    c.ApplyEffect(PictureEffect::Solarise);
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Effect, e4B_posterise, [](Canvas& c) {
    c.ApplyEffect(PictureEffect::Posterise);
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Effect, e4C_swirl, [](Canvas& c) {
    c.ApplyEffect(PictureEffect::Swirl);
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Effect, e5A_waves, [](Canvas& c) {
    c.ApplyEffect(PictureEffect::Waves);
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Effect, e5B_hue, [](Canvas& c) {
    c.ApplyEffect(PictureEffect::HueTurn);
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Effect, e6_crumble, [](Canvas& c) {
    c.ApplyEffect(PictureEffect::Crumble);
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

// The colour limit, the crop, the enlargement (24 tenths: 7680 x 4344) and the cut patterns, as
// a map plans and makes them, the enlarged picture made whole. Arguments: whether the effects
// flag is set (no first reduction) and the pattern chance in percent.
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
        const ColourLimitPlan limit = LimitPaletteLater(map, rng, effectsFlag, false);
        FinalSteps steps = PlanFinalSteps(map.canvas, map.ScaleTenths, map.stats, rng, p);
        steps.limit = limit;
        const IndexedPicture picture = ApplyFinalSteps(
            PaletteIndices(std::move(map.canvas), steps, map.stats.paletteSizes), steps);
        benchmark::DoNotOptimize(picture.Pixels().data());
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
