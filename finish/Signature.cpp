#include "finish/Signature.h"

#include <array>
#include <optional>

#include "core/Numeric.h"

namespace orvane {
namespace {

// The label text, kept scrambled by NStr so it does not stand in the binary as plain text.
constexpr std::array<char, 23> kScrambledLabel = {0x58, 0x65, 0x61, 0x76, 0x79, 0x72, 0x37, 0x65,
                                                  0x76, 0x79, 0x73, 0x78, 0x7a, 0x37, 0x7a, 0x76,
                                                  0x67, 0x37, 0x7a, 0x76, 0x7c, 0x72, 0x65};

// Random piece picks before giving up. With at least one acceptable piece among a few
// hundred, reaching it by chance is far less likely than any hardware fault; it only keeps
// the loop finite whatever the pieces hold.
constexpr int kMaxAttempts = 100000;

// The moon with a colour is acceptable only after this many attempts (this one included).
constexpr int kMoonAfterAttempts = 32;

// A piece the label may stand on, judged as the random pick judges it.
bool Acceptable(const MapState& map, std::int32_t d) {
    const TerrainPiece& p = map.pieces[d];
    if (p.Hidden) return false;
    if (d != map.pieces.MoonIndex()) return true;
    return p.Body != SkyBody::None;  // a colourless moon sends the label to the floor instead
}

// The piece for the label, if any can carry it. Draws one RndInt per attempt, and none at
// all when nothing is acceptable (the random pick could then never end).
std::optional<std::int32_t> ChoosePiece(const MapState& map, Random& rng) {
    std::int32_t firstAcceptable = 0;
    for (std::int32_t i = 1; i < static_cast<std::int32_t>(map.pieces.Records.size()); ++i) {
        if (Acceptable(map, i) &&
            (firstAcceptable == 0 || firstAcceptable == map.pieces.MoonIndex()))
            firstAcceptable = i;
    }
    if (firstAcceptable == 0) return std::nullopt;
    for (int attempt = 1; attempt <= kMaxAttempts; ++attempt) {
        const std::int32_t d = rng.RndInt(map.pieces.MoonIndex()) + 1;
        const TerrainPiece& p = map.pieces[d];
        if (p.Hidden) continue;
        if (d != map.pieces.MoonIndex()) return d;
        if (p.Body == SkyBody::None) {
            if (!map.pieces[map.pieces.FloorIndex()].Hidden) return map.pieces.FloorIndex();
        } else if (attempt > kMoonAfterAttempts) {
            return d;
        }
    }
    return firstAcceptable;
}

}  // namespace

std::string NStr(const std::string& text) {
    const auto key = static_cast<unsigned char>((text.size() & 30u) | 1u);
    std::string out = text;
    for (char& c : out) c = static_cast<char>(static_cast<unsigned char>(c) ^ key);
    return out;
}

void DrawSignature(MapState& map, Random& rng) {
    Canvas& canvas = map.canvas;
    const std::string label = NStr(std::string(kScrambledLabel.begin(), kScrambledLabel.end()));
    canvas.SetFontSize(12);
    const std::int32_t tw = canvas.TextWidth(label);
    const std::int32_t th = canvas.TextHeight(label);

    const auto d = ChoosePiece(map, rng);
    std::int32_t x = 0;
    std::int32_t y = 0;
    if (d) {
        const TerrainPiece& p = map.pieces[*d];
        x = CLng(p.Width / 2.0 - tw / 2.0 + p.X);
        y = CLng(p.Height / 2.0 - th / 2.0 + p.Y);
    } else {
        x = CLng(map.MapWidth / 2.0 - tw / 2.0);
        y = CLng(map.MapHeight / 2.0 - th / 2.0);
    }
    if (x < 5) {
        x = 5;
    } else if (x + tw + 5 > map.MapWidth) {
        x = map.MapWidth - tw - 5;
    }
    if (y < 3) {
        y = 3;
    } else if (y + th + 3 > map.MapHeight) {
        y = map.MapHeight - th - 3;
    }
    map.LabelBox = Rect{x - 5, y - 3, x + tw + 5, y + th + 3};

    if (d) {
        const TerrainPiece& p = map.pieces[*d];
        canvas.SetFillColour(p.BaseColour());
        canvas.SetPenColour(RandomShade(rng, p));
        canvas.SetPenWidth(rng.RndInt(1) + 1);
    } else {
        // No land at all: a neutral box in the middle, with no further draws.
        canvas.SetFillColour(RGB(128, 128, 128));
        canvas.SetPenColour(RGB(48, 48, 48));
        canvas.SetPenWidth(1);
    }
    canvas.DrawRectangle(x - 5, y - 3, tw + 10, th + 6);
    canvas.DrawText(label, x, y, 0);
}

}  // namespace orvane
