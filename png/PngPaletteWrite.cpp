#include "png/PngPaletteWrite.h"

#include "core/BigEndian.h"
#include "core/RunError.h"
#include "deflate/DeflateSettings.h"
#include "deflate/FilteredRows.h"
#include "deflate/SplitDeflate.h"
#include "pixels/AtOnce.h"
#include "png/PngChunks.h"
#include "png/PngSignature.h"

namespace orvane {

std::vector<std::uint8_t> WritePalettePng(std::uint32_t width, std::uint32_t height,
                                          std::span<const Colour> palette,
                                          std::span<const std::uint8_t> indices,
                                          const std::array<std::uint8_t, 256>* renumber,
                                          unsigned threads) {
    if (indices.size() != std::size_t{width} * height)
        throw RunError("PNG export failed: the picture does not match its size");
    return WritePalettePng(FilteredRows(indices, width, height, palette.size(), renumber), palette,
                           threads);
}

std::vector<std::uint8_t> WritePalettePng(const FilteredRows& rows, std::span<const Colour> palette,
                                          unsigned threads) {
    const auto width = static_cast<std::uint32_t>(rows.Width());
    const auto height = static_cast<std::uint32_t>(rows.Height());
    std::vector<std::uint8_t> out(kPngSignature.begin(), kPngSignature.end());
    // A few percent of the picture is a good first guess for a map's file.
    out.reserve(rows.Size() / 16 + 4096);

    std::uint8_t ihdr[13] = {};
    PutBigEndian32(ihdr, width);
    PutBigEndian32(ihdr + 4, height);
    ihdr[8] = 8;  // bits per index
    ihdr[9] = 3;  // palette colour type; compression, filter and interlace stay 0
    PutChunk(out, "IHDR", ihdr);
    std::vector<std::uint8_t> plte;
    for (const Colour c : palette)
        plte.insert(plte.end(),
                    {static_cast<std::uint8_t>(RedOf(c)), static_cast<std::uint8_t>(GreenOf(c)),
                     static_cast<std::uint8_t>(BlueOf(c))});
    PutChunk(out, "PLTE", plte);

    IdatWriter idat(out);
    idat.Put(deflate::kZlibHeader);
    const RowsDeflated deflated =
        DeflateRows(rows, idat, rows.Size() >= kTwoThreadsFrom<std::uint8_t> ? threads : 1);
    std::uint8_t trailer[4];
    PutBigEndian32(trailer, deflated.adler);
    idat.Put(trailer);
    idat.Seal();
    PutChunk(out, "IEND", {});
    return out;
}

}  // namespace orvane
