// The palette PNG deflated on two threads must give the one-thread file byte for byte: a seed
// is how players share a map.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "canvas/Canvas.h"
#include "deflate/FilteredRows.h"
#include "deflate/SplitDeflate.h"
#include "palette/IndexedPicture.h"
#include "png/PaletteExport.h"
#include "png/PngPaletteWrite.h"

namespace orvane {
namespace {

constexpr std::size_t kBlockSymbols = 4095;

struct Picture {
    std::size_t width = 0;
    std::size_t height = 0;
    std::vector<std::uint8_t> indices;
    std::size_t colours = 0;
    bool renumbered = false;
    FilteredRows::Renumber renumber{};

    FilteredRows Rows() const {
        return FilteredRows(indices, width, height, colours, renumbered ? &renumber : nullptr);
    }
};

struct Deflated {
    std::vector<std::uint8_t> bytes;
    std::uint32_t adler;
    bool split;
};

Deflated Deflate(const Picture& p, unsigned threads) {
    BufferOut out;
    const RowsDeflated d = DeflateRows(p.Rows(), out, threads);
    return {{out.Bytes().begin(), out.Bytes().end()}, d.adler, d.split};
}

// Symbols of zlib's run-length deflate over the whole row stream, the plain way: a match of
// the byte before when the next three bytes repeat it, else a literal.
std::size_t Symbols(const Picture& p) {
    std::vector<std::uint8_t> s;
    p.Rows().ForEach(0, p.Rows().Size(), [&](std::span<const std::uint8_t> b) {
        s.insert(s.end(), b.begin(), b.end());
    });
    std::size_t symbols = 0;
    for (std::size_t i = 0; i < s.size(); ++symbols) {
        std::size_t length = 1;
        if (i > 0 && i + 3 <= s.size() && s[i] == s[i - 1] && s[i + 1] == s[i - 1] &&
            s[i + 2] == s[i - 1]) {
            length = 3;
            while (length < 258 && i + length < s.size() && s[i + length] == s[i - 1]) ++length;
        }
        i += length;
    }
    return symbols;
}

void ExpectSameAsOneThread(const Picture& p, const std::string& what) {
    const Deflated one = Deflate(p, 1);
    const Deflated two = Deflate(p, 2);
    EXPECT_TRUE(two.split) << what;
    EXPECT_EQ(one.adler, two.adler) << what;
    EXPECT_TRUE(one.bytes == two.bytes)
        << what << ": " << one.bytes.size() << " bytes, " << two.bytes.size() << " on two threads";
}

// Mostly short runs (literals, short matches) with some around 258, or with a quarter of the
// runs well past 258 so that blocks end inside them; index 0 often, so runs of empty space join
// rows across their filter bytes. Rows of random widths cut through all of them.
Picture RandomPicture(std::mt19937& rng, bool longRuns) {
    Picture p;
    p.width = 1 + rng() % 700;
    const std::size_t size = longRuns ? 1'200'000 + rng() % 600'000 : 300'000 + rng() % 300'000;
    p.height = size / (p.width + 1) + 1;
    p.colours = 2 + rng() % 143;
    p.indices.resize(p.width * p.height);
    for (std::size_t i = 0; i < p.indices.size();) {
        const std::size_t kind = rng() % 16;
        const std::size_t length = longRuns && kind < 4 ? 259 + rng() % 1500
                                   : kind == 4          ? 250 + rng() % 20
                                                        : 1 + rng() % 4;
        const auto value = static_cast<std::uint8_t>(rng() % 3 == 0 ? 0 : rng() % p.colours);
        for (std::size_t k = 0; k < length && i < p.indices.size(); ++k) p.indices[i++] = value;
    }
    // Half the pictures go out renumbered, as when colours were cut away: the gaps close, 0
    // stays 0, different colours stay different.
    if (rng() % 2 == 0) {
        p.renumbered = true;
        const std::size_t gap = 1 + rng() % 50;
        for (std::uint8_t& v : p.indices)
            if (v != 0) v = static_cast<std::uint8_t>(v + gap);
        for (std::size_t i = gap + 1; i < 256; ++i)
            p.renumber[i] = static_cast<std::uint8_t>(i - gap);
    }
    return p;
}

TEST(PngSplit, TwoThreadsGiveTheBytesOfOneOnRandomPictures) {
    // Empty space whose first block (a literal, then matches of 258) ends just after a row's
    // filter byte: the second part starts as a repeat of that byte.
    Picture empty;
    empty.width = 1977;
    empty.height = 800;
    empty.colours = 1;
    empty.indices.assign(empty.width * empty.height, 0);
    ExpectSameAsOneThread(empty, "empty space");

    std::mt19937 rng(2024);
    for (int i = 0; i < 60; ++i) {
        const Picture p = RandomPicture(rng, i % 4 == 0);
        ExpectSameAsOneThread(p,
                              "picture " + std::to_string(i) + " width " + std::to_string(p.width));
    }
}

// An enlarged map's rows: each source row made one to three times in a row, some of them
// wholly empty or of one colour, so that runs go on across repeated rows.
class RepeatedRows final : public RowMaker {
  public:
    RepeatedRows(const Picture& source, std::mt19937& rng) : source_(source) {
        for (std::size_t y = 0; y < source.height; ++y)
            for (std::size_t k = rng() % 3; k < 3; ++k) sources_.push_back(y);
    }
    void Make(std::size_t y, std::uint8_t* out) const override {
        const std::uint8_t* row = source_.indices.data() + sources_[y] * source_.width;
        std::copy(row, row + source_.width, out);
    }
    std::size_t Source(std::size_t y) const override { return sources_[y]; }
    std::size_t Height() const { return sources_.size(); }

  private:
    const Picture& source_;
    std::vector<std::size_t> sources_;
};

TEST(PngSplit, RepeatedRowsGiveTheBytesOfOneThread) {
    // The search for the second part's start takes a repeated row's symbols from the row
    // before when it meets it with the same open run; block ends inside such rows must be
    // found all the same.
    std::mt19937 rng(77);
    for (int i = 0; i < 24; ++i) {
        Picture p = RandomPicture(rng, i % 3 == 0);
        for (std::size_t y = 0; y < p.height; y += 1 + rng() % 9) {
            // Empty, or one of the picture's own indices.
            const std::uint8_t value = rng() % 2 ? 0 : p.indices[rng() % p.indices.size()];
            std::fill_n(p.indices.begin() + static_cast<std::ptrdiff_t>(y * p.width), p.width,
                        value);
        }
        const RepeatedRows maker(p, rng);
        const FilteredRows rows(maker, p.width, maker.Height(), p.colours,
                                p.renumbered ? &p.renumber : nullptr);
        BufferOut one, two;
        const RowsDeflated a = DeflateRows(rows, one, 1);
        const RowsDeflated b = DeflateRows(rows, two, 2);
        EXPECT_TRUE(b.split) << i;
        EXPECT_EQ(a.adler, b.adler) << i;
        EXPECT_TRUE(std::ranges::equal(one.Bytes(), two.Bytes())) << "picture " << i;
    }
}

// The last block is where the two parts differ most from one stream: empty when the symbols
// fill whole blocks, one or two symbols, or nearly full. Pictures of literals (each index
// differs from the one before) end in a run of empty space across several rows; the number of
// literals is chosen for the symbol count wanted.
TEST(PngSplit, StreamsEndingOnOrJustAfterABlockEnd) {
    for (const std::size_t width : {1, 37, 818, 4094}) {
        for (const std::size_t rest :
             {std::size_t{0}, std::size_t{1}, std::size_t{2}, std::size_t{3}, kBlockSymbols - 1}) {
            Picture p;
            p.width = width;
            p.height = 80'000 / (width + 1) + 3;
            p.colours = 3;
            p.indices.assign(p.width * p.height, 0);
            // One literal fewer is one symbol fewer or a little more: approach from above.
            std::size_t literals = p.indices.size() - 3 * width - 10;
            for (int tries = 0;; ++tries) {
                for (std::size_t i = 0; i < p.indices.size(); ++i)
                    p.indices[i] = i < literals ? static_cast<std::uint8_t>(1 + i % 2) : 0;
                const std::size_t symbols = Symbols(p);
                if (symbols % kBlockSymbols == rest) break;
                ASSERT_LT(tries, 100);
                const std::size_t over = (symbols + kBlockSymbols - rest) % kBlockSymbols;
                literals -= std::max<std::size_t>(1, over / (width == 1 ? 3 : 2));
            }
            ExpectSameAsOneThread(
                p, "width " + std::to_string(width) + " last block " + std::to_string(rest));
        }
    }
}

TEST(PngSplit, LargePalettesAndSmallPicturesStayOnOneThread) {
    std::mt19937 rng(7);
    Picture p = RandomPicture(rng, false);
    // Indices of 144 and more may make zlib store a block raw, which depends on the whole
    // stream: such pictures are not split, and come out as before.
    p.colours = 145;
    p.renumbered = false;
    const Deflated two = Deflate(p, 2);
    EXPECT_FALSE(two.split);
    EXPECT_TRUE(two.bytes == Deflate(p, 1).bytes);

    // The whole file: small pictures stay on one thread, large ones give the same file.
    for (const std::size_t width : {300, 2048}) {
        const std::size_t height = width == 300 ? 200 : 2100;
        std::vector<std::uint8_t> indices(width * height);
        for (std::size_t i = 0; i < indices.size(); ++i)
            indices[i] = static_cast<std::uint8_t>((i / 97 + i / width) % 5);
        const std::vector<Colour> palette = {0, 1, 2, 3, 4};
        const auto w = static_cast<std::uint32_t>(width);
        const auto h = static_cast<std::uint32_t>(height);
        EXPECT_TRUE(WritePalettePng(w, h, palette, indices, nullptr, 2) ==
                    WritePalettePng(w, h, palette, indices, nullptr, 1))
            << width;
    }
}

// A large map's export on two threads also looks for the colours used in two halves at once: a
// colour met only at the very end keeps its entry, one cut away loses it.
TEST(PngSplit, LargeMapExportKeepsEveryColourOnTwoThreads) {
    constexpr int kWidth = 2047;  // halves that end in a few pixels past a step of sixteen
    constexpr int kHeight = 2100;
    Canvas canvas;
    canvas.CreateImage(kWidth, kHeight, 0);
    const std::span<Colour> pixels = canvas.Pixels();
    for (std::size_t i = 0; i < pixels.size(); ++i)
        if (i / 3001 % 3 != 0) pixels[i] = RGB(20 + i / 300'000 * 10, 40, 60);
    canvas.SetPixel(kWidth - 1, kHeight - 1, RGB(1, 2, 3));
    canvas.SetPixel(5, 5, RGB(250, 2, 3));
    IndexedPicture picture = IndexedPicture::FromColours(canvas);
    picture.SetPenColour(0);
    picture.DrawPoint(5, 5);

    const auto two = ExportPng(picture, 2);
    EXPECT_TRUE(two == ExportPng(picture, 1));
    Canvas back;
    back.LoadPicture(two);
    EXPECT_EQ(back.GetPixel(kWidth - 1, kHeight - 1), RGB(1, 2, 3));
    EXPECT_EQ(back.GetPixel(5, 5), 0u);
    EXPECT_EQ(back.CountColours(), static_cast<int>(picture.Palette().size()) - 1);
}

}  // namespace
}  // namespace orvane
