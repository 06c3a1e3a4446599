#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "core/RunError.h"
#include "resources/Resources.h"
#include "terrain/compose/WeaponCells.h"
#include "tests/support/ScriptedRandom.h"
#include "tests/support/TestMaps.h"
#include "tests/support/TestSupport.h"
#include "weapons/WeaponPictures.h"

namespace orvane {
namespace {

using test::ScriptedRandom;

std::vector<int> PictureNumbers() {
    std::vector<int> numbers;
    for (int n = 1; n <= 64; ++n)
        if (n != 45) numbers.push_back(n);
    return numbers;
}

Canvas Load(int n) {
    Canvas c;
    c.LoadPicture(WeaponPicturePng(n));
    return c;
}

// The Rnd value that makes RndInt(62) + 1 come out as weapon k.
float Pick(int k) {
    return (static_cast<float>(k) - 0.5f) / 63.0f;
}

int Channels(Colour c) {
    return std::max({RedOf(c), GreenOf(c), BlueOf(c)});
}

bool Near(Colour a, Colour b, int tolerance) {
    return std::abs(RedOf(a) - RedOf(b)) <= tolerance &&
           std::abs(GreenOf(a) - GreenOf(b)) <= tolerance &&
           std::abs(BlueOf(a) - BlueOf(b)) <= tolerance;
}

TEST(WeaponPictures, EveryNumberHasAPlainBackgroundPaletteSquare) {
    for (int missing : {0, 45, 65}) EXPECT_THROW(WeaponPicturePng(missing), RunError) << missing;
    std::set<std::vector<Colour>> seen;
    for (int n : PictureNumbers()) {
        SCOPED_TRACE(testing::Message() << "picture " << n);
        const auto png = WeaponPicturePng(n);
        ASSERT_GT(png.size(), 33u);
        EXPECT_EQ(png[24], 8);  // bit depth
        EXPECT_EQ(png[25], 3);  // palette colour type
        const Canvas c = Load(n);
        ASSERT_EQ(c.GetWidth(), 30);
        ASSERT_EQ(c.GetHeight(), 30);
        const Colour bg = c.GetPixel(0, 0);
        // The background surrounds the drawing: it is the commonest colour of the border.
        std::map<Colour, int> border;
        for (std::int32_t i = 0; i < 30; ++i) {
            ++border[c.GetPixel(i, 0)];
            ++border[c.GetPixel(i, 29)];
            ++border[c.GetPixel(0, i)];
            ++border[c.GetPixel(29, i)];
        }
        const auto most = std::max_element(border.begin(), border.end(),
                                           [](auto& a, auto& b) { return a.second < b.second; });
        EXPECT_EQ(most->first, bg);
        std::map<Colour, int> count;
        for (Colour p : c.Pixels()) ++count[p];
        EXPECT_GE(count.size(), 4u);  // a drawing, not a blank
        for (const auto& [colour, _] : count) {
            if (colour == bg) continue;
            // Near-black would turn transparent; near-background would vanish with it.
            EXPECT_GT(Channels(colour), 24) << std::hex << colour;
            EXPECT_FALSE(Near(colour, bg, 1)) << std::hex << colour;
        }
        const auto pixels = c.Pixels();
        EXPECT_TRUE(seen.insert({pixels.begin(), pixels.end()}).second) << "duplicate picture";
    }
}

// Draws picture `n` in picture mode into a cell of side `size` whose frame is already filled.
MapState DrawOne(int n, std::int32_t size, WeaponChooser& chooser) {
    MapState map = test::WeaponMap(size);
    ScriptedRandom reserve({0.0f});
    ReserveWeaponSpot(map, reserve, 120, 80, 1, map.pieces[1]);
    const int weapon = WeaponOfPicture(n);
    chooser.WeaponQuota.fill(-1);
    chooser.RemainingKinds = 63;
    chooser.LastPick = 0;
    ScriptedRandom pick({Pick(weapon), 0.0f});
    const Rect box = map.WeaponSpots[0].Box;
    EXPECT_EQ(DrawWeaponPicture(map, pick, chooser, box.Left, box.Top), size + 1);
    return map;
}

TEST(WeaponPictures, BackgroundIsTransparentAtEveryCellSize) {
    WeaponChooser chooser;
    for (int n : PictureNumbers()) {
        const Canvas original = Load(n);
        std::set<Colour> drawn(original.Pixels().begin(), original.Pixels().end());
        drawn.erase(original.GetPixel(0, 0));
        for (std::int32_t size = 14; size <= 30; ++size) {
            SCOPED_TRACE(testing::Message() << "picture " << n << " cell " << size);
            const MapState map = DrawOne(n, size, chooser);
            const Colour fill = map.pieces[1].BaseColour();
            const Rect box = map.WeaponSpots[0].Box;
            int shown = 0;
            int through = 0;
            for (std::int32_t y = box.Top; y < box.Bottom; ++y) {
                for (std::int32_t x = box.Left; x < box.Right; ++x) {
                    const Colour c = map.canvas.GetPixel(x, y);
                    if (c == fill) {
                        ++through;
                    } else {
                        ++shown;
                        ASSERT_TRUE(drawn.count(c)) << std::hex << c << " at " << x << "," << y;
                    }
                }
            }
            EXPECT_GT(shown, size * size / 8);
            EXPECT_GT(through, size);
            // Nothing outside the cell changes: the frame stays whole.
            EXPECT_EQ(map.canvas.GetPixel(box.Right, box.Bottom), map.pieces[1].Shade(1));
            ASSERT_EQ(map.stats.weapons, std::vector<int>{WeaponOfPicture(n)});
        }
    }
}

TEST(WeaponPictures, CellsUnderTheLabelKeepTheirEmptyFrame) {
    MapState map = test::WeaponMap(20);
    ScriptedRandom rng;
    for (std::int32_t x : {120, 160, 200}) ReserveWeaponSpot(map, rng, x, 80, 1, map.pieces[1]);
    ASSERT_EQ(map.WeaponSpots.size(), 3u);
    // Overlaps the first cell by one pixel; only touches the third one's left edge.
    map.LabelBox = Rect{139, 60, 200, 90};
    const Colour fill = map.pieces[1].BaseColour();
    auto plain = [&](const Rect& box) {
        for (std::int32_t y = box.Top; y < box.Bottom; ++y)
            for (std::int32_t x = box.Left; x < box.Right; ++x)
                if (map.canvas.GetPixel(x, y) != fill) return false;
        return true;
    };

    WeaponChooser chooser;
    Random choice;
    choice.Reset();
    choice.Seed(7);
    DrawWeaponSpots(map, choice, chooser);
    EXPECT_TRUE(plain(map.WeaponSpots[0].Box));
    EXPECT_TRUE(plain(map.WeaponSpots[1].Box));
    EXPECT_FALSE(plain(map.WeaponSpots[2].Box));
    EXPECT_EQ(map.stats.picturesDrawn, 1);
    EXPECT_EQ(map.stats.weapons.size(), 1u);
    test::SaveForReview(map.canvas, "weapon-cells-label.png");

    // Every cell covered: no picture, yet the quotas are set up for the map.
    map.LabelBox = Rect{0, 0, 400, 300};
    WeaponChooser fresh;
    Random count;
    DrawWeaponSpots(map, count, fresh);
    EXPECT_EQ(count.Draws(), 34u);  // one quota draw per limited weapon, no choice
    int zero = 0;
    for (int k = 1; k <= 63; ++k) zero += fresh.WeaponQuota[static_cast<std::size_t>(k)] == 0;
    EXPECT_EQ(fresh.WeaponQuota[2], 3);
    EXPECT_EQ(fresh.RemainingKinds, 63 - zero);
    EXPECT_EQ(map.stats.picturesDrawn, 1);
}

}  // namespace
}  // namespace orvane
