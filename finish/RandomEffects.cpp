#include "finish/RandomEffects.h"

namespace orvane {
namespace {

// Applies one effect and records its name for the map's report.
template <typename Apply>
void Record(MapState& map, const char* name, Apply apply) {
    apply(map.canvas);
    map.stats.effects.emplace_back(name);
}

}  // namespace

void ApplyRandomEffects(MapState& map, Random& rng, float p, bool effectsFlag) {
    Canvas& canvas = map.canvas;
    // Options are set only on maps without a coloured moon; other maps keep the defaults.
    if (map.Piece(map.MoonIndex).ColourKind == 0) {
        canvas.SetEffectOptionA(rng.RndInt(15) + 5);
        canvas.SetEffectOptionB(rng.RndInt(255) + 1);
    }
    // Every block draws its chance even when it does not take place; the variant is drawn
    // only when it does. Ties take the branch (<=).
    if (rng.Rnd() <= p) Record(map, "effect1", [](Canvas& c) { c.ApplyEffect1(); });
    if (!effectsFlag) return;

    if (rng.Rnd() <= p) {
        const float s = rng.Rnd();
        if (s <= 0.45f) {
            Record(map, "effect2A", [](Canvas& c) { c.ApplyEffect2A(); });
        } else if (s <= 0.8f) {
            Record(map, "effect2B", [](Canvas& c) { c.ApplyEffect2B(); });
        } else {
            Record(map, "effect2C", [](Canvas& c) { c.ApplyEffect2C(); });
        }
    }
    if (rng.Rnd() <= p) {
        if (rng.Rnd() <= 0.75f) {
            Record(map, "effect3A", [](Canvas& c) { c.ApplyEffect3A(); });
        } else {
            Record(map, "effect3B", [](Canvas& c) { c.ApplyEffect3B(); });
        }
    }
    if (rng.Rnd() <= p) {
        const float s = rng.Rnd();
        if (s <= 0.33f) {
            Record(map, "effect4A", [](Canvas& c) { c.ApplyEffect4A(); });
        } else if (s <= 0.66f) {
            Record(map, "effect4B", [](Canvas& c) { c.ApplyEffect4B(); });
        } else {
            Record(map, "effect4C", [](Canvas& c) { c.ApplyEffect4C(); });
        }
    }
    if (rng.Rnd() <= p) {
        if (rng.Rnd() <= 0.3f) {
            Record(map, "effect5A", [](Canvas& c) { c.ApplyEffect5A(); });
        } else {
            Record(map, "effect5B", [](Canvas& c) { c.ApplyEffect5B(); });
        }
    }
    if (rng.Rnd() <= p) Record(map, "effect6", [](Canvas& c) { c.ApplyEffect6(); });
    if (rng.Rnd() <= p) {
        const std::int32_t size = rng.RndInt(30) + 15;
        const std::int32_t red = rng.RndInt(135) + 120;
        const std::int32_t green = rng.RndInt(135) + 120;
        const std::int32_t blue = rng.RndInt(135) + 120;
        Record(map, "effect7", [&](Canvas& c) { c.ApplyEffect7(size, RGB(red, green, blue)); });
    }
}

}  // namespace orvane
