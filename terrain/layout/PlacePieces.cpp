#include "terrain/layout/PlacePieces.h"

#include "core/Numeric.h"

namespace orvane {

namespace {

void SetGrey(TerrainPiece& p, Random& rng) {
    p.Land = LandKind::Grey;
    p.Red = p.Green = p.Blue = CInt(rng.RndInt(60) + 120);
}

// Grey (up to greyChance), green-red, or brown; the floor is greyer than ordinary pieces.
void DrawLandColour(TerrainPiece& p, Random& rng, double greyChance) {
    const float u = rng.Rnd();
    if (u <= CSng(greyChance)) {
        SetGrey(p, rng);
    } else if (u <= CSng(0.7)) {
        p.Land = LandKind::Green;
        p.Red = CInt(rng.RndInt(120) + 30);
        p.Green = 150;
        p.Blue = 30;
    } else {
        p.Land = LandKind::Brown;
        CmykToRgb(34, 56, 87, CInt(rng.RndInt(45)), p.Red, p.Green, p.Blue);
    }
}

void DrawFlags(TerrainPiece& p, Random& rng) {
    if (rng.Chance(0.1)) {
        p.IsHole = true;
    } else if (rng.Chance(0.15)) {
        p.AltFill = true;
    }
}

void Widen(TerrainPiece& moon, std::int32_t left, std::int32_t right) {
    if (left < moon.ExtentLeft) moon.ExtentLeft = left;
    if (right > moon.ExtentRight) moon.ExtentRight = right;
}

// Returns false when the floor is left out.
bool PlaceFloor(MapState& map, Random& rng, TerrainPiece& floor, TerrainPiece& moon) {
    const bool absent = rng.Chance(0.1) && map.layout.PieceCount >= 3;
    if (absent) {
        floor.Hidden = true;
        moon.ExtentLeft = map.MapWidth;
        moon.ExtentRight = 0;
        return false;
    }
    const std::int32_t k = rng.RndInt(250);
    floor.Width = CLng((k / 1000.0 + 0.75) * map.canvas.GetWidth());
    const std::int32_t t = CLng(map.canvas.GetHeight() * 0.1);
    const std::int32_t j = rng.RndInt(CLng(t * 0.4));
    floor.Height = CLng(t * 0.6 + j);
    if (floor.Height < 7) floor.Height = 7;
    floor.X = CLng(CheckedSub(map.canvas.GetWidth(), floor.Width) / 2.0);
    floor.Y = CheckedSub(map.canvas.GetHeight(), floor.Height);
    DrawFlags(floor, rng);
    DrawLandColour(floor, rng, 0.4);
    moon.ExtentLeft = floor.X;
    moon.ExtentRight = CheckedAdd(floor.X, floor.Width);
    return true;
}

// Returns false when the sky body is left out (the margin leaves no room above the land).
bool PlaceMoon(MapState& map, Random& rng, TerrainPiece& moon) {
    const std::int32_t w = map.MapWidth;
    const std::int32_t h = map.MapHeight;
    const std::int32_t s = w < h ? w : h;
    const std::int32_t k = rng.RndInt(CLng(s * 0.05));
    moon.Width = CLng(s * 0.05 + k);
    if (moon.Width < 16) moon.Width = rng.RndInt(4) + 16;
    moon.Body = static_cast<SkyBody>(rng.RndInt(2));
    if (map.layout.PieceMargin * 1.5 > h * 0.1) {
        moon.Hidden = true;
        return false;
    }
    const std::int32_t d = moon.Width;
    moon.Height = d;
    const std::int32_t kx = rng.RndInt(CLng(w - (d / 2.0 + d)));
    moon.X = CLng(d / 4.0 + kx);
    const std::int32_t ky = rng.RndInt(CLng(h * 0.1));
    moon.Y = CLng((d / 4.0 + ky) - (d / 2.0 + d));
    if (d / 4.0 > moon.Y) moon.Y = CLng(d / 4.0);
    if (moon.Body == SkyBody::Sun) {
        moon.Red = moon.Green = CInt(rng.RndInt(85) + 170);
        moon.Blue = 10;
    } else if (moon.Body == SkyBody::Moon) {
        moon.Red = moon.Green = moon.Blue = CInt(rng.RndInt(30) + 220);
    }
    Widen(moon, moon.X, CheckedAdd(moon.X, d));
    return true;
}

// Up to 66 random boxes inside the band; a piece that finds no free one is hidden but keeps
// its last box, which still blocks the pieces after it. The record stays empty while its own
// boxes are tried, so it never blocks itself.
void PlaceOrdinary(MapState& map, Random& rng, TerrainPiece& p, std::int32_t top,
                   std::int32_t span) {
    const LayoutParameters& layout = map.layout;
    const std::int32_t margin = layout.PieceMargin;
    const std::int32_t bandEnd = CheckedAdd(top, span);
    TerrainPiece tried;
    for (std::int32_t tries = 0;; ++tries) {
        tried.Width = CheckedAdd(rng.RndInt(layout.PieceWidthRange), layout.PieceMinWidth);
        tried.Height = CheckedAdd(rng.RndInt(layout.PieceHeightRange), layout.PieceMinHeight);
        // The horizontal range may be negative for very wide pieces: RndInt then gives n..0.
        const std::int32_t room =
            CheckedSub(map.MapWidth, CheckedAdd(tried.Width, CheckedMul(6, margin)));
        tried.X = CheckedAdd(rng.RndInt(room), CheckedMul(3, margin));
        tried.Y = CheckedAdd(rng.RndInt(CheckedSub(span, tried.Height)), top);
        const Rect box = tried.Box();
        const bool accepted =
            !FindOverlap(box, map.pieces.Records, 0) && tried.Y >= top && box.Bottom <= bandEnd;
        if (accepted) break;
        if (tries > 64) {
            tried.Hidden = true;
            break;
        }
    }
    p.X = tried.X;
    p.Y = tried.Y;
    p.Width = tried.Width;
    p.Height = tried.Height;
    p.Hidden = tried.Hidden;
    DrawFlags(p, rng);
    DrawLandColour(p, rng, 0.3);
    // Crowded maps get fewer land links.
    const double u = rng.Rnd();
    const double t = map.layout.PieceCount / 200.0 > 0.9 ? 0.9 : map.layout.PieceCount / 200.0;
    if (u > t) p.LinkChance = (rng.RndInt(6) + 2) / 10.0;
}

}  // namespace

std::optional<std::int32_t> FindOverlap(const Rect& rect, const std::vector<TerrainPiece>& pieces,
                                        std::int32_t margin) {
    Rect grown = rect;
    if (margin != 0) {
        grown.Left = CheckedSub(grown.Left, margin);
        grown.Top = CheckedSub(grown.Top, margin);
        grown.Right = CheckedAdd(grown.Right, margin);
        grown.Bottom = CheckedAdd(grown.Bottom, margin);
    }
    for (std::size_t i = 1; i < pieces.size(); ++i) {
        if (Intersects(grown, pieces[i].Box())) return static_cast<std::int32_t>(i);
    }
    return std::nullopt;
}

void CmykToRgb(std::int16_t c, std::int16_t m, std::int16_t y, std::int16_t k, std::int16_t& red,
               std::int16_t& green, std::int16_t& blue) {
    const double black = 1.0 - k / 100.0;
    red = CInt(255.0 * (1.0 - c / 100.0) * black);
    green = CInt(255.0 * (1.0 - m / 100.0) * black);
    blue = CInt(255.0 * (1.0 - y / 100.0) * black);
}

void PlacePieces(MapState& map, Random& rng) {
    if (map.layout.PieceCount < 2) throw RunError("PlacePieces needs at least two pieces");
    map.pieces.Records.assign(static_cast<std::size_t>(map.layout.PieceCount) + 1, TerrainPiece{});
    TerrainPiece& floor = map.pieces[map.pieces.FloorIndex()];
    TerrainPiece& moon = map.pieces[map.pieces.MoonIndex()];

    const bool hasFloor = PlaceFloor(map, rng, floor, moon);
    const bool hasMoon = PlaceMoon(map, rng, moon);

    // Ordinary pieces stay in a band below the sky body and above the floor.
    const std::int32_t h = map.MapHeight;
    const std::int32_t top = hasMoon ? CLng(Fix(h * 0.15)) : CLng(Fix(h * 0.05));
    const std::int32_t span = hasFloor ? CLng(Fix(h * 0.9) - top) : CheckedSub(h, top);

    for (std::int32_t i = 1; i <= map.layout.PieceCount - 2; ++i) {
        TerrainPiece& p = map.pieces[i];
        PlaceOrdinary(map, rng, p, top, span);
        Widen(moon, p.X, CheckedAdd(p.X, p.Width));
    }
}

}  // namespace orvane
