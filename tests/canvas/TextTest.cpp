// Text: stable metrics, glyphs only in the pen colour, nothing behind them.
#include <gtest/gtest.h>

#include "canvas/Canvas.h"
#include "tests/support/TestSupport.h"

namespace orvane {
namespace {

TEST(Text, MetricsAreStableAndAdditive) {
    Canvas c;
    c.SetFontSize(12);
    const std::string label = "Orvane random map 2026!";
    const int w = c.TextWidth(label);
    const int h = c.TextHeight(label);
    // A bold 16-pixel face: about 9 to 12 pixels per character, 16 to 22 rows.
    EXPECT_GT(w, 9 * 23);
    EXPECT_LT(w, 12 * 23);
    EXPECT_GE(h, 16);
    EXPECT_LE(h, 22);
    EXPECT_EQ(c.TextWidth(label), w);
    EXPECT_EQ(c.TextWidth(""), 0);
    EXPECT_EQ(c.TextHeight("x"), h);
    // Unhinted advances add up (up to the rounding of each part).
    EXPECT_NEAR(c.TextWidth("Orvane ") + c.TextWidth("random map 2026!"), w, 1);
    EXPECT_LT(c.TextWidth("iiii"), c.TextWidth("WWWW"));
    // A larger size is wider.
    c.SetFontSize(24);
    EXPECT_NEAR(c.TextWidth(label), 2 * w, 2);
}

TEST(Text, GlyphsArePenColouredInsideTheirBoxWithNoBackground) {
    Canvas c;
    c.CreateImage(300, 40, RGB(10, 20, 30));
    c.SetPenColour(RGB(250, 240, 100));
    c.SetFillColour(RGB(1, 200, 1));  // must not show
    const std::string text = "Hello, Orvane";
    const int w = c.TextWidth(text), h = c.TextHeight(text);
    c.DrawText(text, 20, 10, 0);
    Canvas zoomed = c;
    zoomed.ResizeImage(1200, 160);
    test::SaveForReview(zoomed, "text-x4.png");
    int inked = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 300; ++x) {
            const Colour p = c.GetPixel(x, y);
            if (p == RGB(10, 20, 30)) continue;
            EXPECT_EQ(p, RGB(250, 240, 100)) << x << "," << y;
            EXPECT_TRUE(x >= 20 && x < 20 + w + 2 && y >= 10 && y < 10 + h) << x << "," << y;
            ++inked;
        }
    // Bold strokes: a fair share of the text box is ink, but far from all of it.
    EXPECT_GT(inked, w * h / 8);
    EXPECT_LT(inked, w * h / 2);

    // Text past the edges is clipped, and the same call draws the same pixels.
    Canvas a, b;
    a.CreateImage(50, 12);
    b.CreateImage(50, 12);
    for (Canvas* k : {&a, &b}) {
        k->SetPenColour(RGB(9, 9, 9));
        k->DrawText("Edge text", -13, -6, 0);
        k->DrawText("Edge text", 30, 5, 0);
    }
    EXPECT_TRUE(std::equal(a.Pixels().begin(), a.Pixels().end(), b.Pixels().begin()));
    EXPECT_GT(a.CountColours(), 1);
}

}  // namespace
}  // namespace orvane
