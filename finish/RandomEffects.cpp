#include "finish/RandomEffects.h"

#include <span>
#include <vector>

namespace orvane {
namespace {

// Applies one effect and records its name for the map's report.
template <typename Apply>
void Record(MapState& map, const char* name, Apply apply) {
    apply(map.canvas);
    map.stats.effects.emplace_back(name);
}

// Swirl and waves move land. Weapon cells are framed before the effects and filled after
// them at their recorded places (and the label box is kept free), so on a map with cells the
// land keeps its shape: the moved picture only recolours land that was already there.
template <typename Apply>
void RecordMoving(MapState& map, const char* name, Apply apply) {
    if (!map.WalkForWeapons || map.WeaponSpots.empty()) {
        Record(map, name, apply);
        return;
    }
    const std::vector<Colour> before(map.canvas.Pixels().begin(), map.canvas.Pixels().end());
    Record(map, name, apply);
    std::span<Colour> after = map.canvas.Pixels();
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (before[i] == 0) {
            after[i] = 0;
        } else if (after[i] == 0) {
            after[i] = before[i];
        }
    }
}

}  // namespace

void ApplyRandomEffects(MapState& map, Random& rng, float p, bool effectsFlag) {
    Canvas& canvas = map.canvas;
    // Options are set only on maps without a coloured moon; other maps keep the defaults.
    if (map.pieces[map.pieces.MoonIndex()].Body == SkyBody::None) {
        canvas.SetEffectOptionA(rng.RndInt(15) + 5);
        canvas.SetEffectOptionB(rng.RndInt(255) + 1);
    }
    // Every block draws its chance even when it does not take place; the variant is drawn
    // only when it does. Ties take the branch (<=).
    if (rng.Chance(p)) Record(map, "effect1", [](Canvas& c) { c.ApplyEffect1(); });
    if (!effectsFlag) return;

    if (rng.Chance(p)) {
        const float s = rng.Rnd();
        if (s <= 0.45f) {
            Record(map, "effect2A", [](Canvas& c) { c.ApplyEffect2A(); });
        } else if (s <= 0.8f) {
            Record(map, "effect2B", [](Canvas& c) { c.ApplyEffect2B(); });
        } else {
            Record(map, "effect2C", [](Canvas& c) { c.ApplyEffect2C(); });
        }
    }
    if (rng.Chance(p)) {
        if (rng.Chance(0.75)) {
            Record(map, "effect3A", [](Canvas& c) { c.ApplyEffect3A(); });
        } else {
            Record(map, "effect3B", [](Canvas& c) { c.ApplyEffect3B(); });
        }
    }
    if (rng.Chance(p)) {
        const float s = rng.Rnd();
        if (s <= 0.33f) {
            Record(map, "effect4A", [](Canvas& c) { c.ApplyEffect4A(); });
        } else if (s <= 0.66f) {
            Record(map, "effect4B", [](Canvas& c) { c.ApplyEffect4B(); });
        } else {
            RecordMoving(map, "effect4C", [](Canvas& c) { c.ApplyEffect4C(); });
        }
    }
    if (rng.Chance(p)) {
        if (rng.Chance(0.3)) {
            RecordMoving(map, "effect5A", [](Canvas& c) { c.ApplyEffect5A(); });
        } else {
            Record(map, "effect5B", [](Canvas& c) { c.ApplyEffect5B(); });
        }
    }
    if (rng.Chance(p)) Record(map, "effect6", [](Canvas& c) { c.ApplyEffect6(); });
    if (rng.Chance(p)) {
        const std::int32_t size = rng.RndInt(30) + 15;
        const std::int32_t red = rng.RndInt(135) + 120;
        const std::int32_t green = rng.RndInt(135) + 120;
        const std::int32_t blue = rng.RndInt(135) + 120;
        Record(map, "effect7", [&](Canvas& c) { c.ApplyEffect7(size, RGB(red, green, blue)); });
    }
}

}  // namespace orvane
