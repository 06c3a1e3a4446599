#include "app/Preview.h"

#include <algorithm>
#include <cstdint>

namespace orvane {
namespace {

// `colourAt(index)` gives the colour of pixel number `index` (row-major) of a w x h picture.
template <class ColourAt>
MapPreview Sample(std::int64_t w, std::int64_t h, int maxWidth, int maxHeight, ColourAt colourAt) {
    MapPreview preview;
    if (maxWidth <= 0 || maxHeight <= 0 || w <= 0 || h <= 0) return preview;
    // Fit the limiting side exactly; round the other, in integers so both programs agree.
    std::int64_t pw = std::min<std::int64_t>(w, maxWidth);
    std::int64_t ph = std::min<std::int64_t>(h, maxHeight);
    if (w * ph > h * pw)
        ph = std::max<std::int64_t>(1, (h * pw * 2 + w) / (w * 2));
    else
        pw = std::max<std::int64_t>(1, (w * ph * 2 + h) / (h * 2));
    preview.width = static_cast<int>(pw);
    preview.height = static_cast<int>(ph);
    preview.rgb.resize(static_cast<std::size_t>(pw * ph * 3));
    std::uint8_t* out = preview.rgb.data();
    for (std::int64_t y = 0; y < ph; ++y) {
        const std::int64_t sy = (y * 2 + 1) * h / (ph * 2);
        for (std::int64_t x = 0; x < pw; ++x) {
            const Colour c =
                colourAt(static_cast<std::size_t>(sy * w + (x * 2 + 1) * w / (pw * 2)));
            *out++ = static_cast<std::uint8_t>(RedOf(c));
            *out++ = static_cast<std::uint8_t>(GreenOf(c));
            *out++ = static_cast<std::uint8_t>(BlueOf(c));
        }
    }
    return preview;
}

}  // namespace

MapPreview MakePreview(const Canvas& canvas, int maxWidth, int maxHeight) {
    const auto pixels = canvas.Pixels();
    return Sample(canvas.GetWidth(), canvas.GetHeight(), maxWidth, maxHeight,
                  [&](std::size_t i) { return pixels[i]; });
}

MapPreview MakePreview(const IndexedPicture& picture, int maxWidth, int maxHeight) {
    const auto pixels = picture.Pixels();
    const auto palette = picture.Palette();
    return Sample(picture.GetWidth(), picture.GetHeight(), maxWidth, maxHeight,
                  [&](std::size_t i) { return palette[pixels[i]]; });
}

MapPreview MakePreview(const EnlargedRows& rows, int maxWidth, int maxHeight) {
    const auto palette = rows.Palette();
    const auto w = static_cast<std::size_t>(rows.GetWidth());
    return Sample(rows.GetWidth(), rows.GetHeight(), maxWidth, maxHeight, [&](std::size_t i) {
        return palette[rows.At(static_cast<std::int32_t>(i % w), static_cast<std::int32_t>(i / w))];
    });
}

}  // namespace orvane
