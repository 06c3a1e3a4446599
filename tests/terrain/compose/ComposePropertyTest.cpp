// Whole maps from the real terrain stages over many seeds: every decoration, links and holes
// appear; every placement made by the pass stands on a surface, is accepted exactly when its
// sampled box is free of everything drawn before it, and a refused one leaves no trace.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/Numeric.h"
#include "map/MapLog.h"
#include "terrain/GenerateTerrain.h"
#include "terrain/compose/ComposeTerrain.h"
#include "terrain/decor/Placement.h"
#include "terrain/layout/PaintPieces.h"
#include "tests/support/TestSupport.h"
#include "tests/terrain/SeededMaps.h"
#include "tests/terrain/WrappedDrawers.h"

namespace orvane {
namespace {

using orvane::test::StartSeededMap;

// A seeded map through GenerateTerrain's stages, the composition given its drawers.
void BuildMap(MapState& map, Random& rng, std::uint32_t seed, const DecorationDrawers& drawers) {
    test::PlanSeededMap(map, rng, seed);
    NullLog log;
    PaintPieces(map, rng, log);
    ComposeTerrain(map, rng, drawers);
}

// The ground footprint and the free box a drawer will test, worked out from its size draws
// on a copy of the generator.
struct Footprint {
    std::int32_t width;
    std::int32_t gx, gy, gw, gh;
    bool cornersOnly;
    std::int32_t fx, fy, fw, fh;
};

Footprint FootprintOf(Drawer kind, Random copy, std::int32_t left, std::int32_t base) {
    std::int32_t w = 0, h = 0;
    switch (kind) {
        case Drawer::GrassTuft: {
            w = copy.RndInt(8) + 10;
            h = copy.RndInt(8) + 10;
            const std::int32_t top = base - h + 1;
            return {w, CLng(left + w / 2.0 - 1), top, 2, h, true, left, top, w, h - 1};
        }
        case Drawer::Flower: {
            w = copy.RndInt(4) + 8;
            h = copy.RndInt(6) + 11;
            const std::int32_t top = base - h + 1;
            return {w, CLng(left + w / 2.0), top, 1, h, true, left, top, w, h - 1};
        }
        case Drawer::Tree: {
            w = copy.RndInt(20) + 20;
            h = copy.RndInt(50) + 40;
            const std::int32_t top = base - h + 1;
            return {w, CLng(left + w / 2.0 - 2), top, 4, h, true, left, top,
                    w, CLng(h - 0.15 * h - 1)};
        }
        case Drawer::Gate: {
            w = copy.RndInt(30) + 18;
            h = copy.RndInt(35) + 25;
            const std::int32_t p = copy.RndInt(2) + 2;
            const std::int32_t top = base - h + 1;
            return {w, left, top, w, h, true, left, top - 3 * p, w, h - 1 + 3 * p};
        }
        case Drawer::Glyph: {
            h = copy.RndInt(20) + 18;
            w = copy.RndInt(10) + 12;
            const std::int32_t top = base - h + 1;
            return {w, left, top, w, h, true, left, top, w, h - 1};
        }
        case Drawer::Figure: {
            const std::int32_t n = copy.RndInt(40) + 50;
            h = n - n % 3;
            const std::int32_t t = CLng(0.5 * h);
            w = t + t % 2;
            const std::int32_t top = base - h + 1;
            return {w, left, top, w, h + 1, false, left, top, w, h - 1};
        }
        case Drawer::StickFigure: {
            h = copy.RndInt(6) + 16;
            w = CLng(0.4 * h);
            const std::int32_t top = base - h + 1;
            return {w, left, top, w, h, true, left, top, w, h - 1};
        }
    }
    return {};
}

// A cheap fingerprint of the neighbourhood a drawer can reach.
std::uint64_t Neighbourhood(const Canvas& c, std::int32_t left, std::int32_t base) {
    std::uint64_t h = 1469598103934665603ull;
    for (std::int32_t y = base - 140; y <= base + 8; ++y)
        for (std::int32_t x = left - 70; x <= left + 120; ++x)
            h = (h ^ c.GetPixel(x, y)) * 1099511628211ull;
    return h;
}

struct Watch {
    std::array<int, 7> accepted{};
    std::array<int, 7> refused{};
    int faults = 0;
    std::string firstFault;

    void Fault(const std::string& what) {
        if (faults++ == 0) firstFault = what;
    }
};
Watch* watch = nullptr;

template <Drawer Kind, DecorationDrawer Real>
struct Watched {
    static std::int32_t Draw(DecorTarget& target, Random& rng, std::int32_t left, std::int32_t base,
                             const TerrainPiece& piece) {
        const Canvas& c = target.canvas;
        const auto kind = static_cast<std::size_t>(Kind);
        const std::string where = std::string(kDrawerNames[kind]) + " at " + std::to_string(left) +
                                  "," + std::to_string(base);
        // The search hands over the empty row just above land.
        if (c.GetPixel(left, base) != 0 || c.GetPixel(left, base + 1) == 0)
            watch->Fault(where + " not on a surface");

        const Footprint f = FootprintOf(Kind, rng, left, base);
        const bool fits = IsGroundBelow(c, f.gx, f.gy, f.gw, f.gh, f.cornersOnly) &&
                          IsAreaFree(c, f.fx, f.fy, f.fw, f.fh, true);
        const std::uint64_t before = Neighbourhood(c, left, base);
        const int counted = target.stats.decorations[kind];

        const std::int32_t advance = Real(target, rng, left, base, piece);

        if (fits) {
            ++watch->accepted[kind];
            if (advance != f.width - 1) watch->Fault(where + " drawn with a wrong advance");
            if (target.stats.decorations[kind] != counted + 1) watch->Fault(where + " not counted");
        } else {
            ++watch->refused[kind];
            if (advance != 0) watch->Fault(where + " drawn over an occupied box or no ground");
            if (Neighbourhood(c, left, base) != before) watch->Fault(where + " refused but drew");
            if (target.stats.decorations[kind] != counted)
                watch->Fault(where + " counted a refusal");
        }
        return advance;
    }
};

const DecorationDrawers kWatched = test::WrapDrawers<Watched>();

TEST(ComposeTerrain, PlacementsHoldOverManySeeds) {
    Watch w;
    watch = &w;
    MapStats total;
    int mapsWithHoles = 0;
    for (std::uint32_t seed = 1; seed <= 200; ++seed) {
        MapState map;
        Random rng;
        map.WalkForWeapons = seed % 4 == 0;
        BuildMap(map, rng, seed, kWatched);
        for (std::size_t k = 0; k < 7; ++k) total.decorations[k] += map.stats.decorations[k];
        total.linksDrawn += map.stats.linksDrawn;
        total.holesCut += map.stats.holesCut;
        total.blobsDrawn += map.stats.blobsDrawn;
        total.surfacesFound += map.stats.surfacesFound;
        total.spotsReserved += map.stats.spotsReserved;
        mapsWithHoles += map.stats.holesCut > 0;
        if (w.faults > 0) break;
    }
    watch = nullptr;
    EXPECT_EQ(w.faults, 0) << w.firstFault;
    for (std::size_t k = 0; k < 7; ++k) {
        EXPECT_GT(total.decorations[k], 0) << kDrawerNames[k];
        EXPECT_EQ(total.decorations[k], w.accepted[k]) << kDrawerNames[k];
        EXPECT_GT(w.refused[k], 0) << kDrawerNames[k] << " is never refused";
    }
    EXPECT_GT(total.linksDrawn, 0);
    EXPECT_GT(mapsWithHoles, 0);
    EXPECT_GT(total.blobsDrawn, total.holesCut);
    EXPECT_GT(total.spotsReserved, 0);
    std::string summary = "links " + std::to_string(total.linksDrawn) + " holes " +
                          std::to_string(total.holesCut) + " in " + std::to_string(mapsWithHoles) +
                          " maps, blobs " + std::to_string(total.blobsDrawn) + ", spots " +
                          std::to_string(total.spotsReserved);
    for (std::size_t k = 0; k < 7; ++k)
        summary += std::string(", ") + kDrawerNames[k] + " " +
                   std::to_string(total.decorations[k]) + "/" +
                   std::to_string(total.decorations[k] + w.refused[k]);
    RecordProperty("summary", summary);
    std::printf("%s\n", summary.c_str());
}

TEST(ComposeTerrain, SameSeedSameMapAndTheDefaultDrawersAreTheWatchedOnes) {
    for (std::uint32_t seed : {3u, 77u}) {
        MapState a, b;
        Random ra, rb;
        StartSeededMap(a, ra, seed);
        NullLog log;
        GenerateTerrain(a, ra, log);
        Watch w;
        watch = &w;
        BuildMap(b, rb, seed, kWatched);
        watch = nullptr;
        EXPECT_TRUE(std::equal(a.canvas.Pixels().begin(), a.canvas.Pixels().end(),
                               b.canvas.Pixels().begin()));
        EXPECT_EQ(ra.Draws(), rb.Draws());
        EXPECT_EQ(a.stats.decorations, b.stats.decorations);
    }
}

}  // namespace
}  // namespace orvane
