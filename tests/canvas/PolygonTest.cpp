// The pending polygon: even-odd fill at pixel centres, closed stroke, open polyline.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "canvas/Canvas.h"
#include "tests/support/SamplePicture.h"
#include "tests/support/TestSupport.h"

namespace orvane {
namespace {

constexpr Colour kPen = RGB(200, 30, 30);
constexpr Colour kFill = RGB(30, 200, 30);

Canvas Blank(int w, int h) {
    return test::BlankCanvas(w, h, kPen, kFill);
}

void Add(Canvas& c, std::initializer_list<std::pair<int, int>> points) {
    for (auto [x, y] : points) c.AddPolyPoint(x, y);
}

TEST(Polygon, SquareFillsExactlyThePixelsWhoseCentresAreInside) {
    // Vertices on whole numbers: centres x + 0.5 in (2, 6) are columns 2..5, rows likewise.
    // With a transparent-looking pen (same as background) only the fill shows.
    Canvas c = Blank(10, 10);
    c.SetPenColour(0);
    Add(c, {{2, 3}, {6, 3}, {6, 7}, {2, 7}});
    c.FillPolygon();
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            const bool stroke = (x >= 2 && x <= 6 && (y == 3 || y == 7)) ||
                                (y >= 3 && y <= 7 && (x == 2 || x == 6));
            const bool filled = x >= 2 && x <= 5 && y >= 3 && y <= 6 && !stroke;
            EXPECT_EQ(c.GetPixel(x, y), filled ? kFill : 0u) << x << "," << y;
        }
    // The list survives drawing, so the same outline can be stroked again.
    c.SetPenColour(kPen);
    c.DrawPolyline();
    EXPECT_EQ(c.GetPixel(2, 3), kPen);
    EXPECT_EQ(c.GetPixel(2, 7), kPen);
    EXPECT_EQ(c.GetPixel(4, 7), kPen);
    EXPECT_EQ(c.GetPixel(2, 5), 0u);  // open: the side back to the start is not drawn
    // Cleared, the list strokes nothing.
    c.ClearPolyPoints();
    const Canvas before = c;
    c.DrawPolyline();
    EXPECT_TRUE(std::ranges::equal(before.Pixels(), c.Pixels()));
}

TEST(Polygon, SelfCrossingStarLeavesItsCentreEmpty) {
    // A five-pointed star drawn as one crossing outline: by the even-odd rule the inner
    // pentagon is outside, the five points inside.
    Canvas c = Blank(101, 101);
    c.SetPenColour(0);
    for (int k = 0; k < 5; ++k) {
        const double a = -std::numbers::pi / 2 + k * 4 * std::numbers::pi / 5;
        c.AddPolyPoint(static_cast<int>(std::lround(50 + 48 * std::cos(a))),
                       static_cast<int>(std::lround(50 + 48 * std::sin(a))));
    }
    c.FillPolygon();
    test::SaveForReview(c, "polygon-star.png");
    EXPECT_EQ(c.GetPixel(50, 50), 0u);
    EXPECT_EQ(c.GetPixel(50, 45), 0u);
    EXPECT_EQ(c.GetPixel(50, 12), kFill);  // top point
    EXPECT_EQ(c.GetPixel(12, 38), kFill);  // left point
    EXPECT_EQ(c.GetPixel(72, 80), kFill);  // lower right point
    EXPECT_EQ(c.GetPixel(50, 95), 0u);     // between the lower points
}

TEST(Polygon, ConcaveShapeKeepsItsNotchEmpty) {
    // A U shape whose sides all run along rows or columns, so every pixel is predictable:
    // pen on the outline, fill where the centre is inside, nothing in the notch.
    Canvas c = Blank(30, 30);
    Add(c, {{2, 2}, {10, 2}, {10, 20}, {20, 20}, {20, 2}, {28, 2}, {28, 28}, {2, 28}});
    c.FillPolygon();
    auto onOutline = [](int x, int y) {
        return ((x == 2 || x == 28) && y >= 2 && y <= 28) || (y == 28 && x >= 2 && x <= 28) ||
               (y == 2 && ((x >= 2 && x <= 10) || (x >= 20 && x <= 28))) ||
               ((x == 10 || x == 20) && y >= 2 && y <= 20) || (y == 20 && x >= 10 && x <= 20);
    };
    auto inside = [](int x, int y) {
        const double cx = x + 0.5, cy = y + 0.5;
        return cx > 2 && cx < 28 && cy > 2 && cy < 28 && !(cx > 10 && cx < 20 && cy < 20);
    };
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x) {
            const Colour want = onOutline(x, y) ? kPen : inside(x, y) ? kFill : 0u;
            ASSERT_EQ(c.GetPixel(x, y), want) << x << "," << y;
        }
}

TEST(Polygon, DegenerateListsDrawOnlyTheirStroke) {
    Canvas c = Blank(10, 10);
    c.FillPolygon();  // nothing pending
    c.DrawPolyline();
    EXPECT_EQ(c.GetPixel(0, 0), 0u);
    c.AddPolyPoint(4, 4);
    c.FillPolygon();
    EXPECT_EQ(c.GetPixel(4, 4), kPen);
    c.AddPolyPoint(8, 4);
    c.FillPolygon();  // a flat two-point outline has no inside
    for (Colour p : c.Pixels()) EXPECT_NE(p, kFill);
    EXPECT_EQ(c.GetPixel(8, 4), kPen);
}

TEST(Polygon, OutlineIsTheSameAsItsSegmentsStrokedOneByOne) {
    // Outlines inside the picture are stroked in one walk: wavy ones like the land's, long
    // straight runs, points doubling back, with every pen width a map uses; those across the
    // edge or out far past it take the segments' own way, and all must match.
    std::uint32_t state = 12345;
    auto next = [&](int n) {
        state = state * 1664525u + 1013904223u;
        return static_cast<int>((state >> 8) % static_cast<std::uint32_t>(n));
    };
    for (int round = 0; round < 240; ++round) {
        const int w = 1 + round % 8;
        const int size = 70;
        std::vector<std::pair<int, int>> points;
        int x = next(size), y = next(size);
        const int step = round % 3 == 0 ? 40 : 6;
        for (int k = next(24); k >= 0; --k) {
            points.push_back({x, y});
            x = std::clamp(x + next(2 * step + 1) - step, -5, size + 4);
            y = std::clamp(y + next(2 * step + 1) - step, -5, size + 4);
        }
        if (round % 4 == 1) {  // out past the edge and far away, then back
            points.push_back({-40, y});
            points.push_back({size * 300, -size * 200});
            points.push_back({x, y});
        }
        if (round % 2 == 0)
            for (auto& [px, py] : points) {  // kept well inside
                px = 10 + px * (size - 20) / (size + 10);
                py = 10 + py * (size - 20) / (size + 10);
            }
        for (const bool closed : {false, true}) {
            Canvas walk = Blank(size, size), segments = Blank(size, size);
            walk.SetPenWidth(w);
            segments.SetPenWidth(w);
            for (auto [px, py] : points) walk.AddPolyPoint(px, py);
            if (closed) {
                walk.SetFillColour(0);
                walk.FillPolygon();
            } else {
                walk.DrawPolyline();
            }
            const std::size_t n = points.size();
            if (n == 1)
                segments.DrawLine(points[0].first, points[0].second, points[0].first,
                                  points[0].second);
            for (std::size_t i = 1; i < n; ++i)
                segments.DrawLine(points[i - 1].first, points[i - 1].second, points[i].first,
                                  points[i].second);
            if (closed && n > 1)
                segments.DrawLine(points[n - 1].first, points[n - 1].second, points[0].first,
                                  points[0].second);
            ASSERT_TRUE(
                std::equal(walk.Pixels().begin(), walk.Pixels().end(), segments.Pixels().begin()))
                << "round " << round << (closed ? " closed" : " open");
        }
    }
}

}  // namespace
}  // namespace orvane
