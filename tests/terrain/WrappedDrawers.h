#pragma once
// The seven default drawers, each wrapped by W<Kind, Real>::Draw: tests and tools watch every
// placement of the composition pass this way.
#include "terrain/decor/Decorations.h"

namespace orvane::test {

template <template <Drawer, DecorationDrawer> class W>
DecorationDrawers WrapDrawers() {
    return {W<Drawer::GrassTuft, DrawGrassTuft>::Draw,
            W<Drawer::Flower, DrawFlower>::Draw,
            W<Drawer::Tree, DrawTree>::Draw,
            W<Drawer::Gate, DrawGate>::Draw,
            W<Drawer::Glyph, DrawGlyph>::Draw,
            W<Drawer::Figure, DrawFigure>::Draw,
            W<Drawer::StickFigure, DrawStickFigure>::Draw};
}

}  // namespace orvane::test
