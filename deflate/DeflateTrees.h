#pragma once
// Huffman trees of deflate blocks, built exactly as zlib builds them: its heap order, its tie
// break on subtree depth, its way of shortening codes longer than allowed, and its sums of a
// block's bits with its own and with the fixed trees. A block of the same symbols then gets the
// same codes, the same header and the same choice of trees, so our stream is zlib's bit for bit.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "deflate/DeflateSettings.h"

namespace orvane::deflate {

// The stream's shape, which our deflate and the split's block search must agree on: a block
// ends after kBlockSymbols (DeflateSettings.h), and a match is at most 258 bytes.
constexpr std::size_t kMaxMatch = 258;

constexpr int kEndBlock = 256;
constexpr int kLitCodes = 286;  // literals, the end of block, 29 length codes
constexpr int kDistCodes = 30;
constexpr int kBitLengthCodes = 19;
constexpr int kHeapSize = 2 * kLitCodes + 1;

// A length less 3 (0-255): its length code (0-28), and the first length less 3 of each code.
extern const std::array<std::uint8_t, 256> kLengthCode;
extern const std::array<std::uint8_t, 29> kLengthExtra;
extern const std::array<std::uint8_t, 29> kLengthBase;

struct Tree {
    std::array<std::uint32_t, kHeapSize> freq{};  // set by the caller, reset by it per block
    std::array<std::uint16_t, kHeapSize> len{};
    std::array<std::uint16_t, kHeapSize> code{};  // bit-reversed: written lowest bit first
    int maxCode = 0;                              // the largest code sent
};

// The fixed trees.
const Tree& FixedLiterals();
const Tree& FixedDistances();

struct BlockTrees {
    Tree lit;
    Tree dist;
    Tree bitLengths;
    int bitLengthCodes = 0;  // bit-length code lengths sent in the header
    bool fixed = false;      // the fixed trees make the block no longer than its own
};

// Builds the block's own trees from `lit.freq` and `dist.freq` (the end of block counted) and
// decides between them and the fixed ones.
void BuildTrees(BlockTrees& trees);

struct Bits {
    std::uint32_t value;
    unsigned count;
};
// The header of a block sent with its own trees, after its three block-type bits.
void TreeHeader(BlockTrees& trees, std::vector<Bits>& out);

}  // namespace orvane::deflate
