#pragma once
// PNG decoding through libspng: any colour type and depth.
#include <cstdint>
#include <span>
#include <vector>

namespace orvane {

struct DecodedPng {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint8_t> rgba;  // width * height pixels of red, green, blue, alpha
};

// RunError when the file is damaged or larger than a picture may be.
DecodedPng ReadPng(std::span<const std::uint8_t> png);

}  // namespace orvane
