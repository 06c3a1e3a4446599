// Texture blobs: where walks may grow and how the hole mode passes from piece to piece.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "terrain/compose/TextureBlobs.h"
#include "tests/support/ScriptedRandom.h"
#include "tests/support/TestMaps.h"

namespace orvane {
namespace {

using test::Fill;
using test::MakeMap;
using test::MakePiece;
using test::ScriptedRandom;

int CountInside(const Canvas& c, const TerrainPiece& p, Colour colour) {
    int n = 0;
    for (std::int32_t y = p.Y; y < p.Y + p.Height; ++y)
        for (std::int32_t x = p.X; x < p.X + p.Width; ++x) n += c.GetPixel(x, y) == colour;
    return n;
}

struct Body {
    MapState map = MakeMap(120, 100, 4);
    TerrainPiece piece = MakePiece(30, 30, 40, 30);  // small: every walk step is short
    Body() { Fill(map.canvas, 30, 30, 69, 59, piece.BaseColour()); }
};

TEST(TextureBlobs, WalksGrowOnlyOnTheBaseColour) {
    Body b;
    Fill(b.map.canvas, 30, 30, 69, 59, RGB(1, 1, 1));  // body in some other colour
    Random rng;
    rng.Reset();
    rng.Seed(4);
    bool holeMode = false;
    DrawTextureBlobs(b.map, rng, b.piece, holeMode);
    EXPECT_EQ(b.map.stats.blobsDrawn, 0);
    EXPECT_EQ(CountInside(b.map.canvas, b.piece, RGB(1, 1, 1)), 40 * 30);
    EXPECT_EQ(b.map.canvas.GetFillColour(), b.piece.BaseColour());
    // No vertex is left for the next outline: stroking the list draws nothing.
    const Canvas before = b.map.canvas;
    b.map.canvas.SetPenColour(RGB(255, 0, 255));
    b.map.canvas.DrawPolyline();
    EXPECT_TRUE(std::ranges::equal(before.Pixels(), b.map.canvas.Pixels()));
}

TEST(TextureBlobs, ABlobThatCannotGrowStillDrawsItsVertexCount) {
    // All draws 0: one blob per unit of width + height (70), each starting outside the body
    // where no walk grows. A blob still draws its start (2), pen colour, pen width, step (2)
    // and the vertices it needs; skipping that last draw would shift every later draw.
    Body b;
    ScriptedRandom rng({}, 0.0f);
    bool holeMode = false;
    DrawTextureBlobs(b.map, rng, b.piece, holeMode);
    EXPECT_EQ(b.map.stats.blobsDrawn, 0);
    EXPECT_EQ(rng.Used(), 2u + 70u * 7u);
}

TEST(TextureBlobs, AWalkOfExactlyTheNeededLengthIsKept) {
    // One hole blob (r 0) starting at the centre (50, 45) with step 1 and the most vertices
    // asked for, 5. Each step goes one column right, and the empty gap is 5 wide, so the
    // walk ends with exactly 5: asking for one more would lose the blob.
    MapState map = MakeMap(120, 100);
    Fill(map.canvas, 0, 0, 119, 99);
    Fill(map.canvas, 50, 45, 54, 45, 0);
    TerrainPiece piece = MakePiece(30, 30, 40, 30);
    piece.IsHole = true;
    std::vector<float> script = {0.0f, 0.0f, 0.5f, 0.5f, 0.0f, 0.0f, 0.0f, 0.0f, 0.99f};
    for (int i = 0; i < 5; ++i) script.insert(script.end(), {0.0f, 0.5f});
    ScriptedRandom rng(script);
    bool holeMode = false;
    DrawTextureBlobs(map, rng, piece, holeMode);
    EXPECT_EQ(map.stats.blobsDrawn, 1);
}

TEST(TextureBlobs, ShadesOnASolidPieceAndHolesWhenTheModeIsCarriedIn) {
    for (bool carried : {false, true}) {
        Body b;
        Random rng;
        rng.Reset();
        rng.Seed(9);
        bool holeMode = carried;
        DrawTextureBlobs(b.map, rng, b.piece, holeMode);
        SCOPED_TRACE(carried);
        EXPECT_EQ(holeMode, carried);  // small steps never change the mode
        EXPECT_GT(b.map.stats.blobsDrawn, 0);
        const int holes = CountInside(b.map.canvas, b.piece, 0);
        if (carried) {
            EXPECT_EQ(b.map.stats.holesCut, b.map.stats.blobsDrawn);
            EXPECT_GT(holes, 0);
        } else {
            EXPECT_EQ(b.map.stats.holesCut, 0);
            EXPECT_EQ(holes, 0);
            // Only shades were added, and only where the walk had stood on the base colour.
            std::set<Colour> allowed(b.piece.Shades.begin(), b.piece.Shades.end());
            allowed.insert(b.piece.BaseColour());
            allowed.insert(0);
            for (Colour c : b.map.canvas.Pixels()) EXPECT_TRUE(allowed.count(c));
            EXPECT_LT(CountInside(b.map.canvas, b.piece, b.piece.BaseColour()), 40 * 30);
        }
    }
}

TEST(TextureBlobs, ALargeStepSwitchesTheModeByThePiecesKind) {
    // 200 x 100: steps up to 20. At 0.99 every step is large and the 80 % reset never
    // passes, so the mode ends on for a solid piece and off for a hole piece; at 0.5 every
    // step is small and the mode is left as it came.
    const auto run = [](bool isHole, float filler, bool holeMode) {
        MapState map = MakeMap(300, 200);
        TerrainPiece piece = MakePiece(50, 50, 200, 100);
        piece.IsHole = isHole;
        if (!isHole) Fill(map.canvas, 50, 50, 249, 149, piece.BaseColour());
        ScriptedRandom rng({}, filler);
        DrawTextureBlobs(map, rng, piece, holeMode);
        return holeMode;
    };
    EXPECT_TRUE(run(false, 0.99f, false));
    EXPECT_FALSE(run(true, 0.99f, true));
    EXPECT_TRUE(run(false, 0.5f, true));
    EXPECT_FALSE(run(false, 0.5f, false));
}

}  // namespace
}  // namespace orvane
