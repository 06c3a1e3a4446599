#pragma once
// The map files' deflate stream made by us, bit for bit the stream zlib makes at the settings of
// RleDeflate.h, for input of bytes below 144 (pictures of at most 144 colours). Then zlib never
// stores a block raw (the fixed code costs at most 8 bits a byte), and what is left is its
// run-length matching, its blocks of 4095 symbols and its Huffman trees (DeflateTrees.h). Runs
// are found eight bytes a step and bits written without a branch, where zlib goes byte by byte
// through a window it copies the input into.
//
// Measured 2026-12 on a 2-core VM shared with builds, medians of 7-11 alternated pairs: the same
// 64-map batch 1.88 s → 2.46 s CPU (2.1 s → 2.9 s wall) with zlib writing every map instead, the
// largest map 0.14 s → 0.18 s CPU. Off: in SplitDeflate.cpp, `kMostOwnColours = 144;` → `0;`
// (the two-thread split goes with it: it needs this deflate).
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "deflate/DeflateTrees.h"
#include "deflate/RleDeflate.h"

namespace orvane {

class RunDeflater {
  public:
    explicit RunDeflater(DeflateOut& out) : out_(out) { StartBlock(); }
    RunDeflater(const RunDeflater&) = delete;
    RunDeflater& operator=(const RunDeflater&) = delete;

    // The byte before this stream's first one, for a stream that continues another: the first
    // bytes can then repeat it as they would in one stream.
    void SetPrevious(std::uint8_t byte);
    // Bytes below 144 (others still give a valid stream, but maybe not zlib's). The stream
    // does not depend on how the input is cut into calls.
    void Add(std::span<const std::uint8_t> bytes);
    void Finish();

    // The bits of a byte not yet full, lowest first.
    struct HeldBits {
        std::uint32_t value = 0;
        unsigned count = 0;
    };
    // Writes out every whole byte of the blocks made so far; what is held back.
    HeldBits Flush();
    // Ends the block being made (the input must end where one stream would end a block) and
    // writes out its whole bytes; what is held back, which this deflater then leaves to the
    // stream that continues it.
    HeldBits EndBlock();
    // After Flush: goes on from `held` (at most 24 bits) instead of what it holds, so that a
    // part made on its own continues where another part's bits end.
    void Resume(HeldBits held);

  private:
    static constexpr std::size_t kBlockSymbols = deflate::kBlockSymbols;
    static constexpr std::uint16_t kMatch = 256;  // a symbol of kMatch + length - 3

    void Literal(std::uint8_t byte) { Tally(byte); }
    void Match(std::size_t length) { Tally(static_cast<std::uint16_t>(kMatch + length - 3)); }
    void EndRun();
    // Counts the symbol's code (a match also counts distance 1) without a branch.
    void Tally(std::uint16_t symbol) {
        ++trees_.lit.freq[kCodeOf[symbol]];
        trees_.dist.freq[0] += symbol >> 8;
        symbols_[count_++] = symbol;
        if (count_ == kBlockSymbols) WriteBlock(false);
    }
    void StartBlock();
    void WriteBlock(bool last);
    // Adds up to 32 bits and moves the whole bytes out: eight bytes are stored each time and
    // the end moves by the whole ones, with no branch (WriteBlock makes room for a block).
    void Put(std::uint32_t value, unsigned count) {
        bits_ |= std::uint64_t{value} << held_;
        held_ += count;
        std::uint8_t* at = staged_.data() + stagedBytes_;
        if constexpr (std::endian::native == std::endian::little)
            std::memcpy(at, &bits_, 8);
        else
            for (int k = 0; k < 8; ++k) at[k] = static_cast<std::uint8_t>(bits_ >> (8 * k));
        const unsigned whole = held_ >> 3;
        stagedBytes_ += whole;
        bits_ >>= whole * 8;
        held_ &= 7;
    }
    void WriteWholeBytes();

    // The literal or length code of each symbol.
    static const std::array<std::uint16_t, 512> kCodeOf;

    DeflateOut& out_;
    int previous_ = -1;        // the byte before the next one, once there is one
    std::size_t repeats_ = 0;  // bytes equal to it not yet made into symbols
    std::array<std::uint16_t, kBlockSymbols> symbols_{};
    std::size_t count_ = 0;
    deflate::BlockTrees trees_;
    std::vector<deflate::Bits> header_;
    std::uint64_t bits_ = 0;  // written lowest first: the bits of a byte not yet full
    unsigned held_ = 0;
    std::array<std::uint8_t, 65536> staged_;
    std::size_t stagedBytes_ = 0;
};

}  // namespace orvane
