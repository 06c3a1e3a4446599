#pragma once
// One planned piece of land (or the sky body) and its outline points.
#include <cstdint>
#include <vector>

#include "core/Colour.h"
#include "core/Numeric.h"
#include "core/Random.h"
#include "core/Rect.h"
#include "core/RunError.h"

namespace orvane {

struct ShapePoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::uint8_t Quadrant = 0;  // 1..4: up-right, up-left, down-left, down-right of the centre
    bool operator==(const ShapePoint&) const = default;
};

// An outline is stored from index 0; its last point equals its first.
using Outline = std::vector<ShapePoint>;

// How a piece of land is coloured; it decides which decorations the piece carries.
enum class LandKind : std::uint8_t { None, Grey, Green, Brown };

// What the sky-body record shows; drawn as a number 0..2 in this order.
enum class SkyBody : std::uint8_t { None, Sun, Moon };

struct TerrainPiece {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    Outline Points;  // the closed outline
    std::int16_t Red = 0;
    std::int16_t Green = 0;
    std::int16_t Blue = 0;
    std::vector<Colour> Shades;      // one per shade pass, darkest first
    LandKind Land = LandKind::None;  // ordinary pieces and the floor
    SkyBody Body = SkyBody::None;    // the sky-body record only
    bool IsHole = false;
    bool AltFill = false;
    bool Hidden = false;
    std::int32_t ExtentLeft = 0;   // moon record only
    std::int32_t ExtentRight = 0;  // moon record only
    std::uint8_t LinkCount = 0;
    double LinkChance = 0.0;

    Rect Box() const { return Rect{X, Y, CheckedAdd(X, Width), CheckedAdd(Y, Height)}; }
    std::int32_t ShadeCount() const { return static_cast<std::int32_t>(Shades.size()); }

    // Shade number k, counted from 1 as the drawing rules count them.
    Colour Shade(int k) const {
        if (k < 1 || k > static_cast<int>(Shades.size()))
            throw RunError("Shade index out of range");
        return Shades[static_cast<std::size_t>(k - 1)];
    }
    Colour BaseColour() const { return RGB(Red, Green, Blue); }
    // Centre of the box, rounded half to even.
    std::int32_t CentreX() const { return CLng(X + Width / 2.0); }
    std::int32_t CentreY() const { return CLng(Y + Height / 2.0); }
};

// One of the piece's shades, each equally likely.
inline Colour RandomShade(Random& rng, const TerrainPiece& piece) {
    return piece.Shade(rng.RndInt(piece.ShadeCount() - 1) + 1);
}

}  // namespace orvane
