#pragma once
// The raster picture of one map (or one weapon picture) and every operation drawn on it.
// Pixels are packed colours (core/Colour.h); 0 is empty space. All drawing is clipped and
// reads outside the picture return 0, so callers may work near or past the edges freely.
// No operation anti-aliases: geometry never creates a colour that was not set.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/Colour.h"
#include "pixels/PixelAllocator.h"
#include "pixels/PixelGrid.h"
#include "raster/Anchor.h"

namespace orvane {

class ColourMap;

// The picture effects that take no arguments (effects/Effects.h says what each does).
enum class PictureEffect : std::uint8_t {
    Relief,     // 1
    Blur,       // 2A
    Sharpen,    // 2B
    Edges,      // 2C
    Grain,      // 3A
    Mosaic,     // 3B
    Solarise,   // 4A
    Posterise,  // 4B
    Swirl,      // 4C
    Waves,      // 5A
    HueTurn,    // 5B
    Crumble,    // 6
};

// How ReduceColours chooses and applies its palette.
struct ReduceOptions {
    bool medianCut = false;  // median cut instead of the quantizer's palette
    bool dither = false;     // error diffusion over land pixels
};

class Canvas {
  public:
    // --- picture -------------------------------------------------------------------------
    void CreateImage(std::int32_t width, std::int32_t height, Colour colour = 0);
    std::int32_t GetWidth() const { return width_; }
    std::int32_t GetHeight() const { return height_; }

    Colour GetPixel(std::int32_t x, std::int32_t y) const {
        if (static_cast<std::uint32_t>(x) >= static_cast<std::uint32_t>(width_) ||
            static_cast<std::uint32_t>(y) >= static_cast<std::uint32_t>(height_))
            return 0;
        return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                       static_cast<std::size_t>(x)];
    }
    void SetPixel(std::int32_t x, std::int32_t y, Colour c) {
        if (static_cast<std::uint32_t>(x) >= static_cast<std::uint32_t>(width_) ||
            static_cast<std::uint32_t>(y) >= static_cast<std::uint32_t>(height_))
            return;
        pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                static_cast<std::size_t>(x)] = c;
    }
    // Row-major pixels, width * height of them.
    std::span<Colour> Pixels() { return pixels_; }
    std::span<const Colour> Pixels() const { return pixels_; }
    // The pixels as rows, for the drawing and indexing that work on any picture; a canvas is
    // read as its grid wherever one is asked for.
    PixelGrid<Colour> Grid() { return {pixels_, width_, height_}; }
    PixelGrid<const Colour> Grid() const { return {pixels_, width_, height_}; }
    operator PixelGrid<const Colour>() const { return Grid(); }
    // Number of distinct colours, black included if present.
    int CountColours() const;

    // --- pen and fill ----------------------------------------------------------------------
    void SetPenColour(Colour c) { penColour_ = c; }
    void SetFillColour(Colour c) { fillColour_ = c; }
    void SetPenWidth(std::int32_t w) { penWidth_ = w; }  // read back exactly as set
    Colour GetPenColour() const { return penColour_; }
    Colour GetFillColour() const { return fillColour_; }
    std::int32_t GetPenWidth() const { return penWidth_; }

    // --- shapes (canvas/Draw*.cpp) ------------------------------------------------------------
    // A w x w square of pen colour anchored at (x, y) (width below 1 counts as 1).
    void DrawPoint(std::int32_t x, std::int32_t y);
    // Width 1: Bresenham including both ends; wider: a round brush of that diameter.
    void DrawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
    // Filled with the fill colour, outlined with the pen.
    void DrawRectangle(std::int32_t left, std::int32_t top, std::int32_t width,
                       std::int32_t height);
    void DrawEllipse(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height);
    void DrawCircle(std::int32_t x, std::int32_t y, std::int32_t radius);
    // Pending polygon: FillPolygon fills (even-odd, pixel centres) and strokes it closed;
    // DrawPolyline strokes it open. Neither clears the list.
    void AddPolyPoint(std::int32_t x, std::int32_t y);
    void DrawPolyline();
    void FillPolygon();
    void ClearPolyPoints();

    // --- text (canvas/Text.cpp): the embedded bold font, monochrome, in the pen colour ----------
    void SetFontSize(std::int32_t points) { fontSize_ = points; }
    std::int32_t TextWidth(const std::string& text) const;
    std::int32_t TextHeight(const std::string& text) const;
    void DrawText(const std::string& text, std::int32_t x, std::int32_t y, std::int32_t flags = 0);

    // --- colour operations (canvas/ReduceColours.cpp, canvas/Colours.cpp) ---------------------
    // At most `count` colours (0: back to full colour, pixels unchanged). Black stays 0 and no
    // other colour becomes 0; a picture already within `count` colours keeps them exactly.
    void ReduceColours(std::int32_t count, ReduceOptions options = {});
    // The same, returning the number of colours afterwards, mostly without counting again.
    int ReduceColoursCounted(std::int32_t count, ReduceOptions options = {});
    // ReduceColoursCounted(count, options), then ReduceColoursCounted(limit) when more than
    // `limit` colours are left; returns both counts (the second repeats the first when that
    // pass has nothing to do). The same pixels, with one pass over the picture fewer: the
    // second reduction takes its colour census from the first.
    // With `deferred`, the last mapping of land colours onto a palette is left out of the
    // pixels and put in `deferred` instead (every land colour of the picture with the colour it
    // takes; empty when the pixels are final): whoever reads the pixels next applies it, in a
    // pass it makes anyway. With threads >= 2 the colours of a large picture are counted by
    // two threads.
    std::array<int, 2> ReduceColoursThenLimit(std::int32_t count, ReduceOptions options,
                                              std::int32_t limit, ColourMap* deferred = nullptr,
                                              unsigned threads = 1);
    // Every pixel whose channels each lie within `tolerance` of `from` becomes `to`.
    void ReplaceColour(Colour from, Colour to, std::int32_t tolerance);

    // --- geometry (canvas/Resize.cpp) ----------------------------------------------------------
    // Nearest-neighbour scaling to the new size.
    void ResizeImage(std::int32_t width, std::int32_t height);
    // These two are kept as the tests' reference for the palette picture's finishing steps.
    // New size without scaling, the old picture kept at `anchor`; the new area takes `colour`.
    void ResizeCanvas(std::int32_t width, std::int32_t height, Anchor anchor, Colour colour);
    // (0, 0): crops away the outer rows and columns that are entirely colour 0.
    void TransformImage(std::int32_t a, std::int32_t b);

    // --- effects (effects/, canvas/Effects.cpp): keep the size, use no random generator -----
    // Options A (5..20) and B (1..256) tune the effects; unset (0), each reads as the middle.
    void SetEffectOptionA(std::int32_t value) { effectOptionA_ = value; }
    void SetEffectOptionB(std::int32_t value) { effectOptionB_ = value; }
    // Read by the tests of the options a map draws.
    std::int32_t GetEffectOptionA() const { return effectOptionA_; }
    std::int32_t GetEffectOptionB() const { return effectOptionB_; }
    // With `keepLandShape`, swirl and waves only recolour the land: it keeps its shape.
    void ApplyEffect(PictureEffect effect, bool keepLandShape = false);
    // Bricks of `size` pixels with mortar joints in `colour`.
    void ApplyEffect7(std::int32_t size, Colour colour);

    // --- files (canvas/CanvasPng.cpp, png/) ----------------------------------------------------
    // Takes the size and pixels of a PNG picture (any colour type).
    void LoadPicture(std::span<const std::uint8_t> png);

  private:
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    UnzeroedBuffer<Colour> pixels_;

    Colour penColour_ = 0;
    Colour fillColour_ = 0;
    std::int32_t penWidth_ = 1;
    std::vector<std::int32_t> polyX_;
    std::vector<std::int32_t> polyY_;

    std::int32_t fontSize_ = 12;

    std::int32_t effectOptionA_ = 0;
    std::int32_t effectOptionB_ = 0;
};

}  // namespace orvane
