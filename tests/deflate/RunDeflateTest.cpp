// Our deflate must give zlib's stream bit for bit: every saved map, and every seed players
// share, was made with zlib's bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "deflate/RleDeflate.h"
#include "deflate/RunDeflate.h"

namespace orvane {
namespace {

// Bytes below 144 in runs of many kinds: single bytes and runs just under, at and over the
// three a match needs; long runs that cross the 258 of a longest match and the 4095 symbols
// of a block; and colours of steeply falling counts, whose code lengths zlib must cut down.
std::vector<std::uint8_t> Stream(std::mt19937& rng, int kind, std::size_t size) {
    std::vector<std::uint8_t> d(size);
    const unsigned colours = 1 + rng() % 144;
    for (std::size_t i = 0; i < size;) {
        std::size_t run = 1;
        auto value = static_cast<std::uint8_t>(rng() % colours);
        if (kind == 0) run = 1 + rng() % 5;
        if (kind == 1) run = 1 + rng() % 800;
        if (kind == 2) run = rng() % 3 == 0 ? 1 + rng() % 3000 : 1 + rng() % 6;
        if (kind == 3) {
            unsigned steep = 0;
            while (steep + 1 < colours && rng() % 100 < 62) ++steep;
            value = static_cast<std::uint8_t>(steep);
            run = 1 + rng() % 2;
        }
        for (std::size_t k = 0; k < run && i < size; ++k) d[i++] = value;
    }
    return d;
}

// Feeds `bytes` in pieces of random sizes, as rows arrive.
template <class Deflater>
std::vector<std::uint8_t> Deflated(const std::vector<std::uint8_t>& bytes, std::mt19937& rng) {
    BufferOut out;
    Deflater deflater(out);
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t n = std::min<std::size_t>(bytes.size() - i, 1 + rng() % 3000);
        deflater.Add({bytes.data() + i, n});
        i += n;
    }
    deflater.Finish();
    return {out.Bytes().begin(), out.Bytes().end()};
}

TEST(RunDeflate, GivesZlibsBytes) {
    std::mt19937 rng(20261208);
    for (int t = 0; t < 400; ++t) {
        const int kind = t % 4;
        const std::size_t size = t < 40 ? t % 12 : rng() % 150'000;
        const std::vector<std::uint8_t> bytes = Stream(rng, kind, size);
        const std::vector<std::uint8_t> zlib = Deflated<RleDeflater>(bytes, rng);
        const std::vector<std::uint8_t> ours = Deflated<RunDeflater>(bytes, rng);
        ASSERT_TRUE(zlib == ours) << "stream " << t << " (kind " << kind << ", " << size
                                  << " bytes): zlib " << zlib.size() << " bytes, ours "
                                  << ours.size();
    }
}

}  // namespace
}  // namespace orvane
