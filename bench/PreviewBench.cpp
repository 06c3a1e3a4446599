// The window's preview of a finished map at the largest final size (7680 x 4344), fitted into
// the pane's 240 x 136: the cost the preview adds to every map of a batch.
#include <benchmark/benchmark.h>

#include "app/Preview.h"
#include "canvas/Canvas.h"

namespace orvane {
namespace {

void BM_MakePreview(benchmark::State& state) {
    Canvas canvas;
    canvas.CreateImage(7680, 4344, 0);
    auto pixels = canvas.Pixels();
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<Colour>(i * 2654435761u);
    for (auto _ : state) benchmark::DoNotOptimize(MakePreview(canvas, 240, 136));
}
BENCHMARK(BM_MakePreview)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace orvane
