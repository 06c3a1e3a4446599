// The signature label: its text scrambling, the random choice of its piece (and that the
// choice always ends), its box kept inside the picture, and that the text is drawn.
#include <gtest/gtest.h>

#include <vector>

#include "finish/Signature.h"
#include "tests/support/ScriptedRandom.h"
#include "tests/support/TestMaps.h"

namespace orvane {
namespace {

using test::ScriptedRandom;

// Pieces 1 and 2 ordinary, 3 the moon, 4 the floor, all visible and shaded.
MapState FourPieces() {
    MapState map = test::MakeMap(800, 300);
    const Rect boxes[] = {
        {150, 100, 270, 180}, {400, 90, 560, 200}, {500, 10, 530, 40}, {0, 260, 800, 300}};
    std::vector<TerrainPiece> pieces;
    for (int i = 1; i <= 4; ++i) {
        const Rect& b = boxes[i - 1];
        TerrainPiece p =
            test::MakePiece(b.Left, b.Top, b.Right - b.Left, b.Bottom - b.Top, 0, LandKind::Green);
        p.Red = static_cast<std::int16_t>(100 + 30 * i);
        p.Green = 120;
        p.Blue = 40;
        for (int k = 1; k <= 3; ++k)
            p.Shades.push_back(RGB(p.Red * (45 + 5 * k) / 100, 120 * (45 + 5 * k) / 100, 20));
        pieces.push_back(p);
    }
    pieces[2].Body = SkyBody::Moon;
    test::SetPieces(map, pieces);
    return map;
}

// Centre of the label box.
std::pair<int, int> LabelCentre(const MapState& map) {
    return {(map.LabelBox.Left + map.LabelBox.Right) / 2,
            (map.LabelBox.Top + map.LabelBox.Bottom) / 2};
}

bool CentredOn(const MapState& map, int piece) {
    const auto [x, y] = LabelCentre(map);
    const TerrainPiece& p = map.pieces.Records[static_cast<std::size_t>(piece)];
    return std::abs(x - (p.X + p.Width / 2)) <= 1 && std::abs(y - (p.Y + p.Height / 2)) <= 1;
}

TEST(NStr, IsItsOwnInverseWithAKeyFromTheLengthAlone) {
    EXPECT_EQ(NStr("ab"), std::string({'a' ^ 3, 'b' ^ 3}));  // length 2: key 3
    EXPECT_EQ(NStr("ba"), std::string({'b' ^ 3, 'a' ^ 3}));
    for (const std::string& s :
         {std::string(), std::string("x"), std::string(23, 'q'),
          std::string("\x80\xff\x01 mixed \xe9", 12), std::string(300, 'z')}) {
        EXPECT_EQ(NStr(NStr(s)), s);
        EXPECT_EQ(NStr(s).size(), s.size());
        if (!s.empty()) {
            EXPECT_NE(NStr(s), s);  // the key is odd, so never 0
        }
    }
}

TEST(Signature, PicksVisiblePiecesAndTheFloorForAColourlessMoon) {
    {
        // Piece 1 hidden: the first pick is thrown away, the second taken; then one draw for
        // the shade and one for the pen width.
        MapState map = FourPieces();
        map.pieces.Records[1].Hidden = true;
        ScriptedRandom rng({0.0f, 0.3f});
        DrawSignature(map, rng);
        EXPECT_EQ(rng.Used(), 4u);
        EXPECT_TRUE(CentredOn(map, 2));
    }
    {
        // A moon without colour sends the label to the floor, with no further pick.
        MapState map = FourPieces();
        map.pieces.Records[3].Body = SkyBody::None;
        ScriptedRandom rng({0.5f});
        DrawSignature(map, rng);
        EXPECT_EQ(rng.Used(), 3u);
        EXPECT_TRUE(CentredOn(map, 4));
    }
    {
        // ... unless the floor is hidden too: pick again.
        MapState map = FourPieces();
        map.pieces.Records[3].Body = SkyBody::None;
        map.pieces.Records[4].Hidden = true;
        ScriptedRandom rng({0.5f, 0.5f, 0.0f});
        DrawSignature(map, rng);
        EXPECT_EQ(rng.Used(), 5u);
        EXPECT_TRUE(CentredOn(map, 1));
    }
}

TEST(Signature, AColouredMoonCarriesTheLabelOnlyFromTheThirtyThirdAttempt) {
    {
        MapState map = FourPieces();
        ScriptedRandom rng(std::vector<float>(33, 0.5f));
        DrawSignature(map, rng);
        EXPECT_EQ(rng.Used(), 35u);
        EXPECT_TRUE(CentredOn(map, 3));
    }
    {
        std::vector<float> script(32, 0.5f);
        script.push_back(0.0f);
        MapState map = FourPieces();
        ScriptedRandom rng(script);
        DrawSignature(map, rng);
        EXPECT_EQ(rng.Used(), 35u);
        EXPECT_TRUE(CentredOn(map, 1));
    }
}

TEST(Signature, EndsWhenNoPieceCanCarryTheLabel) {
    // Everything hidden and a colourless moon: no pick could ever succeed. The label goes to
    // the middle of the picture without any draw instead of looping for ever.
    MapState map = FourPieces();
    for (int i : {1, 2, 4}) map.pieces.Records[static_cast<std::size_t>(i)].Hidden = true;
    map.pieces.Records[3].Body = SkyBody::None;
    ScriptedRandom rng;
    DrawSignature(map, rng);
    EXPECT_EQ(rng.Used(), 0u);
    const auto [x, y] = LabelCentre(map);
    EXPECT_NEAR(x, 400, 1);
    EXPECT_NEAR(y, 150, 1);
    EXPECT_NE(map.canvas.GetPixel(x, y), 0u);

    // With no pieces at all (an empty record list) the same holds.
    MapState bare;
    bare.MapWidth = 400;
    bare.MapHeight = 300;
    bare.canvas.CreateImage(400, 300, 0);
    DrawSignature(bare, rng);
    EXPECT_EQ(rng.Used(), 0u);
}

TEST(Signature, BoxStaysInsideThePicture) {
    const auto place = [](Rect box) {
        MapState map = FourPieces();
        TerrainPiece& p = map.pieces.Records[1];
        p.X = box.Left;
        p.Y = box.Top;
        p.Width = box.Right - box.Left;
        p.Height = box.Bottom - box.Top;
        ScriptedRandom rng({0.0f});
        DrawSignature(map, rng);
        return map.LabelBox;
    };
    const Rect left = place({-80, 100, 20, 140});
    EXPECT_EQ(left.Left, 0);
    const Rect right = place({780, 100, 860, 140});
    EXPECT_EQ(right.Right, 800);
    const Rect bottom = place({100, 290, 200, 330});
    EXPECT_EQ(bottom.Bottom, 300);
    const Rect top = place({100, -40, 200, 0});
    EXPECT_EQ(top.Top, 0);
    // A piece well inside keeps the label centred: 5 pixels of box either side of the text.
    const Rect inside = place({300, 100, 500, 200});
    EXPECT_NEAR(inside.Left + inside.Right, 800, 1);
}

TEST(Signature, DrawsTheTextInAShadeOnTheBaseColour) {
    MapState map = FourPieces();
    ScriptedRandom rng({0.0f, 0.99f, 0.0f});  // piece 1, its last shade, pen width 1
    DrawSignature(map, rng);
    const Rect b = map.LabelBox;
    const Colour fill = map.pieces.Records[1].BaseColour();
    const Colour shade = map.pieces.Records[1].Shade(3);
    int fillPixels = 0, shadePixels = 0;
    for (int y = b.Top + 1; y < b.Bottom - 1; ++y) {
        for (int x = b.Left + 1; x < b.Right - 1; ++x) {
            fillPixels += map.canvas.GetPixel(x, y) == fill;
            shadePixels += map.canvas.GetPixel(x, y) == shade;
        }
    }
    // The outline is the shade as well; the glyphs of 23 characters add far more.
    const int outline = 2 * (b.Right - b.Left + b.Bottom - b.Top);
    EXPECT_GT(shadePixels, outline + 200);
    EXPECT_GT(fillPixels, shadePixels);
    EXPECT_GT(b.Right - b.Left, 100);  // 23 characters of 12-point bold
}

}  // namespace
}  // namespace orvane
