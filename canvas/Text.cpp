// Text in the embedded bold font, rendered by FreeType without anti-aliasing, glyphs in the
// pen colour on whatever lies behind them. Layout uses unhinted advances and outlines, so
// sizes and glyph pixels do not move with the FreeType version's hinting.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>

#include "canvas/Canvas.h"
#include "core/RunError.h"
#include "core/Windows1252.h"
#include "resources/Resources.h"

namespace orvane {
namespace {

// Points at 96 pixels per inch: 12 points are 16 pixels.
std::int64_t PixelSize(std::int32_t points) {
    return std::llround(points * 96.0 / 72.0);
}

class Face {
  public:
    explicit Face(std::int32_t points) {
        if (FT_Init_FreeType(&library_) != 0) throw RunError("Text: cannot start FreeType");
        const auto font = FontBold();
        if (FT_New_Memory_Face(library_, font.data(), static_cast<FT_Long>(font.size()), 0,
                               &face_) != 0) {
            FT_Done_FreeType(library_);
            throw RunError("Text: cannot open the embedded font");
        }
        pixels_ = PixelSize(points);
        if (Usable() && FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(pixels_)) != 0)
            pixels_ = 0;  // draws nothing rather than with a wrong size
    }
    ~Face() {
        if (face_) FT_Done_Face(face_);
        FT_Done_FreeType(library_);
    }
    Face(const Face&) = delete;
    Face& operator=(const Face&) = delete;

    // False for sizes that draw nothing (below one pixel or absurdly large).
    bool Usable() const { return pixels_ >= 1 && pixels_ <= 2000; }

    // Ascent and descent in whole pixels, from the font's design units.
    std::int64_t Ascent() const {
        return static_cast<std::int64_t>(
            std::ceil(face_->ascender * static_cast<double>(pixels_) / face_->units_per_EM));
    }
    std::int64_t Descent() const {
        return static_cast<std::int64_t>(
            std::ceil(-face_->descender * static_cast<double>(pixels_) / face_->units_per_EM));
    }

    // Loads the glyph of `c` unhinted; false when the font cannot.
    bool Load(char32_t c, bool render) {
        const FT_UInt index = FT_Get_Char_Index(face_, c);
        FT_Int32 flags = FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP;
        if (render) flags |= FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME;
        return FT_Load_Glyph(face_, index, flags) == 0;
    }
    FT_GlyphSlot Glyph() const { return face_->glyph; }

  private:
    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
    std::int64_t pixels_ = 0;
};

// Unhinted advance of the loaded glyph, in 1/65536 pixel.
std::int64_t Advance(const Face& face) {
    return face.Glyph()->linearHoriAdvance;
}

}  // namespace

std::int32_t Canvas::TextWidth(const std::string& text) const {
    Face face(fontSize_);
    if (!face.Usable()) return 0;
    std::int64_t total = 0;
    for (char ch : text)
        if (face.Load(cp1252::ToUnicode(static_cast<unsigned char>(ch)), false))
            total += Advance(face);
    return static_cast<std::int32_t>((total + 0x8000) >> 16);
}

std::int32_t Canvas::TextHeight(const std::string&) const {
    Face face(fontSize_);
    if (!face.Usable()) return 0;
    return static_cast<std::int32_t>(face.Ascent() + face.Descent());
}

void Canvas::DrawText(const std::string& text, std::int32_t x, std::int32_t y, std::int32_t) {
    Face face(fontSize_);
    if (!face.Usable()) return;
    const std::int64_t baseline = std::int64_t{y} + face.Ascent();
    std::int64_t pen = 0;  // 1/65536 pixel from x
    for (char ch : text) {
        if (!face.Load(cp1252::ToUnicode(static_cast<unsigned char>(ch)), true)) continue;
        const FT_GlyphSlot g = face.Glyph();
        const FT_Bitmap& bm = g->bitmap;
        const std::int64_t left = std::int64_t{x} + ((pen + 0x8000) >> 16) + g->bitmap_left;
        const std::int64_t top = baseline - g->bitmap_top;
        if (bm.pixel_mode == FT_PIXEL_MODE_MONO) {
            for (unsigned row = 0; row < bm.rows; ++row) {
                const unsigned char* bits = bm.buffer + static_cast<std::ptrdiff_t>(row) * bm.pitch;
                for (unsigned col = 0; col < bm.width; ++col) {
                    if (!(bits[col >> 3] & (0x80 >> (col & 7)))) continue;
                    const std::int64_t px = left + col, py = top + row;
                    if (px >= 0 && px < width_ && py >= 0 && py < height_)
                        SetPixel(static_cast<std::int32_t>(px), static_cast<std::int32_t>(py),
                                 penColour_);
                }
            }
        }
        pen += Advance(face);
    }
}

}  // namespace orvane
