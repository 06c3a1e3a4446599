#pragma once
// Seeded maps for the terrain tests and benchmarks: the run's first draws, then the layout stages.
#include <cstdint>

#include "core/Numeric.h"
#include "core/Random.h"
#include "map/MapLog.h"
#include "map/MapState.h"
#include "terrain/layout/LayoutParameters.h"
#include "terrain/layout/OutlinePieces.h"
#include "terrain/layout/PaintPieces.h"
#include "terrain/layout/PlacePieces.h"
#include "tests/support/TestMaps.h"
#include "tests/support/TestSupport.h"

namespace orvane::test {

// Draws the scale and the size exactly as a run starts a map, and creates the black canvas.
inline void StartSeededMap(MapState& map, Random& rng, std::uint32_t seed) {
    rng.Reset();
    rng.Seed(seed);
    DrawMapSize(map, rng);
    map.canvas.CreateImage(map.MapWidth, map.MapHeight, 0);
}

// A map of a chosen width and scale, without the size draws, for pictures of a known size.
inline void StartSizedMap(MapState& map, Random& rng, std::uint32_t seed, std::int32_t width,
                          std::int32_t scaleTenths) {
    rng.Reset();
    rng.Seed(seed);
    map = MakeMap(width, CLng(width / kMapAspect));
    map.ScaleTenths = scaleTenths;
}

// The layout parameters and colour tables: everything before placement.
inline void PrepareSeededMap(MapState& map, Random& rng, std::uint32_t seed) {
    StartSeededMap(map, rng, seed);
    DrawLayoutParameters(map, rng);
    FillColourTables(map.colours, rng);
}

// Parameters, tables, placement and outlines: everything before painting.
inline void PlanSeededMap(MapState& map, Random& rng, std::uint32_t seed) {
    PrepareSeededMap(map, rng, seed);
    PlacePieces(map, rng);
    OutlinePieces(map, rng);
}

// Records every diagnostic so tests can see that painting trapped nothing.
class RecordingLog : public MapLog {
  public:
    void Append(const std::string& text) override { text_ += text; }
    void Diagnostic(const std::string& message) override { diagnostics_.push_back(message); }
    const std::string& Text() const { return text_; }
    const std::vector<std::string>& Diagnostics() const { return diagnostics_; }

  private:
    std::string text_;
    std::vector<std::string> diagnostics_;
};

}  // namespace orvane::test
