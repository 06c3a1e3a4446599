#include "finish/Patterns.h"

#include "core/RunError.h"

namespace orvane {
namespace {

// Empty-colour pen of width 1 or 2, then a spacing of pen width + 1 .. pen width + 4.
template <class Picture>
std::int32_t StartPattern(Picture& canvas, Random& rng) {
    canvas.SetPenColour(0);
    canvas.SetPenWidth(rng.RndInt(1) + 1);
    return canvas.GetPenWidth();
}

std::int32_t Spacing(Random& rng, std::int32_t penWidth) {
    return rng.RndInt(3) + penWidth + 1;
}

// The same draws on the palette-index picture, cutting it, and on SizeOnly, which only draws.
template <class Picture>
void Cut(Picture& canvas, std::vector<std::string>& patterns, Random& rng, float p) {
    const std::int32_t w = canvas.GetWidth();
    const std::int32_t h = canvas.GetHeight();
    // Loops run from 0 to the far side inclusive; each pattern draws its chance first,
    // whether it takes place or not.
    if (rng.Chance(p)) {
        const std::int32_t s = Spacing(rng, StartPattern(canvas, rng));
        for (std::int32_t y = 0; y <= h; y += s) canvas.DrawLine(0, y, w, y);
        patterns.emplace_back("horizontalSlits");
    }
    if (rng.Chance(p)) {
        const std::int32_t s = Spacing(rng, StartPattern(canvas, rng));
        for (std::int32_t x = 0; x <= w; x += s) canvas.DrawLine(x, 0, x, h);
        patterns.emplace_back("verticalSlits");
    }
    if (rng.Chance(p)) {
        const std::int32_t sy = Spacing(rng, StartPattern(canvas, rng));
        const std::int32_t sx = Spacing(rng, canvas.GetPenWidth());
        // Each hole has its own width and is pushed down by 0..sy pixels.
        for (std::int32_t x = 0; x <= w; x += sx) {
            for (std::int32_t y = 0; y <= h; y += sy) {
                canvas.SetPenWidth(rng.RndInt(1) + 1);
                canvas.DrawPoint(x, y + rng.RndInt(sy));
            }
        }
        patterns.emplace_back("jitteredHoles");
    }
    if (rng.Chance(p)) {
        const std::int32_t pw = StartPattern(canvas, rng);
        const std::int32_t sy = Spacing(rng, pw);
        const std::int32_t sx = Spacing(rng, pw);
        for (std::int32_t x = 0; x <= w; x += sx)
            for (std::int32_t y = 0; y <= h; y += sy) canvas.DrawPoint(x, y);
        patterns.emplace_back("regularHoles");
    }
}

// Takes the draws of a cut without cutting anything.
class SizeOnly {
  public:
    SizeOnly(std::int32_t width, std::int32_t height) : width_(width), height_(height) {}
    std::int32_t GetWidth() const { return width_; }
    std::int32_t GetHeight() const { return height_; }
    void SetPenColour(Colour) {}
    void SetPenWidth(std::int32_t w) { penWidth_ = w; }
    std::int32_t GetPenWidth() const { return penWidth_; }
    void DrawLine(std::int32_t, std::int32_t, std::int32_t, std::int32_t) {}
    void DrawPoint(std::int32_t, std::int32_t) {}

  private:
    std::int32_t width_;
    std::int32_t height_;
    std::int32_t penWidth_ = 1;
};

}  // namespace

void DrawPatterns(IndexedPicture& picture, MapStats& stats, Random& rng, float p) {
    Cut(picture, stats.patterns, rng, p);
}

PatternCuts DrawPatternChoices(std::int32_t width, std::int32_t height, MapStats& stats,
                               Random& rng, float p) {
    PatternCuts cuts{width, height, p, rng.Clone()};
    const std::size_t before = stats.patterns.size();
    SizeOnly size(width, height);
    Cut(size, stats.patterns, rng, p);
    if (stats.patterns.size() == before) cuts.replay.reset();
    return cuts;
}

void CutPatterns(IndexedPicture& picture, PatternCuts& cuts) {
    if (!cuts.replay) return;
    if (picture.GetWidth() != cuts.width || picture.GetHeight() != cuts.height)
        throw RunError("Cut patterns: the picture is not the size they were drawn for");
    std::vector<std::string> names;
    Cut(picture, names, *cuts.replay, cuts.p);
}

}  // namespace orvane
