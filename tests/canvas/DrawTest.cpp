// Shapes: clipping, end points, pen brush, fills and outlines.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "canvas/Canvas.h"
#include "raster/Raster.h"
#include "tests/support/SamplePicture.h"
#include "tests/support/TestSupport.h"

namespace orvane {
namespace {

constexpr Colour kPen = RGB(255, 0, 0);
constexpr Colour kFill = RGB(0, 0, 255);

int CountOf(const Canvas& c, Colour colour) {
    int n = 0;
    for (Colour p : c.Pixels()) n += p == colour;
    return n;
}

Canvas Blank(int w, int h) {
    return test::BlankCanvas(w, h, kPen, kFill);
}

TEST(Draw, EverythingPastTheEdgesIsClipped) {
    // Shapes crossing, touching and lying wholly beyond each edge, at several pen widths,
    // including extreme coordinates: nothing may fault (the sanitizer build checks the
    // buffer) and the pixels that do fall inside must be drawn.
    Canvas c = Blank(40, 30);
    const int big = 2'000'000'000;
    for (int w : {0, 1, 2, 5, 17}) {
        c.SetPenWidth(w);
        c.DrawLine(-50, -50, 90, 80);
        c.DrawLine(-big, 10, big, 12);
        c.DrawLine(5, -big, 7, big);
        c.DrawLine(-big, -big, big, big);
        c.DrawLine(100, 100, 200, 300);
        c.DrawPoint(-1, -1);
        c.DrawPoint(39, 29);
        c.DrawPoint(big, big);
        c.DrawRectangle(-10, -10, 25, 25);
        c.DrawRectangle(30, 20, big, big);
        c.DrawEllipse(-big, -big, big, big);
        c.DrawEllipse(-20, 20, 100, 40);
        c.DrawCircle(39, 0, 12);
        c.DrawCircle(-big, -big, big);
        c.AddPolyPoint(-100, 5);
        c.AddPolyPoint(big, -big);
        c.AddPolyPoint(20, big);
        c.FillPolygon();
        c.DrawPolyline();
        c.ClearPolyPoints();
    }
    EXPECT_EQ(c.GetPixel(-1, 0), 0u);
    EXPECT_EQ(c.GetPixel(40, 0), 0u);
    EXPECT_EQ(c.GetPixel(0, 30), 0u);
    EXPECT_EQ(c.GetPixel(0, -1), 0u);
    EXPECT_EQ(c.GetPixel(-big, big), 0u);
    EXPECT_GT(CountOf(c, kPen) + CountOf(c, kFill), 600);

    // A line entering from far away still lands on the exact Bresenham pixels.
    Canvas d = Blank(10, 10);
    d.DrawLine(-1'000'000'000, 3, 1'000'000'000, 3);
    for (int x = 0; x < 10; ++x) EXPECT_EQ(d.GetPixel(x, 3), kPen) << x;
    EXPECT_EQ(CountOf(d, kPen), 10);
}

TEST(Draw, FarLineStartIsExactWithoutAWideIntegerType) {
    // Where a line from far away enters the picture needs (a * b + c) / d with a * b beyond
    // 64 bits; a wrong quotient shifts every visible pixel of the line on some machines.
    const std::int64_t cases[][6] = {
        {6246913578LL, 4012345677LL, 4099999999LL, 8199999998LL, 3056680085LL, 2494262475LL},
        {16000000022LL, 5432109876LL, 8123456789LL, 16246913578LL, 5349555023LL, 4193071767LL},
        {6917529027641081856LL, 9000000000000000001LL, 12345LL, 7000000000000000003LL,
         8893965892681390954LL, 6235631349596921339LL},
        {7, 9, 5, 4, 17, 0},
        {0, 123, 0, 1, 0, 0}};
    for (const auto& k : cases) {
        const raster::Division r = raster::MulAddDivide(k[0], k[1], k[2], k[3]);
        EXPECT_EQ(r.quotient, k[4]) << k[0];
        EXPECT_EQ(r.remainder, k[5]) << k[0];
    }
#ifdef __SIZEOF_INT128__
    // Where the compiler has a 128-bit type, the line walk's own argument ranges against it:
    // a = 2i, b <= n, c = n, d = 2n for distances n up to 2^34.
    std::uint64_t state = 12345;
    auto next = [&state](std::uint64_t bound) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return (state >> 11) % bound;
    };
    for (int t = 0; t < 200000; ++t) {
        const auto n = static_cast<std::int64_t>(1 + next(t % 2 ? 1ULL << 34 : 70000));
        const auto i = static_cast<std::int64_t>(next(static_cast<std::uint64_t>(n) + 1));
        const auto b = static_cast<std::int64_t>(next(static_cast<std::uint64_t>(n) + 1));
        __extension__ const unsigned __int128 wide = (unsigned __int128)(2 * i) * b + n;
        const raster::Division r = raster::MulAddDivide(2 * i, b, n, 2 * n);
        ASSERT_EQ(r.quotient, static_cast<std::int64_t>(wide / (2 * n)))
            << n << " " << i << " " << b;
        ASSERT_EQ(r.remainder, static_cast<std::int64_t>(wide % (2 * n))) << n << " " << i;
    }
#endif
}

TEST(Draw, ThinLinesIncludeBothEndsAndAreConnected) {
    const int ends[][4] = {{2, 3, 17, 9},  {17, 9, 2, 3}, {5, 18, 6, 1},  {0, 0, 19, 19},
                           {19, 0, 0, 19}, {7, 7, 7, 7},  {3, 12, 16, 12}};
    for (const auto& e : ends) {
        Canvas c = Blank(20, 20);
        c.DrawLine(e[0], e[1], e[2], e[3]);
        EXPECT_EQ(c.GetPixel(e[0], e[1]), kPen);
        EXPECT_EQ(c.GetPixel(e[2], e[3]), kPen);
        // One pixel per step along the longer axis, no more, no gaps.
        const int steps = std::max(std::abs(e[2] - e[0]), std::abs(e[3] - e[1]));
        EXPECT_EQ(CountOf(c, kPen), steps + 1);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x) {
                if (c.GetPixel(x, y) != kPen || (x == e[2] && y == e[3])) continue;
                int neighbours = 0;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        neighbours += (dx || dy) && c.GetPixel(x + dx, y + dy) == kPen;
                EXPECT_GE(neighbours, 1) << x << "," << y;
            }
    }
}

TEST(Draw, WidePenIsARoundBrushOfThatDiameter) {
    for (int w : {2, 3, 6, 11}) {
        Canvas c = Blank(60, 60);
        c.SetPenWidth(w);
        EXPECT_EQ(c.GetPenWidth(), w);
        c.DrawLine(30, 30, 30, 30);
        // One stamp: w pixels across through the middle, rounded corners from 4 up.
        int across = 0, down = 0;
        for (int x = 0; x < 60; ++x) across += c.GetPixel(x, 30) == kPen;
        for (int y = 0; y < 60; ++y) down += c.GetPixel(30, y) == kPen;
        EXPECT_EQ(across, w);
        EXPECT_EQ(down, w);
        const int area = CountOf(c, kPen);
        EXPECT_LE(area, w * w);
        if (w >= 4) {
            EXPECT_LT(area, w * w);
            EXPECT_NEAR(area, std::numbers::pi * w * w / 4, w * 1.5);
        }

        // A horizontal stroke is w rows tall along its whole length and covers the ends.
        Canvas h = Blank(60, 60);
        h.SetPenWidth(w);
        h.DrawLine(10, 30, 50, 30);
        for (int x = 10; x <= 50; ++x) {
            int tall = 0;
            for (int y = 0; y < 60; ++y) tall += h.GetPixel(x, y) == kPen;
            EXPECT_EQ(tall, w) << "w " << w << " x " << x;
        }
    }
    // Widths below 1 draw like 1 but read back as set.
    Canvas z = Blank(10, 10);
    z.SetPenWidth(-3);
    EXPECT_EQ(z.GetPenWidth(), -3);
    z.DrawLine(1, 1, 8, 1);
    z.DrawPoint(5, 5);
    EXPECT_EQ(CountOf(z, kPen), 9);
}

TEST(Draw, StrokeIsTheSameWhetherOrNotTheEdgeClipsIt) {
    // Strokes well inside the picture take a shortcut; a map outline crossing the edge must
    // still match, pixel for pixel, the part of the same stroke drawn on a larger picture.
    const int ends[][4] = {{20, 20, 23, 21}, {20, 20, 18, 26}, {20, 20, 20, 20}, {25, 30, 12, 29},
                           {14, 40, 31, 3},  {30, 4, 9, 44},   {8, 8, 40, 40},   {21, 5, 22, 45}};
    for (int w = 1; w <= 7; ++w)
        for (const auto& e : ends)
            for (const int shift : {0, 10, 18}) {
                Canvas whole = Blank(60, 60);
                whole.SetPenWidth(w);
                whole.DrawLine(e[0], e[1], e[2], e[3]);
                Canvas part = Blank(30, 30);
                part.SetPenWidth(w);
                part.DrawLine(e[0] - shift, e[1] - shift, e[2] - shift, e[3] - shift);
                for (int y = 0; y < 30; ++y)
                    for (int x = 0; x < 30; ++x)
                        ASSERT_EQ(part.GetPixel(x, y), whole.GetPixel(x + shift, y + shift))
                            << "w " << w << " shift " << shift << " at " << x << "," << y;
            }
}

TEST(Draw, PointIsASquareAnchoredAtItsCorner) {
    Canvas c = Blank(10, 10);
    c.SetPenWidth(3);
    c.DrawPoint(2, 4);
    EXPECT_EQ(CountOf(c, kPen), 9);
    EXPECT_EQ(c.GetPixel(2, 4), kPen);
    EXPECT_EQ(c.GetPixel(4, 6), kPen);
    EXPECT_EQ(c.GetPixel(1, 4), 0u);
    EXPECT_EQ(c.GetPixel(5, 6), 0u);
}

TEST(Draw, RectangleFilledInsideAnOutlineOfPenWidth) {
    Canvas c = Blank(20, 20);
    c.SetPenWidth(2);
    c.DrawRectangle(3, 4, 10, 8);
    EXPECT_EQ(CountOf(c, kPen) + CountOf(c, kFill), 80);
    EXPECT_EQ(CountOf(c, kFill), 6 * 4);
    EXPECT_EQ(c.GetPixel(3, 4), kPen);
    EXPECT_EQ(c.GetPixel(12, 11), kPen);
    EXPECT_EQ(c.GetPixel(5, 6), kFill);
    EXPECT_EQ(c.GetPixel(13, 4), 0u);
    c.DrawRectangle(0, 0, 0, 5);  // empty boxes draw nothing
    c.DrawRectangle(0, 0, 5, -1);
    EXPECT_EQ(c.GetPixel(0, 0), 0u);
}

TEST(Draw, CircleCoversTheDiscOfItsRadius) {
    for (int r : {0, 1, 4, 15}) {
        Canvas c = Blank(40, 40);
        c.DrawCircle(20, 20, r);
        int inside = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x) {
                const bool in = (x - 20) * (x - 20) + (y - 20) * (y - 20) <= r * r;
                inside += in;
                EXPECT_EQ(c.GetPixel(x, y) != 0, in) << r << ": " << x << "," << y;
            }
        EXPECT_EQ(CountOf(c, kPen) + CountOf(c, kFill), inside);
        // Outline one pixel wide all round: the four extreme pixels are pen, the centre fill.
        EXPECT_EQ(c.GetPixel(20 + r, 20), kPen);
        EXPECT_EQ(c.GetPixel(20, 20 - r), kPen);
        if (r >= 2) {
            EXPECT_EQ(c.GetPixel(20, 20), kFill);
        }
    }
}

TEST(Draw, EllipseStaysInItsBoxAndIsClosed) {
    Canvas c = Blank(50, 30);
    c.DrawEllipse(5, 3, 40, 20);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 50; ++x)
            if (c.GetPixel(x, y) != 0) {
                EXPECT_TRUE(x >= 5 && x < 45 && y >= 3 && y < 23) << x << "," << y;
            }
    // Touches all four sides of the box, and the fill never touches the outside.
    EXPECT_EQ(c.GetPixel(25, 3), kPen);
    EXPECT_EQ(c.GetPixel(25, 22), kPen);
    EXPECT_EQ(c.GetPixel(5, 13), kPen);
    EXPECT_EQ(c.GetPixel(44, 13), kPen);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 50; ++x)
            if (c.GetPixel(x, y) == kFill) {
                for (int d = 0; d < 4; ++d) {
                    EXPECT_NE(c.GetPixel(x + (d == 0) - (d == 1), y + (d == 2) - (d == 3)), 0u);
                }
            }
    EXPECT_NEAR(CountOf(c, kPen) + CountOf(c, kFill), std::numbers::pi * 20 * 10, 20);
    test::SaveForReview(c, "ellipse.png");
}

}  // namespace
}  // namespace orvane
