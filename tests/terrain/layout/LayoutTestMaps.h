#pragma once
// Seeded maps for the layout tests: the run's first draws, then the layout stages.
#include <cstdint>

#include "core/MapLog.h"
#include "core/MapState.h"
#include "core/Numeric.h"
#include "core/Random.h"
#include "terrain/layout/LayoutParameters.h"
#include "terrain/layout/OutlinePieces.h"
#include "terrain/layout/PaintPieces.h"
#include "terrain/layout/PlacePieces.h"

namespace orvane::test {

// Draws the scale and the size exactly as a run starts a map, and creates the black canvas.
inline void StartSeededMap(MapState& map, Random& rng, std::uint32_t seed) {
    rng.Reset();
    rng.Seed(seed);
    DrawMapSize(map, rng);
}

// Parameters, tables, placement and outlines: everything before painting.
inline void PlanSeededMap(MapState& map, Random& rng, std::uint32_t seed) {
    StartSeededMap(map, rng, seed);
    DrawLayoutParameters(map, rng);
    FillColourTables(map, rng);
    PlacePieces(map, rng);
    OutlinePieces(map, rng);
}

inline int CountLand(const Canvas& canvas) {
    int n = 0;
    for (Colour c : canvas.Pixels()) n += c != 0;
    return n;
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
