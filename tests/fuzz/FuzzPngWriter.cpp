// libFuzzer target for the palette PNG writer and its own deflate. The input becomes a small
// picture (runs and noise, 1..256 colours) written as maps write it: WritePalettePng, ExportPng of
// an indexed picture (cropped, so unused colours leave the palette), or ExportPng of an enlarged
// picture over the two-thread threshold. Every file must inflate with zlib to exactly the pixels
// and palette given; when the linked zlib is the reference the encoder reproduces (1.2.x or
// 1.3.x, not zlib-ng), the stream must also be byte for byte zlib's at DeflateSettings.h.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <vector>

#include "core/Colour.h"
#include "deflate/DeflateSettings.h"
#include "palette/EnlargedRows.h"
#include "palette/IndexedPicture.h"
#include "png/PaletteExport.h"
#include "png/PngPaletteWrite.h"

namespace {

using orvane::Colour;

void Require(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "FuzzPngWriter: %s\n", what);
    std::abort();
}

// Whether the linked zlib writes the streams our encoder reproduces.
bool ReferenceZlib() {
    const char* version = zlibVersion();
#ifdef ZLIBNG_VERSION
    return false;
#else
    return (ZLIB_VERNUM >> 8 == 0x12 || ZLIB_VERNUM >> 8 == 0x13) &&
           (std::strncmp(version, "1.2.", 4) == 0 || std::strncmp(version, "1.3", 3) == 0) &&
           std::strstr(version, "ng") == nullptr;
#endif
}

const bool kCompareBytes = [] {
    std::fprintf(stderr, "FuzzPngWriter: zlib %s (built with %s): %s\n", zlibVersion(),
                 ZLIB_VERSION,
                 ReferenceZlib() ? "byte comparison with zlib ON" : "byte comparison SKIPPED");
    return ReferenceZlib();
}();

// The input read in a cycle, so short inputs still make whole pictures.
class Bytes {
  public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint8_t Next() { return size_ == 0 ? 0 : data_[pos_++ % size_]; }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// Runs (up to a few rows long, as a map's sky) and single pixels, indices below `colours`.
std::vector<std::uint8_t> MakeIndices(Bytes& in, std::size_t count, std::size_t colours) {
    std::vector<std::uint8_t> indices;
    indices.reserve(count);
    while (indices.size() < count) {
        const std::uint8_t op = in.Next();
        const auto index = static_cast<std::uint8_t>(in.Next() % colours);
        std::size_t n = 1;
        if (op & 0x80)
            n = (op & 0x40) ? static_cast<std::size_t>(op & 0x3F) * 97 + 1
                            : static_cast<std::size_t>(op & 0x3F) + 2;
        indices.insert(indices.end(), std::min(n, count - indices.size()), index);
    }
    return indices;
}

std::uint32_t Big32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

struct Decoded {
    std::uint32_t width = 0, height = 0;
    std::vector<Colour> palette;
    std::vector<std::uint8_t> zlibStream;  // the IDAT data joined
    std::vector<std::uint8_t> filtered;    // inflated: filter byte then indices, per row
};

Decoded Decode(const std::vector<std::uint8_t>& png) {
    static constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Require(png.size() >= 8 && std::memcmp(png.data(), kSignature, 8) == 0, "signature");
    Decoded d;
    std::size_t pos = 8;
    bool ended = false;
    while (pos < png.size()) {
        Require(png.size() - pos >= 12, "chunk cut short");
        const std::uint32_t length = Big32(&png[pos]);
        Require(length <= png.size() - pos - 12, "chunk length");
        const std::uint8_t* type = &png[pos + 4];
        const std::uint8_t* body = type + 4;
        Require(crc32(crc32(0, nullptr, 0), type, length + 4) == Big32(body + length), "chunk CRC");
        if (std::memcmp(type, "IHDR", 4) == 0) {
            Require(length == 13 && body[8] == 8 && body[9] == 3 && body[10] == 0 &&
                        body[11] == 0 && body[12] == 0,
                    "IHDR");
            d.width = Big32(body);
            d.height = Big32(body + 4);
        } else if (std::memcmp(type, "PLTE", 4) == 0) {
            Require(length % 3 == 0 && length >= 3 && length <= 768, "PLTE size");
            for (std::uint32_t i = 0; i < length; i += 3)
                d.palette.push_back(orvane::RGB(body[i], body[i + 1], body[i + 2]));
        } else if (std::memcmp(type, "IDAT", 4) == 0) {
            d.zlibStream.insert(d.zlibStream.end(), body, body + length);
        } else {
            Require(std::memcmp(type, "IEND", 4) == 0 && length == 0, "unknown chunk");
            ended = true;
        }
        pos += 12 + length;
    }
    Require(ended && pos == png.size(), "IEND last");

    const std::size_t expected = std::size_t{d.height} * (std::size_t{d.width} + 1);
    d.filtered.resize(expected + 1);
    uLongf got = static_cast<uLongf>(d.filtered.size());
    Require(uncompress(d.filtered.data(), &got, d.zlibStream.data(),
                       static_cast<uLong>(d.zlibStream.size())) == Z_OK,
            "IDAT does not inflate (or checksum wrong)");
    Require(got == expected, "inflated size");
    d.filtered.resize(expected);
    return d;
}

// Row y's decoded index at x, checking the row's filter byte is 0 and the index in the palette.
std::uint8_t IndexAt(const Decoded& d, std::size_t x, std::size_t y) {
    const std::size_t row = y * (std::size_t{d.width} + 1);
    Require(d.filtered[row] == 0, "filter byte");
    const std::uint8_t index = d.filtered[row + 1 + x];
    Require(index < d.palette.size(), "index outside the palette");
    return index;
}

void CompareWithZlib(const Decoded& d) {
    if (!kCompareBytes) return;
    z_stream z{};
    Require(deflateInit2(&z, orvane::deflate::kLevel, Z_DEFLATED, orvane::deflate::kWindowBits,
                         orvane::deflate::kMemLevel, orvane::deflate::kStrategy) == Z_OK,
            "deflateInit2");
    std::vector<std::uint8_t> out(deflateBound(&z, static_cast<uLong>(d.filtered.size())));
    z.next_in = const_cast<Bytef*>(d.filtered.data());
    z.avail_in = static_cast<uInt>(d.filtered.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    Require(deflate(&z, Z_FINISH) == Z_STREAM_END, "zlib deflate");
    out.resize(z.total_out);
    deflateEnd(&z);
    Require(out == d.zlibStream, "stream differs from zlib's");
}

// Distinct-enough colours from the input; black may come up, as in maps.
std::vector<Colour> MakeColours(Bytes& in, std::size_t count) {
    std::vector<Colour> colours(count);
    for (Colour& c : colours) c = orvane::RGB(in.Next(), in.Next(), in.Next());
    return colours;
}

// The writer itself: every index and palette entry comes back as given.
void CheckDirect(Bytes& in, std::uint32_t width, std::uint32_t height, std::size_t colours,
                 unsigned threads) {
    const std::vector<Colour> palette = MakeColours(in, colours);
    const std::vector<std::uint8_t> indices = MakeIndices(in, std::size_t{width} * height, colours);
    const Decoded d =
        Decode(orvane::WritePalettePng(width, height, palette, indices, nullptr, threads));
    Require(d.width == width && d.height == height, "size");
    Require(d.palette == palette, "palette");
    for (std::uint32_t y = 0; y < height; ++y)
        for (std::uint32_t x = 0; x < width; ++x)
            Require(IndexAt(d, x, y) == indices[std::size_t{y} * width + x], "pixel");
    CompareWithZlib(d);
}

// A canvas of the given colours as a map's picture; cropped, so colours may drop out.
orvane::IndexedPicture MakePicture(Bytes& in, std::int32_t width, std::int32_t height,
                                   std::size_t colours, bool crop) {
    // At most 255 colours besides black, as an indexed picture holds.
    const std::vector<Colour> palette = MakeColours(in, std::min<std::size_t>(colours, 255));
    const std::vector<std::uint8_t> indices = MakeIndices(
        in, static_cast<std::size_t>(width) * static_cast<std::size_t>(height), palette.size());
    std::vector<Colour> canvas(indices.size());
    for (std::size_t i = 0; i < indices.size(); ++i) canvas[i] = palette[indices[i]];
    orvane::IndexedPicture picture =
        orvane::IndexedPicture::FromColours(orvane::ColourView(canvas, width, height));
    if (crop && width > 2 && height > 2) picture.Crop({1, 1, width - 1, height - 1});
    return picture;
}

// Every pixel shows its colour; no palette entry twice, black first, ascending.
template <class ColourAt>
void CheckColours(const Decoded& d, ColourAt&& colourAt) {
    Require(!d.palette.empty() && d.palette[0] == 0, "black first");
    for (std::size_t i = 1; i < d.palette.size(); ++i)
        Require(d.palette[i - 1] < d.palette[i], "palette ascending");
    std::vector<bool> used(d.palette.size());
    for (std::uint32_t y = 0; y < d.height; ++y)
        for (std::uint32_t x = 0; x < d.width; ++x) {
            const std::uint8_t index = IndexAt(d, x, y);
            Require(d.palette[index] == colourAt(x, y), "pixel colour");
            used[index] = true;
        }
    for (std::size_t i = 1; i < used.size(); ++i) Require(used[i], "palette entry unused");
}

void CheckPicture(Bytes& in, std::int32_t width, std::int32_t height, std::size_t colours,
                  unsigned threads, bool crop) {
    const orvane::IndexedPicture picture = MakePicture(in, width, height, colours, crop);
    const Decoded d = Decode(orvane::ExportPng(picture, threads));
    Require(d.width == static_cast<std::uint32_t>(picture.GetWidth()) &&
                d.height == static_cast<std::uint32_t>(picture.GetHeight()),
            "size");
    CheckColours(d, [&](std::uint32_t x, std::uint32_t y) {
        return picture.Palette()[picture.Pixels()[y * d.width + x]];
    });
    CompareWithZlib(d);
}

// An enlarged picture with a margin, past the 4 MiB of rows from which two threads deflate.
void CheckEnlarged(Bytes& in, std::int32_t width, std::int32_t height, std::size_t colours,
                   unsigned threads, bool crop) {
    const orvane::IndexedPicture picture =
        MakePicture(in, std::min(width, 64), std::min(height, 64), colours, crop);
    const std::int32_t scaledWidth = 2100 + in.Next() * 4;
    const std::int32_t scaledHeight = 2000 + in.Next() * 4;
    const std::int32_t fullWidth = scaledWidth + in.Next() % 64;
    const std::int32_t fullHeight = scaledHeight + in.Next() % 64;
    const orvane::EnlargedRows rows(picture, scaledWidth, scaledHeight, fullWidth, fullHeight,
                                    static_cast<orvane::Anchor>(in.Next() % 9));
    const Decoded d = Decode(orvane::ExportPng(rows, threads));
    Require(d.width == static_cast<std::uint32_t>(fullWidth) &&
                d.height == static_cast<std::uint32_t>(fullHeight),
            "size");
    // Made a row at a time (At per pixel is too slow here); rows.At checks a sample of them.
    std::vector<std::uint8_t> row(static_cast<std::size_t>(fullWidth));
    std::uint32_t made = ~0u;
    CheckColours(d, [&](std::uint32_t x, std::uint32_t y) {
        if (y != made) {
            rows.Make(y, row.data());
            made = y;
            const auto sx = static_cast<std::int32_t>(y * 7919u % row.size());
            Require(rows.At(sx, static_cast<std::int32_t>(y)) == row[static_cast<std::size_t>(sx)],
                    "enlarged row");
        }
        return rows.Palette()[row[x]];
    });
    CompareWithZlib(d);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 5) return 0;
    const std::uint8_t flags = data[0];
    const auto width = static_cast<std::int32_t>((data[1] | (data[2] & 1) << 8) % 300 + 1);
    const auto height = static_cast<std::int32_t>(data[3] % 200 + 1);
    const std::size_t colours = std::size_t{data[4]} + 1;
    Bytes in(data + 5, size - 5);
    const unsigned threads = (flags & 1) ? 2 : 1;
    const bool crop = (flags & 8) != 0;
    switch ((flags >> 1) & 3) {
        case 0:
        case 1:
            CheckDirect(in, width, height, colours, threads);
            break;
        case 2:
            CheckPicture(in, width, height, colours, threads, crop);
            break;
        default:
            // A picture of 4 MiB costs a second or so: one input in sixteen.
            if (flags & 0x10)
                CheckEnlarged(in, width, height, colours, threads, crop);
            else
                CheckPicture(in, width, height, colours, threads, crop);
    }
    return 0;
}
