#pragma once
// Seed codes: a short text for any seed number, so that a map made from a number the program
// drew itself can be shared and made again through the seed box or --seed like a typed seed.
#include <cstdint>
#include <string>

namespace orvane {

// Capital letters (H to W) whose seed number (SeedNumber) is `number`; the same number always
// gives the same code, and the seed box keeps every one of its letters.
std::string SeedCode(std::uint32_t number);

}  // namespace orvane
