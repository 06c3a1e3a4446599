#include "deflate/DeflateTrees.h"

#include <algorithm>

namespace orvane::deflate {
namespace {

constexpr int kMaxBits = 15;
constexpr int kMaxBitLengthBits = 7;
constexpr int kRepeat3To6 = 16;    // repeat the last length 3-6 times
constexpr int kZeros3To10 = 17;    // 3-10 zero lengths
constexpr int kZeros11To138 = 18;  // 11-138 zero lengths
constexpr int kFirstLengthCode = 257;

constexpr std::array<std::uint8_t, kDistCodes> kDistExtra = {0, 0, 0,  0,  1,  1,  2,  2,  3,  3,
                                                             4, 4, 5,  5,  6,  6,  7,  7,  8,  8,
                                                             9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
constexpr std::array<std::uint8_t, kBitLengthCodes> kBitLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                                                       0, 0, 0, 0, 0, 0, 2, 3, 7};
// The order bit-length code lengths are sent in: the likely ones first.
constexpr std::array<std::uint8_t, kBitLengthCodes> kBitLengthOrder = {
    16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

// What differs between the three kinds of tree.
struct Kind {
    int elems;
    int maxLength;
    const std::uint8_t* extra;  // extra bits of codes from `extraBase` on
    int extraBase;
    const Tree* fixed;  // the fixed tree, for the block's length with it
};

std::uint16_t Reversed(unsigned code, unsigned len) {
    unsigned r = 0;
    for (unsigned i = 0; i < len; ++i, code >>= 1) r = (r << 1) | (code & 1);
    return static_cast<std::uint16_t>(r);
}

// Canonical codes from the lengths, as deflate defines them.
void MakeCodes(Tree& tree, int maxCode, const std::array<std::uint16_t, kMaxBits + 1>& count) {
    std::array<unsigned, kMaxBits + 1> next{};
    unsigned code = 0;
    for (int bits = 1; bits <= kMaxBits; ++bits) {
        code = (code + count[bits - 1]) << 1;
        next[bits] = code;
    }
    for (int n = 0; n <= maxCode; ++n)
        if (const unsigned len = tree.len[n]; len != 0) tree.code[n] = Reversed(next[len]++, len);
}

Tree MakeFixed(int elems, bool literals) {
    Tree t;
    std::array<std::uint16_t, kMaxBits + 1> count{};
    for (int n = 0; n < elems; ++n) {
        t.len[n] = !literals ? 5 : n < 144 ? 8 : n < 256 ? 9 : n < 280 ? 7 : 8;
        ++count[t.len[n]];
    }
    MakeCodes(t, elems - 1, count);
    t.maxCode = elems - 1;
    return t;
}

// zlib's builder: a heap of symbols by count, ties to the shallower subtree.
class Builder {
  public:
    Builder(Tree& tree, const Kind& kind, std::uint64_t& own, std::uint64_t& fixed)
        : t_(tree), kind_(kind), own_(own), fixed_(fixed) {}

    void Build() {
        int maxCode = -1;
        heapLen_ = 0;
        heapMax_ = kHeapSize;
        for (int n = 0; n < kind_.elems; ++n) {
            if (t_.freq[n] != 0) {
                heap_[++heapLen_] = maxCode = n;
                depth_[n] = 0;
            } else {
                t_.len[n] = 0;
            }
        }
        // At least two codes, even for one symbol or none.
        while (heapLen_ < 2) {
            const int node = heap_[++heapLen_] = maxCode < 2 ? ++maxCode : 0;
            t_.freq[node] = 1;
            depth_[node] = 0;
            --own_;
            if (kind_.fixed) fixed_ -= kind_.fixed->len[node];
        }
        t_.maxCode = maxCode;
        for (int n = heapLen_ / 2; n >= 1; --n) Down(n);
        int node = kind_.elems;
        do {
            const int n = heap_[1];
            heap_[1] = heap_[heapLen_--];
            Down(1);
            const int m = heap_[1];
            heap_[--heapMax_] = n;
            heap_[--heapMax_] = m;
            t_.freq[node] = t_.freq[n] + t_.freq[m];
            depth_[node] = static_cast<std::uint8_t>(std::max(depth_[n], depth_[m]) + 1);
            dad_[n] = dad_[m] = static_cast<std::uint16_t>(node);
            heap_[1] = node++;
            Down(1);
        } while (heapLen_ >= 2);
        heap_[--heapMax_] = heap_[1];
        Lengths(maxCode);
        MakeCodes(t_, maxCode, count_);
    }

  private:
    bool Smaller(int n, int m) const {
        return t_.freq[n] < t_.freq[m] || (t_.freq[n] == t_.freq[m] && depth_[n] <= depth_[m]);
    }

    void Down(int k) {
        const int v = heap_[k];
        for (int j = k << 1; j <= heapLen_; j <<= 1) {
            if (j < heapLen_ && Smaller(heap_[j + 1], heap_[j])) ++j;
            if (Smaller(v, heap_[j])) break;
            heap_[k] = heap_[j];
            k = j;
        }
        heap_[k] = v;
    }

    // Code lengths from the tree, no longer than allowed, and the block's bits.
    void Lengths(int maxCode) {
        count_.fill(0);
        int overflow = 0;
        t_.len[heap_[heapMax_]] = 0;  // the root
        for (int h = heapMax_ + 1; h < kHeapSize; ++h) {
            const int n = heap_[h];
            int bits = t_.len[dad_[n]] + 1;
            if (bits > kind_.maxLength) {
                bits = kind_.maxLength;
                ++overflow;
            }
            t_.len[n] = static_cast<std::uint16_t>(bits);
            if (n > maxCode) continue;  // not a leaf
            ++count_[bits];
            const int extra = n >= kind_.extraBase ? kind_.extra[n - kind_.extraBase] : 0;
            own_ += std::uint64_t{t_.freq[n]} * static_cast<unsigned>(bits + extra);
            if (kind_.fixed) fixed_ += std::uint64_t{t_.freq[n]} * (kind_.fixed->len[n] + extra);
        }
        if (overflow == 0) return;
        // Moves leaves down from the longest length until all fit, then gives the lengths out
        // again by rising count.
        do {
            int bits = kind_.maxLength - 1;
            while (count_[bits] == 0) --bits;
            --count_[bits];
            count_[bits + 1] += 2;
            --count_[kind_.maxLength];
            overflow -= 2;
        } while (overflow > 0);
        int h = kHeapSize;
        for (int bits = kind_.maxLength; bits != 0; --bits) {
            for (int n = count_[bits]; n != 0;) {
                const int m = heap_[--h];
                if (m > maxCode) continue;
                if (t_.len[m] != bits) {
                    own_ += (static_cast<std::uint64_t>(bits) - t_.len[m]) * t_.freq[m];
                    t_.len[m] = static_cast<std::uint16_t>(bits);
                }
                --n;
            }
        }
    }

    Tree& t_;
    const Kind& kind_;
    std::uint64_t& own_;
    std::uint64_t& fixed_;
    std::array<int, kHeapSize> heap_{};
    int heapLen_ = 0;
    int heapMax_ = 0;
    std::array<std::uint8_t, kHeapSize> depth_{};
    std::array<std::uint16_t, kHeapSize> dad_{};
    std::array<std::uint16_t, kMaxBits + 1> count_{};
};

// Walks a tree's code lengths as they are sent: runs of zeros and repeats of the length before.
// `f(length, count, prevLength)` for each step: count 1-2 plain lengths, or a run to code.
template <class F>
void ForEachLengthRun(Tree& tree, int maxCode, F&& f) {
    int prev = -1;
    int next = tree.len[0];
    int count = 0;
    int maxCount = next == 0 ? 138 : 7;
    int minCount = next == 0 ? 3 : 4;
    // A guard no length equals, taken away afterwards: the code after the last has no length.
    const std::uint16_t after = tree.len[maxCode + 1];
    tree.len[maxCode + 1] = 0xffff;
    for (int n = 0; n <= maxCode; ++n) {
        const int cur = next;
        next = tree.len[n + 1];
        if (++count < maxCount && cur == next) continue;
        f(cur, count, count < minCount, prev);
        count = 0;
        prev = cur;
        if (next == 0) {
            maxCount = 138, minCount = 3;
        } else if (cur == next) {
            maxCount = 6, minCount = 3;
        } else {
            maxCount = 7, minCount = 4;
        }
    }
    tree.len[maxCode + 1] = after;
}

void CountLengthRuns(Tree& tree, int maxCode, Tree& bl) {
    ForEachLengthRun(tree, maxCode, [&](int len, int count, bool plain, int prev) {
        if (plain) {
            bl.freq[len] += static_cast<std::uint32_t>(count);
        } else if (len != 0) {
            if (len != prev) ++bl.freq[len];
            ++bl.freq[kRepeat3To6];
        } else {
            ++bl.freq[count <= 10 ? kZeros3To10 : kZeros11To138];
        }
    });
}

void SendLengthRuns(Tree& tree, int maxCode, const Tree& bl, std::vector<Bits>& out) {
    const auto code = [&](int c) { out.push_back({bl.code[c], bl.len[c]}); };
    ForEachLengthRun(tree, maxCode, [&](int len, int count, bool plain, int prev) {
        if (plain) {
            for (; count > 0; --count) code(len);
        } else if (len != 0) {
            if (len != prev) {
                code(len);
                --count;
            }
            code(kRepeat3To6);
            out.push_back({static_cast<std::uint32_t>(count - 3), 2});
        } else if (count <= 10) {
            code(kZeros3To10);
            out.push_back({static_cast<std::uint32_t>(count - 3), 3});
        } else {
            code(kZeros11To138);
            out.push_back({static_cast<std::uint32_t>(count - 11), 7});
        }
    });
}

}  // namespace

const std::array<std::uint8_t, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                   2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
const std::array<std::uint8_t, 29> kLengthBase = {0,  1,  2,  3,   4,   5,   6,   7,   8,  10,
                                                  12, 14, 16, 20,  24,  28,  32,  40,  48, 56,
                                                  64, 80, 96, 112, 128, 160, 192, 224, 0};
const std::array<std::uint8_t, 256> kLengthCode = [] {
    std::array<std::uint8_t, 256> table{};
    std::size_t length = 0;
    for (std::uint8_t code = 0; code < 28; ++code)
        for (int n = 0; n < (1 << kLengthExtra[code]); ++n) table[length++] = code;
    table[255] = 28;  // 258 has a code of its own, though 284 could hold it too
    return table;
}();

const Tree& FixedLiterals() {
    static const Tree tree = MakeFixed(kLitCodes + 2, true);
    return tree;
}

const Tree& FixedDistances() {
    static const Tree tree = MakeFixed(kDistCodes, false);
    return tree;
}

void BuildTrees(BlockTrees& t) {
    std::uint64_t own = 0, fixed = 0;
    const Kind lit{kLitCodes, kMaxBits, kLengthExtra.data(), kFirstLengthCode, &FixedLiterals()};
    const Kind dist{kDistCodes, kMaxBits, kDistExtra.data(), 0, &FixedDistances()};
    const Kind bl{kBitLengthCodes, kMaxBitLengthBits, kBitLengthExtra.data(), 0, nullptr};
    Builder(t.lit, lit, own, fixed).Build();
    Builder(t.dist, dist, own, fixed).Build();
    t.bitLengths.freq.fill(0);
    CountLengthRuns(t.lit, t.lit.maxCode, t.bitLengths);
    CountLengthRuns(t.dist, t.dist.maxCode, t.bitLengths);
    Builder(t.bitLengths, bl, own, fixed).Build();
    int last = kBitLengthCodes - 1;
    while (last >= 3 && t.bitLengths.len[kBitLengthOrder[last]] == 0) --last;
    t.bitLengthCodes = last + 1;
    own += 3 * static_cast<std::uint64_t>(last + 1) + 5 + 5 + 4;
    // In bytes, with the block-type bits, as zlib compares them.
    t.fixed = (fixed + 3 + 7) >> 3 <= (own + 3 + 7) >> 3;
}

void TreeHeader(BlockTrees& t, std::vector<Bits>& out) {
    out.push_back({static_cast<std::uint32_t>(t.lit.maxCode + 1 - 257), 5});
    out.push_back({static_cast<std::uint32_t>(t.dist.maxCode + 1 - 1), 5});
    out.push_back({static_cast<std::uint32_t>(t.bitLengthCodes - 4), 4});
    for (int rank = 0; rank < t.bitLengthCodes; ++rank)
        out.push_back({t.bitLengths.len[kBitLengthOrder[rank]], 3});
    SendLengthRuns(t.lit, t.lit.maxCode, t.bitLengths, out);
    SendLengthRuns(t.dist, t.dist.maxCode, t.bitLengths, out);
}

}  // namespace orvane::deflate
