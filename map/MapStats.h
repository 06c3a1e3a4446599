#pragma once
// What happened while one map was made: stage timings and counters, reported by
// orvane-cli --json so that every feature can be seen to happen.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace orvane {

enum class Drawer { GrassTuft, Flower, Tree, Gate, Glyph, Figure, StickFigure };
inline constexpr std::array<const char*, 7> kDrawerNames = {
    "grassTuft", "flower", "tree", "gate", "glyph", "figure", "stickFigure"};

struct MapStats {
    // Milliseconds per stage: p1..p4 of the terrain, then the finishing (createMap) and saving.
    std::array<std::int64_t, 4> terrainMs{};
    std::int64_t finishMs = 0;
    std::int64_t saveMs = 0;

    // Composition.
    int blobsDrawn = 0;
    int holesCut = 0;
    int linksDrawn = 0;
    int surfacesFound = 0;
    std::array<int, 7> decorations{};  // indexed by Drawer
    void CountDecoration(Drawer d) { ++decorations[static_cast<std::size_t>(d)]; }

    // Finishing.
    std::vector<std::string> effects;
    std::vector<int> paletteSizes;  // colours after each reduction
    std::vector<std::string> patterns;

    // Walk-for-weapons.
    int spotsReserved = 0;
    int picturesDrawn = 0;
    std::vector<int> weapons;  // weapon numbers chosen, in order
};

}  // namespace orvane
