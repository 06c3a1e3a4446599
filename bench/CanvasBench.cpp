// Canvas primitives and whole-picture operations at map sizes.
#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>

#include "canvas/Canvas.h"
#include "palette/IndexedPicture.h"
#include "png/PaletteExport.h"
#include "tests/support/SamplePicture.h"

namespace orvane {
namespace {

constexpr int kWidth = 3200;
constexpr int kHeight = 1811;

void Lines(benchmark::State& state) {
    Canvas c;
    c.CreateImage(kWidth, kHeight);
    c.SetPenColour(RGB(200, 100, 50));
    c.SetPenWidth(static_cast<std::int32_t>(state.range(0)));
    int i = 0;
    for (auto _ : state) {
        // 400-pixel strokes in every direction, some crossing the edges.
        const double a = i * 0.7;
        const int x = (i * 97) % kWidth, y = (i * 61) % kHeight;
        c.DrawLine(x, y, x + static_cast<int>(400 * std::cos(a)),
                   y + static_cast<int>(400 * std::sin(a)));
        ++i;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(Lines)->Arg(1)->Arg(3)->Arg(8)->Arg(20);

void Outline(benchmark::State& state) {
    Canvas c;
    c.CreateImage(kWidth, kHeight);
    c.SetPenColour(RGB(200, 100, 50));
    c.SetPenWidth(static_cast<std::int32_t>(state.range(0)));
    // A terrain-like outline: 2000 points about 3 pixels apart, wobbling around a circle.
    for (int k = 0; k < 2000; ++k) {
        const double a = k * 2 * std::numbers::pi / 2000;
        const double r = 600 + 40 * std::sin(23 * a) + 3 * std::sin(k * 1.7);
        c.AddPolyPoint(1600 + static_cast<int>(r * std::cos(a)),
                       900 + static_cast<int>(r * std::sin(a)));
    }
    for (auto _ : state) c.DrawPolyline();
    state.SetItemsProcessed(state.iterations() * 2000);
}
BENCHMARK(Outline)->Arg(1)->Arg(2)->Arg(4)->Arg(6);

// A blank map-sized canvas with a green fill and a darker pen.
Canvas FillCanvas() {
    Canvas c;
    c.CreateImage(kWidth, kHeight);
    c.SetFillColour(RGB(10, 200, 10));
    c.SetPenColour(RGB(10, 100, 10));
    return c;
}

void PolygonFill(benchmark::State& state) {
    Canvas c = FillCanvas();
    // A wavy closed outline of 400 points about 1000 pixels across.
    for (int k = 0; k < 400; ++k) {
        const double a = k * 2 * std::numbers::pi / 400;
        const double r = 500 + 80 * std::sin(7 * a);
        c.AddPolyPoint(1600 + static_cast<int>(r * std::cos(a)),
                       900 + static_cast<int>(r * std::sin(a)));
    }
    for (auto _ : state) c.FillPolygon();
}
BENCHMARK(PolygonFill)->Unit(benchmark::kMicrosecond);

void BlobFill(benchmark::State& state) {
    Canvas c = FillCanvas();
    c.SetPenWidth(2);
    int i = 0;
    for (auto _ : state) {
        // Texture blobs: six points wandering up to 11 pixels a step.
        int x = 100 + (i * 131) % (kWidth - 200), y = 100 + (i * 71) % (kHeight - 200);
        for (int k = 0; k < 6; ++k) {
            x += (i * 7 + k * 13) % 23 - 11;
            y += (i * 11 + k * 5) % 23 - 11;
            c.AddPolyPoint(x, y);
        }
        c.FillPolygon();
        c.ClearPolyPoints();
        ++i;
    }
}
BENCHMARK(BlobFill);

void Circles(benchmark::State& state) {
    Canvas c;
    c.CreateImage(kWidth, kHeight);
    c.SetFillColour(RGB(100, 100, 200));
    c.SetPenColour(RGB(50, 50, 100));
    c.SetPenWidth(2);
    const int r = static_cast<int>(state.range(0));
    int i = 0;
    for (auto _ : state) {
        c.DrawCircle((i * 131) % kWidth, (i * 71) % kHeight, r);
        ++i;
    }
}
BENCHMARK(Circles)->Arg(5)->Arg(50)->Arg(300);

void GetPixelScan(benchmark::State& state) {
    const Canvas c = test::SampleMap(kWidth, kHeight);
    for (auto _ : state) {
        std::uint64_t empty = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) empty += c.GetPixel(x, y) == 0;
        benchmark::DoNotOptimize(empty);
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(GetPixelScan)->Unit(benchmark::kMillisecond);

void ReduceColours64(benchmark::State& state) {
    const Canvas original = test::SampleMap(kWidth, kHeight);
    state.counters["colours"] = original.CountColours();
    for (auto _ : state) {
        state.PauseTiming();
        Canvas c = original;
        state.ResumeTiming();
        c.ReduceColours(64, {.medianCut = state.range(0) == 1, .dither = state.range(1) == 1});
        benchmark::DoNotOptimize(c.Pixels().data());
    }
}
BENCHMARK(ReduceColours64)->Args({0, 0})->Args({1, 0})->Args({0, 1})->Unit(benchmark::kMillisecond);

void ResizeToFinal(benchmark::State& state) {
    const Canvas original = test::SampleMap(kWidth, kHeight);
    for (auto _ : state) {
        state.PauseTiming();
        Canvas c = original;
        state.ResumeTiming();
        c.ResizeImage(7680, 4344);
        benchmark::DoNotOptimize(c.Pixels().data());
    }
}
BENCHMARK(ResizeToFinal)->Unit(benchmark::kMillisecond);

// A largest map's export from palette indices, as the save makes it, on one thread or two; from
// the canvas, the conversion to indices comes first.
void ExportPalettePng(benchmark::State& state) {
    Canvas c = test::SampleMap(kWidth, kHeight);
    c.ReduceColours(64);
    c.ResizeImage(7680, 4344);
    const IndexedPicture picture = IndexedPicture::FromColours(c);
    const bool fromCanvas = state.range(0) != 0;
    const auto threads = static_cast<unsigned>(state.range(1));
    for (auto _ : state) {
        const auto png =
            fromCanvas ? ExportPng(IndexedPicture::FromColours(c)) : ExportPng(picture, threads);
        state.counters["bytes"] = static_cast<double>(png.size());
    }
}
BENCHMARK(ExportPalettePng)
    ->ArgNames({"fromCanvas", "threads"})
    ->Args({0, 1})
    ->Args({0, 2})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orvane
