#pragma once
// The seven decoration drawers. Each stands a small object on the ground: `left` is the left
// edge of its box and `base` the empty row just above the ground there (the ground is row
// base + 1). Each keeps the contract of StandDecoration (DrawerSupport.h) and returns how far
// the sweep moves on: its width - 1, or 0 when it declined. The piece lends its shades; it is
// never changed.
#include <cstdint>

#include "canvas/Canvas.h"
#include "core/Random.h"
#include "map/MapState.h"

namespace orvane {

// What a drawer draws on and with: the canvas, the map's decoration colours, and the counts
// a placed object adds to.
struct DecorTarget {
    Canvas& canvas;
    const ColourTables& colours;
    MapStats& stats;
};

using DecorationFn = std::int32_t(DecorTarget& target, Random& rng, std::int32_t left,
                                  std::int32_t base, const TerrainPiece& piece);
using DecorationDrawer = DecorationFn*;

// Plants: a fan of green blades, a flower with leaves and a three-disc head, a cone tree.
DecorationFn DrawGrassTuft;
DecorationFn DrawFlower;
DecorationFn DrawTree;

// Line-work in the piece's shades: a gate of two posts and four beams, a letter-like glyph.
DecorationFn DrawGate;
DecorationFn DrawGlyph;

// Figures: a solid figure of boxes or ovals with a face, a stick figure.
DecorationFn DrawFigure;
DecorationFn DrawStickFigure;

// The set the composition pass plants with; a caller may substitute any of them (tests watch
// every placement this way).
struct DecorationDrawers {
    DecorationDrawer grassTuft = DrawGrassTuft;
    DecorationDrawer flower = DrawFlower;
    DecorationDrawer tree = DrawTree;
    DecorationDrawer gate = DrawGate;
    DecorationDrawer glyph = DrawGlyph;
    DecorationDrawer figure = DrawFigure;
    DecorationDrawer stickFigure = DrawStickFigure;
};

}  // namespace orvane
