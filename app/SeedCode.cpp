#include "app/SeedCode.h"

#include <array>
#include <stdexcept>

#include "app/Seed.h"

namespace orvane {
namespace {

// CRC-32 is affine over the bits of a text of fixed length, so a code is found by solving a
// linear system over GF(2). Each letter carries four free bits: the letters H..W are exactly
// 0x48 with bits 0-2 free and bit 3 or 4 set (never both), an affine set of sixteen.
constexpr char kBase = 'H';
constexpr std::array<std::uint8_t, 4> kLetterBits{0x01, 0x02, 0x04, 0x18};
constexpr std::size_t kMaxLetters = 16;

// The code of `letters` letters for `number`, or empty when none has that length.
std::string Solve(std::uint32_t number, std::size_t letters) {
    const std::string base(letters, kBase);
    const std::uint32_t baseCrc = SeedNumber(base);
    // Each free bit's effect on the CRC, reduced to a basis; `uses` records which free bits
    // (by index, letter * 4 + bit) a basis vector is the sum of.
    struct Row {
        std::uint32_t effect;
        std::uint64_t uses;
    };
    std::array<Row, 32> basis{};  // indexed by the effect's highest bit
    std::array<bool, 32> present{};
    for (std::size_t i = 0; i < letters; ++i) {
        for (std::size_t k = 0; k < kLetterBits.size(); ++k) {
            std::string text = base;
            text[i] = static_cast<char>(kBase ^ kLetterBits[k]);
            Row row{SeedNumber(text) ^ baseCrc, std::uint64_t{1} << (i * 4 + k)};
            for (int bit = 31; bit >= 0 && row.effect != 0; --bit) {
                if (!(row.effect >> bit & 1)) continue;
                if (!present[bit]) {
                    basis[bit] = row;
                    present[bit] = true;
                    break;
                }
                row.effect ^= basis[bit].effect;
                row.uses ^= basis[bit].uses;
            }
        }
    }
    std::uint32_t wanted = number ^ baseCrc;
    std::uint64_t uses = 0;
    for (int bit = 31; bit >= 0; --bit) {
        if (!(wanted >> bit & 1)) continue;
        if (!present[bit]) return {};
        wanted ^= basis[bit].effect;
        uses ^= basis[bit].uses;
    }
    std::string code = base;
    for (std::size_t i = 0; i < letters; ++i)
        for (std::size_t k = 0; k < kLetterBits.size(); ++k)
            if (uses >> (i * 4 + k) & 1) code[i] = static_cast<char>(code[i] ^ kLetterBits[k]);
    return code;
}

}  // namespace

std::string SeedCode(std::uint32_t number) {
    for (std::size_t letters = 8; letters <= kMaxLetters; ++letters)
        if (std::string code = Solve(number, letters); !code.empty()) return code;
    throw std::logic_error("no seed code for a seed number");  // CRC-32 is onto at 8 letters
}

}  // namespace orvane
