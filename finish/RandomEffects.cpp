#include "finish/RandomEffects.h"

#include <span>
#include <vector>

namespace orvane {
namespace {

// One effect a block can choose: its name in the map's report, the variant draws that take
// it (at most `upTo`; the block's last choice takes the rest) and whether it moves land.
struct EffectChoice {
    const char* name;
    float upTo;
    bool movesLand;
    void (*apply)(Canvas& canvas, Random& rng, bool keepLandShape);
};

template <PictureEffect E>
void Plain(Canvas& canvas, Random&, bool keepLandShape) {
    canvas.ApplyEffect(E, keepLandShape);
}

// Bricks draw their size, then the mortar's red, green and blue.
void LayBricks(Canvas& canvas, Random& rng, bool) {
    const std::int32_t size = rng.RndInt(30) + 15;
    const std::int32_t red = rng.RndInt(135) + 120;
    const std::int32_t green = rng.RndInt(135) + 120;
    const std::int32_t blue = rng.RndInt(135) + 120;
    canvas.ApplyEffect7(size, RGB(red, green, blue));
}

// The blocks in the order they run. A block with one choice makes no variant draw.
using Block = std::span<const EffectChoice>;
constexpr EffectChoice kBlock1[] = {{"effect1", 1, false, Plain<PictureEffect::Relief>}};
constexpr EffectChoice kBlock2[] = {{"effect2A", 0.45f, false, Plain<PictureEffect::Blur>},
                                    {"effect2B", 0.8f, false, Plain<PictureEffect::Sharpen>},
                                    {"effect2C", 1, false, Plain<PictureEffect::Edges>}};
constexpr EffectChoice kBlock3[] = {{"effect3A", 0.75f, false, Plain<PictureEffect::Grain>},
                                    {"effect3B", 1, false, Plain<PictureEffect::Mosaic>}};
constexpr EffectChoice kBlock4[] = {{"effect4A", 0.33f, false, Plain<PictureEffect::Solarise>},
                                    {"effect4B", 0.66f, false, Plain<PictureEffect::Posterise>},
                                    {"effect4C", 1, true, Plain<PictureEffect::Swirl>}};
constexpr EffectChoice kBlock5[] = {{"effect5A", 0.3f, true, Plain<PictureEffect::Waves>},
                                    {"effect5B", 1, false, Plain<PictureEffect::HueTurn>}};
constexpr EffectChoice kBlock6[] = {{"effect6", 1, false, Plain<PictureEffect::Crumble>}};
constexpr EffectChoice kBlock7[] = {{"effect7", 1, false, LayBricks}};
constexpr Block kBlocks[] = {kBlock1, kBlock2, kBlock3, kBlock4, kBlock5, kBlock6, kBlock7};

// The block's choice: the first whose bound the variant draw does not exceed (ties take it).
const EffectChoice& Choose(Block block, Random& rng) {
    if (block.size() == 1) return block.front();
    const float s = rng.Rnd();
    for (const EffectChoice& choice : block.first(block.size() - 1))
        if (s <= choice.upTo) return choice;
    return block.back();
}

}  // namespace

void ApplyRandomEffects(MapState& map, Random& rng, float p, bool effectsFlag) {
    // Options are set only on maps without a coloured moon; other maps keep the defaults.
    if (map.pieces[map.pieces.MoonIndex()].Body == SkyBody::None) {
        map.canvas.SetEffectOptionA(rng.RndInt(15) + 5);
        map.canvas.SetEffectOptionB(rng.RndInt(255) + 1);
    }
    // Every block draws its chance even when it does not take place; the variant is drawn
    // only when it does. Ties take the branch (<=). Without the flag only the first block runs.
    const std::span<const Block> blocks =
        std::span(kBlocks).first(effectsFlag ? std::size(kBlocks) : 1);
    for (const Block block : blocks) {
        if (!rng.Chance(p)) continue;
        const EffectChoice& choice = Choose(block, rng);
        // Weapon cells are framed before the effects and filled after them at their recorded
        // places (and the label box is kept free): on a map with cells, swirl and waves only
        // recolour the land that was already there.
        choice.apply(map.canvas, rng,
                     choice.movesLand && map.WalkForWeapons && !map.WeaponSpots.empty());
        map.stats.effects.emplace_back(choice.name);
    }
}

}  // namespace orvane
