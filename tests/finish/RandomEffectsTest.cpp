// Which effects a map gets: the draws each block makes, the variant thresholds (ties take
// the lower variant), the options, and the order in which effects are applied.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "finish/RandomEffects.h"
#include "tests/support/EffectList.h"
#include "tests/support/LandPicture.h"
#include "tests/support/ScriptedRandom.h"
#include "tests/support/TestMaps.h"

namespace orvane {
namespace {

using test::ScriptedRandom;
using Names = std::vector<std::string>;

// A small all-land picture; piece 1 is the moon, piece 2 the floor.
MapState SmallMap(SkyBody body) {
    MapState map = test::MakeMap(48, 32);
    map.canvas.CreateImage(48, 32, RGB(90, 120, 60));
    TerrainPiece moon;
    moon.Body = body;
    test::SetPieces(map, {moon, TerrainPiece{}});
    return map;
}

TEST(RandomEffects, WithoutTheFlagOnlyTheFirstBlockDraws) {
    for (const float r : {0.0f, 0.08f, 0.5f}) {
        MapState map = SmallMap(SkyBody::Sun);
        ScriptedRandom rng({r});
        ApplyRandomEffects(map, rng, 0.08f, false);
        EXPECT_EQ(rng.Used(), 1u);
        EXPECT_EQ(map.stats.effects, r <= 0.08f ? Names{"effect1"} : Names{});
        // A coloured moon leaves the options alone.
        EXPECT_EQ(map.canvas.GetEffectOptionA(), 0);
        EXPECT_EQ(map.canvas.GetEffectOptionB(), 0);
    }
    // A colourless moon draws both options first, at the ends of their ranges here.
    MapState map = SmallMap(SkyBody::None);
    ScriptedRandom rng({0.0f, 0.99999f, 0.9f});
    ApplyRandomEffects(map, rng, 0.08f, false);
    EXPECT_EQ(rng.Used(), 3u);
    EXPECT_EQ(map.canvas.GetEffectOptionA(), 5);
    EXPECT_EQ(map.canvas.GetEffectOptionB(), 256);
    ScriptedRandom high({0.99999f, 0.0f, 0.9f});
    ApplyRandomEffects(map, high, 0.08f, false);
    EXPECT_EQ(map.canvas.GetEffectOptionA(), 20);
    EXPECT_EQ(map.canvas.GetEffectOptionB(), 1);
}

TEST(RandomEffects, AChanceOfZeroStillDrawsOncePerBlock) {
    // Draws just above 0 fail every block (a draw of exactly 0 would still pass: ties take
    // the branch), yet each of the seven blocks makes its draw.
    MapState other = SmallMap(SkyBody::Moon);
    const std::vector<Colour> before(other.canvas.Pixels().begin(), other.canvas.Pixels().end());
    ScriptedRandom tiny({}, 1e-6f);
    ApplyRandomEffects(other, tiny, 0.0f, true);
    EXPECT_EQ(tiny.Used(), 7u);
    EXPECT_TRUE(other.stats.effects.empty());
    EXPECT_TRUE(std::equal(before.begin(), before.end(), other.canvas.Pixels().begin()));
}

TEST(RandomEffects, VariantThresholdsTakeTheLowerVariantOnATie) {
    struct Case {
        std::vector<float> script;  // draws after block 1's miss
        Names expected;
    };
    const float no = 0.5f;
    const std::vector<Case> cases = {
        {{0.08f, 0.45f, no, no, no, no, no}, {"effect2A"}},
        {{0.08f, 0.4501f, no, no, no, no, no}, {"effect2B"}},
        {{0.08f, 0.8f, no, no, no, no, no}, {"effect2B"}},
        {{0.08f, 0.8001f, no, no, no, no, no}, {"effect2C"}},
        {{no, 0.08f, 0.75f, no, no, no, no}, {"effect3A"}},
        {{no, 0.08f, 0.7501f, no, no, no, no}, {"effect3B"}},
        {{no, no, 0.08f, 0.33f, no, no, no}, {"effect4A"}},
        {{no, no, 0.08f, 0.66f, no, no, no}, {"effect4B"}},
        {{no, no, 0.08f, 0.6601f, no, no, no}, {"effect4C"}},
        {{no, no, no, 0.08f, 0.3f, no, no}, {"effect5A"}},
        {{no, no, no, 0.08f, 0.3001f, no, no}, {"effect5B"}},
        {{no, no, no, no, 0.08f, no}, {"effect6"}},
    };
    for (const Case& c : cases) {
        MapState map = SmallMap(SkyBody::Sun);
        std::vector<float> script{no};
        script.insert(script.end(), c.script.begin(), c.script.end());
        ScriptedRandom rng(script, no);
        ApplyRandomEffects(map, rng, 0.08f, true);
        EXPECT_EQ(map.stats.effects, c.expected);
        // Seven chances, plus one variant draw for blocks 2 to 5.
        const bool variant = c.expected[0] != "effect6";
        EXPECT_EQ(rng.Used(), 7u + (variant ? 1u : 0u)) << c.expected[0];
    }
}

TEST(RandomEffects, EachBlockReachesItsVariantsInOrderAndAppliesTheNamedEffect) {
    // Sweeping the variant draw over [0, 1) must pass through a block's variants in order,
    // each with a share of the draw; together the blocks reach every effect the canvas has,
    // and each name applies the canvas effect of the same number.
    const float no = 0.5f;
    const auto scriptFor = [&](std::size_t block, float s) {
        std::vector<float> script(block, no);  // blocks before it miss
        script.push_back(0.0f);
        script.push_back(s);
        return script;
    };
    std::map<std::string, std::vector<float>> reached;
    for (std::size_t block = 0; block < 7; ++block) {
        const std::string prefix = "effect" + std::to_string(block + 1);
        std::string previous;
        for (int i = 0; i < 100; ++i) {
            MapState map = SmallMap(SkyBody::Sun);
            const std::vector<float> script = scriptFor(block, static_cast<float>(i) / 100);
            ScriptedRandom rng(script, no);
            ApplyRandomEffects(map, rng, 0.08f, true);
            ASSERT_FALSE(map.stats.effects.empty());
            const std::string& name = map.stats.effects[0];
            EXPECT_EQ(name.rfind(prefix, 0), 0u) << name << " in block " << block + 1;
            EXPECT_GE(name, previous) << "variants out of order at draw " << i;
            previous = name;
            if (map.stats.effects.size() == 1) reached.emplace(name, script);
        }
    }
    const auto& effects = test::AllEffects();
    ASSERT_EQ(reached.size(), effects.size());
    // The map's names sort in the canvas's numbering; bricks draw their own size and mortar.
    std::size_t index = 0;
    for (const auto& [name, script] : reached) {
        if (index + 1 == effects.size()) break;
        MapState map = SmallMap(SkyBody::Sun);
        test::DrawLandPicture(map.canvas, 120, 80, 5);
        Canvas expected = map.canvas;
        effects[index++](expected);
        ScriptedRandom rng(script, no);
        ApplyRandomEffects(map, rng, 0.08f, true);
        EXPECT_TRUE(std::equal(expected.Pixels().begin(), expected.Pixels().end(),
                               map.canvas.Pixels().begin()))
            << name;
    }
}

TEST(RandomEffects, AllBlocksTogetherRunInOrderAndBricksUseTheirDraws) {
    // Options, then every block passing: block 7 draws its size and the channels red, green,
    // blue. Size 15 (draw 0) and mortar RGB(120, 187, 255).
    const std::vector<float> script = {0.5f, 0.5f,                          // options
                                       0.0f,                                // effect1
                                       0.0f, 0.0f,                          // effect2A
                                       0.0f, 0.9f,                          // effect3B
                                       0.0f, 0.99f,                         // effect4C
                                       0.0f, 0.99f,                         // effect5B
                                       0.0f,                                // effect6
                                       0.0f, 0.0f,  0.0f, 0.5f, 0.99999f};  // effect7
    MapState map = SmallMap(SkyBody::None);
    ScriptedRandom rng(script, 0.9f);
    ApplyRandomEffects(map, rng, 0.08f, true);
    EXPECT_EQ(rng.Used(), script.size());
    EXPECT_EQ(map.stats.effects, (Names{"effect1", "effect2A", "effect3B", "effect4C", "effect5B",
                                        "effect6", "effect7"}));
    const Colour mortar = RGB(120, 120 + static_cast<int>(0.5f * 136), 255);
    int mortarPixels = 0;
    for (Colour p : map.canvas.Pixels()) mortarPixels += p == mortar;
    EXPECT_GT(mortarPixels, 0);
    EXPECT_EQ(map.canvas.GetWidth(), 48);
    EXPECT_EQ(map.canvas.GetHeight(), 32);
}

TEST(RandomEffects, MovingEffectsKeepTheLandShapeOnMapsWithWeaponCells) {
    // Cells are framed before the effects and filled after them where they were reserved, so
    // on such maps swirl and waves may recolour land but not move it.
    const std::vector<std::vector<float>> scripts = {
        {0.5f, 0.5f, 0.5f, 0.0f, 0.99f, 0.5f, 0.5f, 0.5f},  // swirl
        {0.5f, 0.5f, 0.5f, 0.5f, 0.0f, 0.0f, 0.5f, 0.5f},   // waves
    };
    for (const auto& script : scripts) {
        for (const bool cells : {false, true}) {
            MapState map = SmallMap(SkyBody::Sun);
            test::DrawLandPicture(map.canvas, 260, 150, 3);
            map.WalkForWeapons = cells;
            if (cells) map.WeaponSpots.push_back(WeaponSpot{Rect{100, 60, 120, 80}, 1});
            const std::vector<Colour> before(map.canvas.Pixels().begin(),
                                             map.canvas.Pixels().end());
            ScriptedRandom rng(script);
            ApplyRandomEffects(map, rng, 0.08f, true);
            ASSERT_EQ(map.stats.effects.size(), 1u);
            int shapeChanges = 0, recoloured = 0;
            for (std::size_t i = 0; i < before.size(); ++i) {
                const Colour now = map.canvas.Pixels()[i];
                shapeChanges += (before[i] == 0) != (now == 0);
                recoloured += before[i] != 0 && now != 0 && now != before[i];
            }
            if (cells) {
                EXPECT_EQ(shapeChanges, 0) << map.stats.effects[0];
                EXPECT_GT(recoloured, 100) << map.stats.effects[0];
            } else {
                EXPECT_GT(shapeChanges, 100) << map.stats.effects[0];
            }
        }
    }
}

}  // namespace
}  // namespace orvane
