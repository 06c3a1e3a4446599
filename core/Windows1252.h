#pragma once
// Windows-1252, the code page seeds are hashed in and label text is drawn from: Latin-1 except
// for the bytes 0x80..0x9F.
#include <array>

namespace orvane::cp1252 {

// Characters of the bytes 0x80..0x9F; U+FFFD marks the five unassigned bytes.
inline constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

// The character a byte stands for.
constexpr char32_t ToUnicode(unsigned char b) {
    return (b >= 0x80 && b < 0xA0) ? kHigh[b - 0x80] : char32_t{b};
}

// The byte of a character, or '?' when the code page lacks it.
constexpr char FromUnicode(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (std::size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] != 0xFFFD && kHigh[i] == c) return static_cast<char>(0x80 + i);
    return '?';
}

}  // namespace orvane::cp1252
