// Whole maps through the run driver, from the first draw to the saved file: a median-sized and
// the largest map of a survey of seeds, in both modes. Counters give the milliseconds of each
// stage (p1..p4 terrain, createMap finishing, save) as the run reports them.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "app/Run.h"
#include "app/Seed.h"

namespace orvane {
namespace {

class StageListener : public RunListener {
  public:
    void ReplaceLog(const std::string&) override {}
    void Append(const std::string&) override {}
    void Diagnostic(const std::string&) override {}
    void MapSaved(const MapReport& report) override { last = report; }
    MapReport last;
};

// Maps are written to memory-backed storage where there is some, so disk syncs do not
// swamp the figures.
std::filesystem::path BenchFolder() {
    const std::filesystem::path shm = "/dev/shm";
    const std::filesystem::path base =
        std::filesystem::is_directory(shm) ? shm : std::filesystem::temp_directory_path();
    const auto folder = base / ("orvane-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    return folder;
}

void WholeMap(benchmark::State& state, const std::string& seed, bool walkForWeapons) {
    const auto folder = BenchFolder();
    StageListener listener;
    Random rng;
    WeaponChooser chooser;
    RunContext ctx{rng, chooser, listener, folder, ".", walkForWeapons};
    std::array<double, 6> sums{};
    for (auto _ : state) {
        RunSeeded(ctx, seed);
        const MapStats& s = listener.last.stats;
        for (std::size_t i = 0; i < 4; ++i) sums[i] += static_cast<double>(s.terrainMs[i]);
        sums[4] += static_cast<double>(s.finishMs);
        sums[5] += static_cast<double>(s.saveMs);
    }
    const char* names[] = {"p1_ms", "p2_ms", "p3_ms", "p4_ms", "createMap_ms", "save_ms"};
    for (std::size_t i = 0; i < sums.size(); ++i)
        state.counters[names[i]] = benchmark::Counter(sums[i], benchmark::Counter::kAvgIterations);
    state.counters["pixels"] = static_cast<double>(listener.last.width) * listener.last.height;
    state.counters["bytes"] = static_cast<double>(listener.last.fileBytes);
    std::filesystem::remove_all(folder);
}

// big382: 2864 x 1864, the median of 400 seeds; big215: 6808 x 4024, the largest of them.
BENCHMARK_CAPTURE(WholeMap, median, std::string("big382"), false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WholeMap, largest, std::string("big215"), false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WholeMap, median_wfw, std::string("big382"), true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WholeMap, largest_wfw, std::string("big215"), true)
    ->Unit(benchmark::kMillisecond);

// A batch of eight unseeded maps: the run's overlap of one map's saving with the next map
// shows here and not in single maps.
void Batch(benchmark::State& state) {
    const auto folder = BenchFolder();
    StageListener listener;
    Random rng;
    WeaponChooser chooser;
    RunContext ctx{rng, chooser, listener, folder, ".", false};
    for (auto _ : state) {
        rng.Reset();
        rng.Seed(SeedNumber("batch"));
        GenerateMaps(ctx, 8, true, "");
        state.PauseTiming();
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            std::filesystem::remove(entry.path());
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * 8);
    std::filesystem::remove_all(folder);
}
BENCHMARK(Batch)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace orvane
