// Every picture effect on a real generated map must leave a playable map: no dust of new land
// specks in the sky, and no more loose pixels than the map had.
#include <gtest/gtest.h>

#include "finish/Signature.h"
#include "map/MapLog.h"
#include "terrain/GenerateTerrain.h"
#include "tests/support/EffectList.h"
#include "tests/support/LandPicture.h"
#include "tests/support/TestSupport.h"
#include "tests/terrain/SeededMaps.h"

namespace orvane {
namespace {

TEST(RealMapEffects, NoEffectLeavesDustInTheSky) {
    // The first of a few fixed seeds whose map is at least a quarter land.
    MapState map;
    for (std::uint32_t seed = 1; seed < 40; ++seed) {
        Random rng;
        map = MapState{};
        test::StartSizedMap(map, rng, seed, 1200, 13);
        NullLog log;
        GenerateTerrain(map, rng, log);
        DrawSignature(map, rng);
        if (test::CountLand(map.canvas) * 4 >= static_cast<int>(map.canvas.Pixels().size())) break;
    }
    const Canvas& base = map.canvas;
    const auto& effects = test::AllEffects();
    for (std::size_t i = 0; i < effects.size(); ++i) {
        Canvas c = base;
        effects[i](c);
        EXPECT_EQ(test::CountNewSpecks(base, c), 0) << "effect number " << i;
        EXPECT_LE(test::CountLoosePixels(c), test::CountLoosePixels(base)) << "effect number " << i;
    }
}

}  // namespace
}  // namespace orvane
