#pragma once
// A picture of at most 256 colours kept as one palette index per pixel, with the palette
// beside it: black (empty space) is always index 0, the other colours follow in ascending
// order. Once a map's colours are limited, its last steps (auto-crop, enlargement, cut
// patterns, minimum size, export) run on a quarter of the memory of the full-colour canvas
// and give the same pixels.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/Colour.h"
#include "core/Rect.h"
#include "palette/ColourMap.h"
#include "pixels/PixelAllocator.h"
#include "pixels/PixelGrid.h"
#include "raster/Anchor.h"

namespace orvane {

// A full-colour picture's pixels, as the canvas gives them.
using ColourView = PixelGrid<const Colour>;

class IndexedPicture {
  public:
    using Pixel = std::uint8_t;

    // The canvas's pixels as indices; RunError when it holds more than 256 colours. Room for
    // `room` pixels is kept, so a later enlargement up to that size happens in place. With
    // `sorted` false the palette may be left in the order the colours were met, for SortPalette
    // to put right later (a pass over every pixel that another thread may then make).
    // With `colours`, each land colour is first mapped through it (it must hold them all).
    // Kept for the tests, which index whole pictures.
    static IndexedPicture FromColours(const ColourView& canvas, std::size_t room = 0,
                                      bool sorted = true, const ColourMap* colours = nullptr);
    // The same for the part of the canvas inside `box` only: a crop with no copy of its own
    // (RunError when the box is not inside the canvas). With threads >= 2 a large crop is
    // indexed in two halves at once.
    static IndexedPicture FromColours(const ColourView& canvas, const Rect& box, std::size_t room,
                                      bool sorted, const ColourMap* colours, unsigned threads = 1);
    // Puts the palette in ascending order (black stays first) and renumbers the pixels to it.
    void SortPalette();

    std::int32_t GetWidth() const { return width_; }
    std::int32_t GetHeight() const { return height_; }
    std::span<Pixel> Pixels() { return pixels_; }
    std::span<const Pixel> Pixels() const { return pixels_; }
    PixelGrid<Pixel> Grid() { return {pixels_, width_, height_}; }
    std::span<const Colour> Palette() const { return palette_; }
    // Every palette colour other than black is known to occur in the pixels.
    bool PaletteAllUsed() const { return paletteAllUsed_; }

    // As the canvas operations of the same names. With `sortPalette`, SortPalette's renumbering
    // is made as the pixels are copied: one pass over the picture instead of two.
    void ResizeImage(std::int32_t width, std::int32_t height, bool sortPalette = false);
    void ResizeCanvas(std::int32_t width, std::int32_t height, Anchor anchor);  // empty
    // CropEmpty, ContentBox and Crop are kept as the tests' reference: maps index the crop box.
    void CropEmpty();
    // The smallest rectangle holding every pixel that is not empty space, and a crop to it.
    Rect ContentBox() const;
    void Crop(const Rect& box);

    // Cutting empty space out of the picture, as the canvas pen of colour 0 draws it; any other
    // pen colour is a RunError.
    void SetPenColour(Colour c);
    void SetPenWidth(std::int32_t w) { penWidth_ = w; }
    std::int32_t GetPenWidth() const { return penWidth_; }
    void DrawPoint(std::int32_t x, std::int32_t y);
    void DrawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);

  private:
    // FromColours's pass: with every land colour mapped through `colours`, the palette is known
    // before it and comes out sorted (false, doing nothing, when it could not hold them all);
    // else the colours are numbered as met. With `split`, in two halves at once.
    bool IndexMapped(const ColourView& canvas, const Rect& box, const ColourMap& colours,
                     bool split);
    void IndexAsMet(const ColourView& canvas, const Rect& box, const ColourMap* colours,
                    bool split);

    // Sorts the palette; the index each old index becomes, or nothing when none moves.
    std::optional<std::array<Pixel, 256>> OrderPalette();

    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    UnzeroedBuffer<Pixel> pixels_;
    std::vector<Colour> palette_;
    // Every palette colour is known to occur in the pixels (black aside), so the export need
    // not look for colours cut away: true from the canvas, kept by enlarging and by adding
    // empty space, lost by anything that may remove pixels.
    bool paletteAllUsed_ = false;
    std::int32_t penWidth_ = 1;
};

// A palette in ascending order (black, entry 0, stays first) and the index each old index
// becomes; `moved` is false when the palette was in order already.
struct PaletteOrder {
    std::vector<Colour> palette;
    std::array<IndexedPicture::Pixel, 256> renumber{};
    bool moved = false;
};
PaletteOrder SortedPalette(std::span<const Colour> palette);

}  // namespace orvane
