#pragma once
// Building blocks shared by the picture effects. Effects work on the raw pixel buffer; they
// must keep empty space (0) meaningful, so land pixels stay land unless an effect cuts on
// purpose, and they take their noise from pixel coordinates so a picture always gives the
// same result.
#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "core/Colour.h"
#include "core/Numeric.h"
#include "pixels/PixelAllocator.h"

namespace orvane::fx {

struct Image {
    std::span<Colour> px;
    int w = 0;
    int h = 0;

    Colour& At(int x, int y) const {
        return px[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) +
                  static_cast<std::size_t>(x)];
    }
    std::size_t Size() const { return px.size(); }
};

// The two effect options as the canvas holds them. A() and B() are the values the effects
// read: outside the ranges the finishing stage sets (A 5..20, B 1..256; a fresh canvas has 0)
// they fall back to the middle of the range.
struct Options {
    std::int32_t a = 0;
    std::int32_t b = 0;
    // For the effects that move land: keep the land where it was (only its colours move).
    bool keepLandShape = false;

    int A() const { return a < 1 ? 10 : std::clamp<int>(a, 5, 20); }
    int B() const { return b < 1 ? 128 : std::min<int>(b, 256); }
};

inline int Clamp255(int v) {
    return v < 0 ? 0 : (v > 255 ? 255 : v);
}

// A land colour from possibly out-of-range channels; never 0, which would turn land into sky.
inline Colour LandColour(int r, int g, int b) {
    const Colour c = RGB(Clamp255(r), Clamp255(g), Clamp255(b));
    return c == 0 ? RGB(1, 1, 1) : c;
}

// The land colour of `c` with `f` applied to each channel.
template <typename F>
Colour EachChannel(Colour c, F f) {
    return LandColour(f(RedOf(c)), f(GreenOf(c)), f(BlueOf(c)));
}

// Replaces every land pixel c at (x, y) by change(c, x, y), row by row; empty space stays.
template <typename Change>
void ForEachLand(Image img, Change change) {
    for (int y = 0; y < img.h; ++y) {
        Colour* row = img.px.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(img.w);
        for (int x = 0; x < img.w; ++x)
            if (row[x] != 0) row[x] = change(row[x], x, y);
    }
}

// Perceived brightness 0..255.
inline int Luma(Colour c) {
    return (RedOf(c) * 77 + GreenOf(c) * 150 + BlueOf(c) * 29) >> 8;
}

// Brightness per pixel, 0 for empty space, so outlines read as steep edges.
// Map-size scratch buffers use the picture allocator: large pages, no zeroing before writing.
using LumaBuffer = UnzeroedBuffer<std::uint8_t>;
LumaBuffer LumaMap(std::span<const Colour> px);

// Reads a brightness map with coordinates clamped, so the picture frame is no edge.
struct LumaReader {
    const LumaBuffer& l;
    int w, h;
    int operator()(int x, int y) const {
        x = std::clamp(x, 0, w - 1);
        y = std::clamp(y, 0, h - 1);
        return l[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) +
                 static_cast<std::size_t>(x)];
    }
};

// Well-mixed 32 bits from a pixel position and a per-effect salt.
inline std::uint32_t Hash(std::uint32_t x, std::uint32_t y, std::uint32_t salt) {
    std::uint32_t v = x * 0x9E3779B1u ^ (y + 0x7F4A7C15u) * 0x85EBCA77u ^ salt * 0xC2B2AE3Du;
    v ^= v >> 16;
    v *= 0x7FEB352Du;
    v ^= v >> 15;
    v *= 0x846CA68Bu;
    v ^= v >> 16;
    return v;
}

// Sine from plain double arithmetic, so results do not depend on the maths library.
double Sine(double radians);
inline double Cosine(double radians) {
    return Sine(radians + kPi / 2);
}

// Moves each land pixel away from the mean of the land pixels in the (2r+1)^2 box around it
// by amountTenths / 10 of the difference: -10 gives the plain mean (a blur), positive values
// sharpen. Empty pixels neither contribute nor change.
void FilterLand(Image img, int radius, int amountTenths);

// City-block distance from each land pixel to the nearest empty pixel, capped at `cap`
// (0 for empty pixels). Outside the picture counts as land, so the frame is not an edge.
std::vector<std::uint8_t> DistanceToEmpty(const Image& img, int cap);

// Empties every 4-connected land region smaller than `minSize` pixels. When `allowed` is
// given, only regions lying wholly on allowed pixels are removed. Returns pixels removed.
std::size_t RemoveSpecks(Image img, int minSize, const std::vector<std::uint8_t>* allowed);

}  // namespace orvane::fx
