#pragma once
// How a new large picture buffer gets its pages: a pure function of what the allocator reads,
// so each case is tested without a clock or a kernel setting.
//
// Large pages fill a map-size picture with one fault per 2 MiB instead of 512, when the system
// has them at hand. Right after this process freed a large buffer it has (the maps of a batch
// after the first); after a pause a system that returns freed memory (a virtual machine's
// balloon, a desktop compacting memory) may have to make them first, and then the helper thread
// that makes pages ready ahead of the drawing hides that cost instead. Measured 2026-12 against
// the decisions before it (2-core VM, 7 alternated pairs, ratio new/old of the medians): with the
// system's mode "always", the largest map 0.76 and after a pause 0.63, a batch 0.89; with
// "never", the same 64 maps 0.78 and 64 seeded maps 0.80; "madvise" decides as before.
// Off: in PixelAllocator.cpp, `ChoosePages(FactsNow())` → `PagePlan{}` (no advice, no helper).
#include <chrono>
#include <optional>
#include <string_view>

namespace orvane::pixels {

// /sys/kernel/mm/transparent_hugepage/enabled: whether the system gives a mapping large pages
// by itself (Always), only when asked (Madvise), or never.
enum class HugePageMode { Always, Madvise, Never, Unknown };

struct PageFacts {
    HugePageMode mode = HugePageMode::Unknown;
    // Since this process last freed a large buffer; none when it never has.
    std::optional<std::chrono::steady_clock::duration> sinceLargeFreed;
};

enum class PageAdvice { None, Huge, NoHuge };

struct PagePlan {
    PageAdvice advice = PageAdvice::None;  // what to tell the system about the new mapping
    bool prefault = false;                 // make its pages ready on the helper thread
};

// How long freed large pages stay at hand.
inline constexpr std::chrono::steady_clock::duration kPagesAtHand = std::chrono::seconds(1);

PagePlan ChoosePages(const PageFacts& facts);

// The mode the kernel's setting names (the word in brackets); Unknown for anything else.
HugePageMode ParseHugePageMode(std::string_view setting);

}  // namespace orvane::pixels
