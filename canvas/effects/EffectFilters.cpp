// Neighbourhood effects: relief, blur, sharpen, edges and mosaic. They recolour land pixels
// from their surroundings and never change which pixels are land.
#include <cstdlib>

#include "canvas/Canvas.h"
#include "canvas/effects/EffectSupport.h"

namespace orvane {

namespace {

// Brightness per pixel, 0 for empty space, so outlines read as steep edges.
std::vector<std::uint8_t> LumaMap(std::span<const Colour> px) {
    std::vector<std::uint8_t> l(px.size());
    for (std::size_t i = 0; i < px.size(); ++i)
        l[i] = static_cast<std::uint8_t>(px[i] == 0 ? 0 : fx::Luma(px[i]));
    return l;
}

// Reads the brightness map with coordinates clamped, so the picture frame is no edge.
struct LumaReader {
    const std::vector<std::uint8_t>& l;
    int w, h;
    int operator()(int x, int y) const {
        x = std::clamp(x, 0, w - 1);
        y = std::clamp(y, 0, h - 1);
        return l[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) +
                 static_cast<std::size_t>(x)];
    }
};

}  // namespace

void Canvas::ApplyEffect1() {
    const std::vector<std::uint8_t> l = LumaMap(pixels_);
    const LumaReader luma{l, width_, height_};
    const int depth = fx::OptionA(effectOptionA_);  // tenths: 0.5..2
    constexpr int kReach = 2;
    fx::ForEachLand({pixels_, width_, height_}, [&](Colour c, int x, int y) {
        // Slope towards the light: positive where the land rises to the bottom right.
        const int slope = luma(x + kReach, y + kReach) - luma(x - kReach, y - kReach);
        const int d = std::clamp(slope, -64, 64) * depth / 10;
        return fx::EachChannel(c, [d](int v) { return v + d; });
    });
}

void Canvas::ApplyEffect2A() {
    fx::FilterLand(fx::Image{pixels_, width_, height_}, fx::OptionA(effectOptionA_) / 5, -10);
}

void Canvas::ApplyEffect2B() {
    // Strength 0.5..2 times the difference from a small blur.
    fx::FilterLand(fx::Image{pixels_, width_, height_}, 1, fx::OptionA(effectOptionA_));
}

void Canvas::ApplyEffect2C() {
    const std::vector<std::uint8_t> l = LumaMap(pixels_);
    const LumaReader luma{l, width_, height_};
    const int gain = 64 + fx::OptionB(effectOptionB_);  // sixty-fourths: 1..5
    fx::ForEachLand({pixels_, width_, height_}, [&](Colour c, int x, int y) {
        const int gx = luma(x + 1, y - 1) + 2 * luma(x + 1, y) + luma(x + 1, y + 1) -
                       luma(x - 1, y - 1) - 2 * luma(x - 1, y) - luma(x - 1, y + 1);
        const int gy = luma(x - 1, y + 1) + 2 * luma(x, y + 1) + luma(x + 1, y + 1) -
                       luma(x - 1, y - 1) - 2 * luma(x, y - 1) - luma(x + 1, y - 1);
        const int e = std::min(255, (std::abs(gx) + std::abs(gy)) * gain / 256);
        // Flat land sinks to a quarter of its colour; edges glow in a lighter tint of it.
        const auto glow = [e](int v) { return v / 4 + e * (v + 128) / 383; };
        return fx::EachChannel(c, glow);
    });
}

void Canvas::ApplyEffect3B() {
    const fx::Image img{pixels_, width_, height_};
    const int cell = fx::OptionA(effectOptionA_);
    const int columns = (width_ + cell - 1) / cell;
    std::vector<int> sums(static_cast<std::size_t>(columns) * 4);
    for (int top = 0; top < height_; top += cell) {
        const int bottom = std::min(top + cell, height_);
        std::fill(sums.begin(), sums.end(), 0);
        for (int y = top; y < bottom; ++y) {
            for (int x = 0; x < width_; ++x) {
                const Colour c = img.At(x, y);
                if (c == 0) continue;
                int* s = &sums[static_cast<std::size_t>(x / cell) * 4];
                s[0] += RedOf(c);
                s[1] += GreenOf(c);
                s[2] += BlueOf(c);
                s[3] += 1;
            }
        }
        for (int y = top; y < bottom; ++y) {
            for (int x = 0; x < width_; ++x) {
                Colour& c = img.At(x, y);
                if (c == 0) continue;
                const int* s = &sums[static_cast<std::size_t>(x / cell) * 4];
                const int n = s[3];
                c = fx::LandColour((s[0] + n / 2) / n, (s[1] + n / 2) / n, (s[2] + n / 2) / n);
            }
        }
    }
}

}  // namespace orvane
