#include "palette/UsedColours.h"

#include <cstring>
#include <thread>

#include "pixels/AtOnce.h"

namespace orvane {
namespace {

constexpr std::uint64_t kEveryByte = 0x0101010101010101u;
constexpr std::size_t kStep = 16;

std::size_t Count(const std::array<std::uint8_t, 256>& seen) {
    std::size_t n = 0;
    for (const std::uint8_t s : seen) n += s;
    return n;
}

void Scan(std::span<const std::uint8_t> pixels, std::size_t colours,
          std::array<std::uint8_t, 256>& seen) {
    const std::uint8_t* p = pixels.data();
    const std::size_t n = pixels.size();
    std::uint64_t last = 0;  // eight copies of the last pixel looked at
    std::size_t marked = 0;
    std::size_t i = 0;
    for (; i + kStep <= n; i += kStep) {
        // Most of a map is long runs: sixteen pixels that repeat the last one are skipped, any
        // others are all marked, without a branch per pixel.
        std::uint64_t a, b;
        std::memcpy(&a, p + i, 8);
        std::memcpy(&b, p + i + 8, 8);
        if (((a ^ last) | (b ^ last)) == 0) continue;
        for (std::size_t k = 0; k < kStep; ++k) seen[p[i + k]] = 1;
        last = p[i + kStep - 1] * kEveryByte;
        if (++marked % 256 == 0 && Count(seen) >= colours) return;
    }
    for (; i < n; ++i) seen[p[i]] = 1;
}

}  // namespace

std::array<bool, 256> UsedColours(std::span<const std::uint8_t> pixels, std::size_t colours,
                                  unsigned threads) {
    std::array<std::uint8_t, 256> seen{};
    seen[0] = 1;
    if (threads >= 2 && pixels.size() >= kTwoThreadsFrom<std::uint8_t>) {
        std::array<std::uint8_t, 256> later{};
        const std::size_t half = pixels.size() / 2;
        {
            std::jthread second([&] { Scan(pixels.subspan(half), colours, later); });
            Scan(pixels.first(half), colours, seen);
        }
        for (std::size_t i = 0; i < seen.size(); ++i) seen[i] |= later[i];
    } else {
        Scan(pixels, colours, seen);
    }
    std::array<bool, 256> used{};
    for (std::size_t i = 0; i < used.size(); ++i) used[i] = seen[i] != 0;
    return used;
}

}  // namespace orvane
