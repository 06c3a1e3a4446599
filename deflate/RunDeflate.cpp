#include "deflate/RunDeflate.h"

#include <algorithm>

#include "pixels/ByteRuns.h"

namespace orvane {

using deflate::Tree;

using deflate::kMaxMatch;

void RunDeflater::SetPrevious(std::uint8_t byte) {
    previous_ = byte;
    repeats_ = 0;
}

void RunDeflater::Add(std::span<const std::uint8_t> bytes) {
    const std::uint8_t* p = bytes.data();
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    if (n > 0 && previous_ < 0) {
        Literal(p[0]);  // nothing before it to repeat
        previous_ = p[0];
        i = 1;
    }
    while (i < n) {
        const std::size_t end = SameUntil(p, i, n, static_cast<std::uint8_t>(previous_));
        repeats_ += end - i;
        // A run this long starts with a longest match whatever follows it.
        for (; repeats_ >= kMaxMatch; repeats_ -= kMaxMatch) Match(kMaxMatch);
        if (end == n) return;
        EndRun();
        Literal(p[end]);
        previous_ = p[end];
        i = end + 1;
    }
}

// zlib matches the byte before greedily once the next three repeat it; fewer are literals.
void RunDeflater::EndRun() {
    if (repeats_ >= 3)
        Match(repeats_);
    else
        for (std::size_t k = 0; k < repeats_; ++k) Literal(static_cast<std::uint8_t>(previous_));
    repeats_ = 0;
}

const std::array<std::uint16_t, 512> RunDeflater::kCodeOf = [] {
    std::array<std::uint16_t, 512> code{};
    for (std::size_t s = 0; s < 256; ++s) {
        code[s] = static_cast<std::uint16_t>(s);
        code[kMatch + s] = static_cast<std::uint16_t>(257 + deflate::kLengthCode[s]);
    }
    return code;
}();

void RunDeflater::StartBlock() {
    std::fill_n(trees_.lit.freq.begin(), deflate::kLitCodes, 0);
    std::fill_n(trees_.dist.freq.begin(), deflate::kDistCodes, 0);
    trees_.lit.freq[deflate::kEndBlock] = 1;
    count_ = 0;
}

void RunDeflater::WriteBlock(bool last) {
    // A block takes at most 4095 symbols of 25 bits and a header of a few hundred bytes.
    constexpr std::size_t kBlockRoom = 16384;
    if (stagedBytes_ + kBlockRoom > staged_.size()) {
        out_.Put(std::span(staged_).first(stagedBytes_));
        stagedBytes_ = 0;
    }
    deflate::BuildTrees(trees_);
    const bool fixed = trees_.fixed;
    const Tree& lit = fixed ? deflate::FixedLiterals() : trees_.lit;
    const Tree& dist = fixed ? deflate::FixedDistances() : trees_.dist;
    Put((fixed ? 2u : 4u) + (last ? 1u : 0u), 3);
    if (!fixed) {
        header_.clear();
        deflate::TreeHeader(trees_, header_);
        for (const deflate::Bits& b : header_) Put(b.value, b.count);
    }
    // Each symbol's bits in one piece: a match's length code, extra bits and distance code
    // (distance 1 only) take at most 15 + 5 + 5 bits.
    std::array<std::uint32_t, 512> code;
    std::array<std::uint8_t, 512> len;
    for (std::size_t s = 0; s < 256; ++s) {
        code[s] = lit.code[s];
        len[s] = static_cast<std::uint8_t>(lit.len[s]);
    }
    for (std::size_t lc = 0; lc < 256; ++lc) {
        const std::uint8_t c = deflate::kLengthCode[lc];
        const std::size_t symbol = 257 + c;
        const unsigned extra = deflate::kLengthExtra[c];
        const unsigned head = lit.len[symbol];
        // 258 has no extra bits, though it is not its code's first length.
        const auto more = extra > 0 ? static_cast<std::uint32_t>(lc - deflate::kLengthBase[c]) : 0;
        code[kMatch + lc] =
            lit.code[symbol] | more << head | std::uint32_t{dist.code[0]} << (head + extra);
        len[kMatch + lc] = static_cast<std::uint8_t>(head + extra + dist.len[0]);
    }
    for (std::size_t i = 0; i < count_; ++i) Put(code[symbols_[i]], len[symbols_[i]]);
    Put(lit.code[deflate::kEndBlock], lit.len[deflate::kEndBlock]);
    StartBlock();
    if (last) Put(0, (8 - held_) & 7);  // the stream ends on a whole byte
}

void RunDeflater::WriteWholeBytes() {
    out_.Put(std::span(staged_).first(stagedBytes_));
    stagedBytes_ = 0;
}

RunDeflater::HeldBits RunDeflater::Flush() {
    WriteWholeBytes();
    return {static_cast<std::uint32_t>(bits_), held_};
}

RunDeflater::HeldBits RunDeflater::EndBlock() {
    EndRun();
    if (count_ > 0) WriteBlock(false);
    return Flush();
}

void RunDeflater::Resume(HeldBits held) {
    bits_ = 0;
    held_ = 0;
    Put(held.value, held.count);
}

void RunDeflater::Finish() {
    EndRun();
    WriteBlock(true);
    WriteWholeBytes();
}

}  // namespace orvane
