#include "deflate/Adler32.h"

#include <algorithm>
#include <cstddef>

namespace orvane {
namespace {

constexpr std::uint32_t kBase = 65521;  // the largest prime below 2^16
// Bytes are summed in kLanes independent lanes, kLanes bytes a step. Over kSteps steps a lane's
// sum of sums stays below 255 * kSteps * (kSteps + 1) / 2 < 2^32, so 32-bit lanes need no
// reduction inside a block.
constexpr std::size_t kLanes = 32;
constexpr std::size_t kSteps = 4096;
static_assert(255ull * kSteps * (kSteps + 1) / 2 < (1ull << 32));

}  // namespace

std::uint32_t Adler32(std::uint32_t adler, std::span<const std::uint8_t> bytes) {
    std::uint64_t a = adler & 0xFFFF;
    std::uint64_t b = adler >> 16;
    const std::uint8_t* p = bytes.data();
    std::size_t n = bytes.size();
    while (n >= kLanes) {
        const std::size_t steps = std::min(n / kLanes, kSteps);
        // After the block, sum[k] adds the block's bytes of lane k, and sums[k] adds each of
        // them times the number of steps from its own to the block's end (its own included).
        std::uint32_t sum[kLanes] = {};
        std::uint32_t sums[kLanes] = {};
        for (std::size_t s = 0; s < steps; ++s, p += kLanes) {
            for (std::size_t k = 0; k < kLanes; ++k) {
                sum[k] += p[k];
                sums[k] += sum[k];
            }
        }
        // A byte at offset i of an N-byte block adds N - i times to b; for lane k of step s
        // that is (steps - s) * kLanes - k.
        std::uint64_t bytesSum = 0;
        std::uint64_t weighted = 0;
        std::uint64_t laneWeighted = 0;
        for (std::size_t k = 0; k < kLanes; ++k) {
            bytesSum += sum[k];
            weighted += sums[k];
            laneWeighted += k * std::uint64_t{sum[k]};
        }
        const std::uint64_t length = steps * kLanes;
        b = (b + length % kBase * a + weighted * kLanes % kBase + kBase - laneWeighted % kBase) %
            kBase;
        a = (a + bytesSum) % kBase;
        n -= length;
    }
    for (; n > 0; --n) {
        a += *p++;
        b += a;
    }
    return static_cast<std::uint32_t>(a % kBase | (b % kBase) << 16);
}

}  // namespace orvane
