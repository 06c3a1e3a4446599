// PNG export and load: chunk layout, palette rules, round trips, damaged input.
#include <gtest/gtest.h>
#include <zlib.h>

#include <set>
#include <string>
#include <vector>

#include "canvas/Canvas.h"
#include "core/RunError.h"
#include "deflate/Adler32.h"
#include "palette/IndexedPicture.h"
#include "png/PaletteExport.h"
#include "resources/Resources.h"
#include "tests/support/TestSupport.h"

namespace orvane {
namespace {

struct Chunk {
    std::string type;
    std::vector<std::uint8_t> data;
};

std::uint32_t Be32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
           p[3];
}

// Splits a PNG into chunks, checking the signature and every CRC on the way.
std::vector<Chunk> Chunks(const std::vector<std::uint8_t>& png) {
    static const std::uint8_t kSig[8] = {137, 80, 78, 71, 13, 10, 26, 10};
    EXPECT_GE(png.size(), 8u);
    EXPECT_TRUE(std::equal(kSig, kSig + 8, png.begin()));
    std::vector<Chunk> out;
    std::size_t pos = 8;
    while (pos + 12 <= png.size()) {
        const std::uint32_t len = Be32(&png[pos]);
        EXPECT_LE(pos + 12 + len, png.size());
        if (pos + 12 + len > png.size()) break;
        Chunk c{std::string(png.begin() + pos + 4, png.begin() + pos + 8),
                {png.begin() + pos + 8, png.begin() + pos + 8 + len}};
        const auto crc = crc32(0, &png[pos + 4], len + 4);
        EXPECT_EQ(crc, Be32(&png[pos + 8 + len])) << c.type;
        out.push_back(std::move(c));
        pos += 12 + len;
    }
    EXPECT_EQ(pos, png.size());
    return out;
}

std::vector<Colour> Palette(const std::vector<Chunk>& chunks) {
    std::vector<Colour> out;
    for (const Chunk& c : chunks)
        if (c.type == "PLTE")
            for (std::size_t i = 0; i + 2 < c.data.size(); i += 3)
                out.push_back(RGB(c.data[i], c.data[i + 1], c.data[i + 2]));
    return out;
}

Canvas Sample(int colours, bool withBlack) {
    Canvas c;
    c.CreateImage(37, 23, withBlack ? 0 : RGB(1, 2, 3));
    for (int i = 0; i < colours - 1; ++i)
        c.SetPixel(i % 37, i / 37, RGB(10 + i % 200, i / 200 + 7, 99));
    return c;
}

TEST(Png, PaletteExportHasBlackFirstAndOneEntryPerColour) {
    for (bool withBlack : {true, false}) {
        for (int colours : {1, 5, 64, 255}) {
            const Canvas c = Sample(colours, withBlack);
            const auto png = test::PalettePng(c);
            const auto chunks = Chunks(png);
            ASSERT_GE(chunks.size(), 4u);
            EXPECT_EQ(chunks.front().type, "IHDR");
            EXPECT_EQ(chunks.back().type, "IEND");
            EXPECT_EQ(Be32(&chunks[0].data[0]), 37u);
            EXPECT_EQ(Be32(&chunks[0].data[4]), 23u);
            EXPECT_EQ(chunks[0].data[8], 8);  // depth
            EXPECT_EQ(chunks[0].data[9], 3);  // palette

            const auto palette = Palette(chunks);
            ASSERT_FALSE(palette.empty());
            EXPECT_EQ(palette[0], 0u);
            // Black is always added; every used colour appears exactly once.
            std::set<Colour> used(c.Pixels().begin(), c.Pixels().end());
            used.insert(0);
            EXPECT_EQ(std::set<Colour>(palette.begin(), palette.end()), used);
            EXPECT_EQ(palette.size(), used.size());

            Canvas back;
            back.LoadPicture(png);
            ASSERT_EQ(back.GetWidth(), 37);
            ASSERT_EQ(back.GetHeight(), 23);
            EXPECT_TRUE(std::equal(back.Pixels().begin(), back.Pixels().end(), c.Pixels().begin()));
        }
    }
}

// A map big or noisy enough for many IDAT chunks, with a colour the cut patterns removed (so the
// indices are renumbered on the way out): every chunk full but the last, a zlib stream whose
// checksum zlib accepts, and the same picture decoded back.
TEST(Png, LargePalettePictureDecodesBackThroughItsChunks) {
    constexpr int kWidth = 509;
    constexpr int kHeight = 301;
    Canvas canvas;
    canvas.CreateImage(kWidth, kHeight, 0);
    std::uint32_t state = 7;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            state = state * 1664525u + 1013904223u;
            if (state >> 30) canvas.SetPixel(x, y, RGB(40 + (state >> 8) % 150, 9, 200));
        }
    canvas.SetPixel(7, 5, RGB(1, 2, 3));  // the only pixel of its colour
    IndexedPicture picture = IndexedPicture::FromColours(canvas);
    picture.SetPenColour(0);
    picture.DrawPoint(7, 5);
    const auto png = ExportPng(picture);

    const auto chunks = Chunks(png);
    std::vector<std::uint8_t> stream;
    std::vector<std::size_t> idatSizes;
    for (const Chunk& c : chunks)
        if (c.type == "IDAT") {
            idatSizes.push_back(c.data.size());
            stream.insert(stream.end(), c.data.begin(), c.data.end());
        }
    ASSERT_GT(idatSizes.size(), 3u);
    for (std::size_t i = 0; i + 1 < idatSizes.size(); ++i) EXPECT_EQ(idatSizes[i], 8192u);
    EXPECT_GT(idatSizes.back(), 0u);
    EXPECT_EQ(chunks.front().type, "IHDR");
    EXPECT_EQ(chunks[1].type, "PLTE");
    EXPECT_EQ(chunks.back().type, "IEND");
    EXPECT_EQ(chunks.size(), idatSizes.size() + 3);
    EXPECT_EQ(Palette(chunks).size(), picture.Palette().size() - 1);

    // zlib checks the stream's own checksum; rows are filter 0 followed by the indices.
    std::vector<std::uint8_t> rows(std::size_t{kWidth + 1} * kHeight + 1);
    uLongf length = rows.size();
    ASSERT_EQ(uncompress(rows.data(), &length, stream.data(), stream.size()), Z_OK);
    EXPECT_EQ(length, rows.size() - 1);
    EXPECT_EQ(stream[0], 0x78);
    EXPECT_EQ(stream[1], 0x01);

    Canvas back;
    back.LoadPicture(png);
    ASSERT_EQ(back.GetWidth(), kWidth);
    ASSERT_EQ(back.GetHeight(), kHeight);
    bool same = true;
    for (int y = 0; y < kHeight; ++y) {
        same = same && rows[std::size_t{kWidth + 1} * y] == 0;
        for (int x = 0; x < kWidth; ++x)
            same = same && back.GetPixel(x, y) == test::ColourAt(picture, x, y);
    }
    EXPECT_TRUE(same);
}

// The stream checksum sums bytes in lanes and reduces late: lengths at the edges of a lane,
// of a reduction block and of zlib's own, with all-0xFF bytes for the largest sums, and
// continued from an earlier part as the rows are.
TEST(Png, StreamChecksumIsZlibsAtEveryLength) {
    std::vector<std::uint8_t> bytes(300'000, 0xFF);
    std::vector<std::uint8_t> mixed(bytes.size());
    for (std::size_t i = 0; i < mixed.size(); ++i)
        mixed[i] = static_cast<std::uint8_t>(i * 131 >> 3);
    for (const auto* data : {&bytes, &mixed})
        for (std::size_t n :
             {0, 1, 15, 31, 32, 33, 5551, 5552, 5553, 131071, 131072, 131073, 262161, 300000}) {
            const std::span<const std::uint8_t> part(data->data(), n);
            const auto expected = adler32(1, part.data(), static_cast<uInt>(n));
            EXPECT_EQ(Adler32(1, part), expected) << n;
            const std::size_t cut = n / 3 + 1;
            if (cut < n) {
                EXPECT_EQ(Adler32(Adler32(1, part.first(cut)), part.subspan(cut)), expected) << n;
            }
        }
}

TEST(Png, TooManyColoursForAPaletteIsAnError) {
    // 256 colours without black need 257 entries once black takes index 0.
    EXPECT_THROW(test::PalettePng(Sample(257, true)), RunError);
    EXPECT_THROW(test::PalettePng(Sample(256, false)), RunError);
    EXPECT_NO_THROW(test::PalettePng(Sample(256, true)));
}

TEST(Png, LoadsTheBuiltInWeaponPictures) {
    // Palette PNGs made elsewhere: 30 x 30, several colours, and they survive a re-export.
    for (int number : {1, 30, 64}) {
        Canvas c;
        c.LoadPicture(WeaponPicturePng(number));
        EXPECT_EQ(c.GetWidth(), 30);
        EXPECT_EQ(c.GetHeight(), 30);
        EXPECT_GT(c.CountColours(), 2) << number;
        Canvas back;
        back.LoadPicture(test::PalettePng(c));
        EXPECT_TRUE(std::equal(back.Pixels().begin(), back.Pixels().end(), c.Pixels().begin()));
    }
}

TEST(Png, EmptyOrDamagedInputFailsCleanly) {
    Canvas empty;
    EXPECT_THROW(ExportPng(IndexedPicture()), RunError);

    auto png = test::PalettePng(Sample(20, true));
    Canvas c;
    c.CreateImage(3, 3, RGB(9, 9, 9));
    EXPECT_THROW(c.LoadPicture(std::span(png.data(), 40)), RunError);
    EXPECT_THROW(c.LoadPicture({}), RunError);
    png[png.size() / 2] ^= 0x55;  // corrupt the image data (CRC no longer matches)
    EXPECT_THROW(c.LoadPicture(png), RunError);
    // A failed load leaves the picture as it was.
    EXPECT_EQ(c.GetWidth(), 3);
    EXPECT_EQ(c.GetPixel(2, 2), RGB(9, 9, 9));
}

}  // namespace
}  // namespace orvane
