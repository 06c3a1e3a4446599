// Picture effects: size, determinism, and above all that the map stays playable (sky stays
// sky, land stays land, no dust of land specks in the sky).
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "canvas/Canvas.h"
#include "tests/support/LandPicture.h"
#include "tests/support/TestSupport.h"

namespace orvane {
namespace {

struct Effect {
    std::string name;
    std::function<void(Canvas&)> apply;
    bool movesLand;  // may turn empty into land (whole regions only)
    bool cuts;       // may turn land into empty on purpose
};

std::vector<Effect> AllEffects() {
    const auto plain = [](PictureEffect e) { return [e](Canvas& c) { c.ApplyEffect(e); }; };
    return {
        {"relief", plain(PictureEffect::Relief), false, false},
        {"blur", plain(PictureEffect::Blur), false, false},
        {"sharpen", plain(PictureEffect::Sharpen), false, false},
        {"edges", plain(PictureEffect::Edges), false, false},
        {"grain", plain(PictureEffect::Grain), false, false},
        {"mosaic", plain(PictureEffect::Mosaic), false, false},
        {"solarise", plain(PictureEffect::Solarise), false, false},
        {"posterise", plain(PictureEffect::Posterise), false, false},
        {"swirl", plain(PictureEffect::Swirl), true, true},
        {"waves", plain(PictureEffect::Waves), true, true},
        {"hue turn", plain(PictureEffect::HueTurn), false, false},
        {"crumble", plain(PictureEffect::Crumble), false, true},
        {"bricks", [](Canvas& c) { c.ApplyEffect7(30, RGB(200, 180, 150)); }, false, false},
    };
}

class EffectsOnMap : public ::testing::TestWithParam<int> {};

TEST_P(EffectsOnMap, KeepSizeAreDeterministicAndLeaveAPlayableMap) {
    // Options at both ends of their ranges and unset, as a fresh canvas has them.
    const std::vector<std::pair<int, int>> options = {{0, 0}, {5, 1}, {20, 256}, {12, 77}};
    Canvas base;
    test::DrawLandPicture(base, 421, 237, static_cast<std::uint32_t>(GetParam()));
    for (const Effect& e : AllEffects()) {
        for (const auto& [a, b] : options) {
            SCOPED_TRACE("effect " + e.name + " A=" + std::to_string(a) +
                         " B=" + std::to_string(b));
            Canvas one = base;
            one.SetEffectOptionA(a);
            one.SetEffectOptionB(b);
            Canvas two = one;
            e.apply(one);
            e.apply(two);
            ASSERT_EQ(one.GetWidth(), base.GetWidth());
            ASSERT_EQ(one.GetHeight(), base.GetHeight());
            EXPECT_TRUE(std::equal(one.Pixels().begin(), one.Pixels().end(), two.Pixels().begin()));

            int changed = 0, landLost = 0, landMade = 0;
            for (std::size_t i = 0; i < base.Pixels().size(); ++i) {
                const Colour was = base.Pixels()[i];
                const Colour now = one.Pixels()[i];
                changed += was != now;
                landLost += was != 0 && now == 0;
                landMade += was == 0 && now != 0;
            }
            EXPECT_GT(changed, 500) << "the effect should visibly change the picture";
            if (!e.cuts) {
                EXPECT_EQ(landLost, 0);
            }
            if (!e.movesLand) {
                EXPECT_EQ(landMade, 0);
            }
            EXPECT_EQ(test::CountNewSpecks(base, one), 0);
            // Cuts and moves must not leave crumbs where land was either.
            EXPECT_LE(test::CountLoosePixels(one), test::CountLoosePixels(base));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, EffectsOnMap, ::testing::Values(1, 2, 3));

TEST(Effects, TinyAndEmptyPicturesAreSafe) {
    // Degenerate sizes must not fault (the sanitizer build checks the buffers).
    for (auto [w, h] : {std::pair{1, 1}, {1, 9}, {9, 1}, {2, 3}, {0, 0}}) {
        for (const Effect& e : AllEffects()) {
            Canvas c;
            c.CreateImage(w, h, 0);
            if (w * h > 0) c.SetPixel(0, 0, RGB(90, 60, 30));
            e.apply(c);
            EXPECT_EQ(c.GetWidth(), w);
            EXPECT_EQ(c.GetHeight(), h);
        }
    }
    // An empty sky stays empty under every effect.
    for (const Effect& e : AllEffects()) {
        Canvas c;
        c.CreateImage(64, 40, 0);
        e.apply(c);
        EXPECT_EQ(c.CountColours(), 1) << e.name;
    }
}

TEST(Effects, DarkLandNeverBecomesSky) {
    // Near-black land pushed darker by relief, sharpening, grain, solarising or the hue turn
    // must stay a land colour.
    Canvas c;
    c.CreateImage(80, 60, 0);
    for (int y = 10; y < 50; ++y)
        for (int x = 10; x < 70; ++x) c.SetPixel(x, y, ((x + y) % 3) ? RGB(1, 0, 0) : RGB(2, 2, 2));
    for (const Effect& e : AllEffects()) {
        if (e.cuts) continue;
        Canvas d = c;
        d.SetEffectOptionB(256);
        e.apply(d);
        for (int y = 10; y < 50; ++y)
            for (int x = 10; x < 70; ++x) ASSERT_NE(d.GetPixel(x, y), 0u) << e.name;
    }
}

TEST(Effects, OptionsChangeTheEffectsThatReadThem) {
    Canvas base;
    test::DrawLandPicture(base, 300, 170, 9);
    const auto result = [&](const Effect& e, int a, int b) {
        Canvas c = base;
        c.SetEffectOptionA(a);
        c.SetEffectOptionB(b);
        e.apply(c);
        return std::vector<Colour>(c.Pixels().begin(), c.Pixels().end());
    };
    for (const Effect& e : AllEffects()) {
        const std::set<std::string> readsA = {"relief",    "blur",  "sharpen", "mosaic",
                                              "posterise", "swirl", "waves",   "crumble"};
        const std::set<std::string> readsB = {"edges", "grain", "solarise", "waves", "hue turn"};
        if (readsA.contains(e.name)) {
            EXPECT_NE(result(e, 5, 128), result(e, 20, 128)) << e.name;
        }
        if (readsB.contains(e.name)) {
            EXPECT_NE(result(e, 10, 1), result(e, 10, 256)) << e.name;
        }
    }
}

TEST(Effects, BricksUseTheirSizeAndMortarColour) {
    Canvas c;
    c.CreateImage(200, 100, RGB(100, 100, 100));
    Canvas small = c;
    c.ApplyEffect7(40, RGB(250, 120, 130));
    small.ApplyEffect7(16, RGB(250, 120, 130));
    // Mortar joints: the first row and a vertical joint every brick width.
    EXPECT_EQ(c.GetPixel(5, 0), RGB(250, 120, 130));
    EXPECT_EQ(c.GetPixel(40, 5), RGB(250, 120, 130));
    EXPECT_NE(c.GetPixel(42, 5), RGB(250, 120, 130));  // joints are 2 wide at 40
    EXPECT_EQ(small.GetPixel(16, 3), RGB(250, 120, 130));
    EXPECT_NE(c.GetPixel(16, 3), RGB(250, 120, 130));
    // Mortar in the sky colour would cut the land apart: it is kept as land.
    Canvas cut;
    cut.CreateImage(50, 50, RGB(100, 100, 100));
    cut.ApplyEffect7(20, 0);
    for (Colour p : cut.Pixels()) ASSERT_NE(p, 0u);
}

TEST(Effects, CrumbleOnlyBitesNearEdges) {
    // A big block: the bites stay within a few pixels of its edge, the middle is untouched,
    // and the frame of the picture does not count as an edge.
    Canvas c;
    c.CreateImage(200, 120, 0);
    for (int y = 20; y < 120; ++y)
        for (int x = 0; x < 200; ++x) c.SetPixel(x, y, RGB(120, 120, 120));
    c.SetEffectOptionA(20);
    c.ApplyEffect(PictureEffect::Crumble);
    int bitten = 0;
    for (int y = 20; y < 120; ++y) {
        for (int x = 0; x < 200; ++x) {
            if (c.GetPixel(x, y) != 0) continue;
            ++bitten;
            EXPECT_LT(y, 20 + 5) << x << "," << y;
        }
    }
    EXPECT_GT(bitten, 100);
}

}  // namespace
}  // namespace orvane
