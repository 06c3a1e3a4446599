#include "terrain/compose/FeatureSweeps.h"

#include <optional>
#include <vector>

#include "core/Numeric.h"
#include "terrain/compose/SurfaceSearch.h"
#include "terrain/compose/WeaponCells.h"
#include "terrain/decor/Decorations.h"
#include "terrain/layout/LayoutParameters.h"

namespace orvane {
namespace {

// The columns a sweep visits, and which of them the tree-and-gate sweep found bare so the
// later sweeps skip them without reading pixels again.
class SweepColumns {
  public:
    SweepColumns(const TerrainPiece& piece, std::int32_t margin)
        : first_(CheckedSub(piece.X, margin)),
          last_(CheckedAdd(CheckedAdd(piece.X, piece.Width), margin)),
          noSurface_(last_ >= first_ ? static_cast<std::size_t>(last_) - first_ + 1 : 0, 0) {}

    std::int32_t First() const { return first_; }
    std::int32_t Last() const { return last_; }
    bool NoSurface(std::int32_t x) const { return noSurface_.at(Index(x)) == 1; }
    void MarkNoSurface(std::int32_t x) { noSurface_.at(Index(x)) = 1; }

  private:
    std::size_t Index(std::int32_t x) const {
        if (x < first_ || x > last_) throw RunError("Column outside the piece's sweep");
        return static_cast<std::size_t>(static_cast<std::int64_t>(x) - first_);
    }

    std::int32_t first_;
    std::int32_t last_;
    std::vector<std::uint8_t> noSurface_;
};

struct Sweep {
    MapState& map;
    Random& rng;
    const TerrainPiece& piece;
    SweepColumns& columns;
    const DecorationDrawers& drawers;

    // Surface search in column x with the sweep's gap, counted when it finds one.
    std::optional<std::int32_t> Search(std::int32_t x, std::int32_t gap) {
        const auto y = FindSurface(map.canvas, rng, x, piece, map.layout.PieceMargin, gap);
        if (y) ++map.stats.surfacesFound;
        return y;
    }

    std::int32_t Decorate(DecorationDrawer drawer, std::int32_t x, std::int32_t y) {
        DecorTarget target{map.canvas, map.colours, map.stats};
        return drawer(target, rng, x, y, piece);
    }

    // Sweeps 3 to 6: skip bare columns, draw the chance, then search and draw.
    void ChanceFirst(double chance, std::int32_t gap,
                     DecorationDrawer (*pick)(Random&, const DecorationDrawers&)) {
        const std::int32_t last = columns.Last();
        for (std::int32_t x = columns.First(); x <= last; ++x) {
            if (columns.NoSurface(x)) continue;
            if (!rng.Chance(chance)) continue;
            const auto y = Search(x, gap);
            if (!y) continue;
            x += Decorate(pick(rng, drawers), x, *y);
        }
    }
};

DecorationDrawer FlowerOrTuft(Random& rng, const DecorationDrawers& d) {
    return rng.Chance(0.5) ? d.flower : d.grassTuft;
}
DecorationDrawer Glyph(Random&, const DecorationDrawers& d) {
    return d.glyph;
}
DecorationDrawer Figure(Random&, const DecorationDrawers& d) {
    return d.figure;
}
DecorationDrawer StickFigure(Random&, const DecorationDrawers& d) {
    return d.stickFigure;
}

// Weapon cells: a random share of the surfaces, now and then with a second cell one icon
// lower (the later, upper one decides how far the sweep moves on).
void SweepWeaponSpots(Sweep& s, std::int32_t z, double spotDensity) {
    const double iconOffset = IconSpan(s.map.ScaleTenths);
    const std::int32_t last = s.columns.Last();
    for (std::int32_t x = s.columns.First(); x <= last; ++x) {
        const auto found = s.Search(x, 30);
        if (!found) continue;
        const std::int32_t y = *found;
        if (!s.rng.Chance(spotDensity)) continue;
        if (s.rng.Chance(0.2)) ReserveWeaponSpot(s.map, s.rng, x, CLng(iconOffset + y), z, s.piece);
        x += ReserveWeaponSpot(s.map, s.rng, x, y, z, s.piece);
    }
}

// Trees (green pieces) and gates; also records the columns that have no surface at all.
void SweepTreesAndGates(Sweep& s, double featureDensity) {
    const std::int32_t last = s.columns.Last();
    for (std::int32_t x = s.columns.First(); x <= last; ++x) {
        const auto y = s.Search(x, 90);
        if (!y) {
            s.columns.MarkNoSurface(x);
            continue;
        }
        if (!s.rng.Chance(0.05 * featureDensity)) continue;
        DecorationDrawer drawer = nullptr;
        if (s.piece.Land == LandKind::Green)
            drawer = s.rng.Chance(0.4) ? s.drawers.tree : s.drawers.gate;
        else if (s.rng.Chance(0.44))
            drawer = s.drawers.gate;
        if (drawer == nullptr) continue;
        x += s.Decorate(drawer, x, *y);
    }
}

}  // namespace

void SweepFeatures(MapState& map, Random& rng, std::int32_t z, const TerrainPiece& piece,
                   const DecorationDrawers& drawers) {
    const double featureDensity = (rng.RndInt(9) + 3) / 10.0;
    const double spotDensity = (rng.RndInt(12) + 18) / 100.0;
    SweepColumns columns(piece, map.layout.PieceMargin);
    Sweep s{map, rng, piece, columns, drawers};

    if (map.WalkForWeapons) SweepWeaponSpots(s, z, spotDensity);
    SweepTreesAndGates(s, featureDensity);
    const bool green = piece.Land == LandKind::Green;
    const bool stony = piece.Land == LandKind::Grey || piece.Land == LandKind::Brown;
    if (green) s.ChanceFirst(0.09 * featureDensity, 18, FlowerOrTuft);
    if (stony) s.ChanceFirst(0.05 * featureDensity, 22, Glyph);
    if (stony) s.ChanceFirst(0.04 * featureDensity, 90, Figure);
    s.ChanceFirst(0.06 * featureDensity, 24, StickFigure);
}

}  // namespace orvane
