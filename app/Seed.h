#pragma once
// Seed texts: cleaned of the characters a file name cannot or should not hold, hashed as
// Windows-1252 bytes so that a seed typed on any machine gives the same map.
#include <cstdint>
#include <string>

namespace orvane {

// Removes every * | \ " : < > ? / and every control character (C0, DEL, and C1 written as
// UTF-8), one character after the other: none of them belongs in a file name.
std::string CleanSeed(std::string text);

// UTF-8 text as Windows-1252 bytes; characters outside that code page become '?'.
std::string ToWindows1252(const std::string& utf8);

// The 32-bit seed number of a cleaned seed text.
std::uint32_t SeedNumber(const std::string& cleanedSeed);

}  // namespace orvane
