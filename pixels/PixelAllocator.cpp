#include "pixels/PixelAllocator.h"

#include <cstdint>
#include <cstdlib>

#include "pixels/PagePolicy.h"
#include "pixels/Prefault.h"

#if defined(__linux__) && !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
#define ORVANE_PIXELS_FROM_SYSTEM 1
#include <sys/mman.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <string>
#elif defined(_WIN32)
#define ORVANE_PIXELS_FROM_SYSTEM 1
#include <windows.h>
#else
#define ORVANE_PIXELS_FROM_SYSTEM 0
#endif

namespace orvane::pixels {
namespace {

constexpr std::size_t kLarge = std::size_t{2} << 20;

// Whole large pages, so that none of them has to fall back to small ones; the rounding is
// never touched unless a page is. (Windows rounds its own allocations.)
[[maybe_unused]] std::size_t Rounded(std::size_t bytes) {
    return (bytes + kLarge - 1) & ~(kLarge - 1);
}

#if ORVANE_PIXELS_FROM_SYSTEM && defined(__linux__)
// When this process last freed a large buffer (PagePolicy.h says why that matters).
using Clock = std::chrono::steady_clock;
std::atomic<Clock::rep> largeFreedAt{Clock::time_point::min().time_since_epoch().count()};

HugePageMode SystemHugePageMode() {
    // Read once: the setting is the administrator's, and a batch should not read it per map.
    static const HugePageMode mode = [] {
        std::ifstream in("/sys/kernel/mm/transparent_hugepage/enabled");
        std::string line;
        std::getline(in, line);
        return ParseHugePageMode(line);
    }();
    return mode;
}

PageFacts FactsNow() {
    PageFacts facts{SystemHugePageMode(), std::nullopt};
    const Clock::rep freed = largeFreedAt.load(std::memory_order_relaxed);
    if (freed != Clock::time_point::min().time_since_epoch().count())
        facts.sinceLargeFreed = Clock::now() - Clock::time_point{Clock::duration{freed}};
    return facts;
}
#endif

}  // namespace

void* AllocatePixels(std::size_t bytes) {
    void* data = nullptr;
    if (bytes < kLarge) {
        data = std::malloc(bytes > 0 ? bytes : 1);
    } else {
#if ORVANE_PIXELS_FROM_SYSTEM && defined(_WIN32)
        // Committed pages of the system read as zero until written, like the Linux mapping;
        // Windows has no large pages for ordinary programs.
        data = VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
#elif ORVANE_PIXELS_FROM_SYSTEM
        // Straight from the system, so its pages read as zero until written: aligned by
        // mapping one large page more and handing back what lies outside.
        const std::size_t size = Rounded(bytes);
        void* raw = mmap(nullptr, size + kLarge, PROT_READ | PROT_WRITE,
                         MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (raw == MAP_FAILED) throw std::bad_alloc();
        const auto start = reinterpret_cast<std::uintptr_t>(raw);
        const std::uintptr_t aligned = (start + kLarge - 1) & ~std::uintptr_t{kLarge - 1};
        if (aligned > start) munmap(raw, aligned - start);
        munmap(reinterpret_cast<void*>(aligned + size), start + kLarge - aligned);
        data = reinterpret_cast<void*>(aligned);
        const PagePlan plan = ChoosePages(FactsNow());
        if (plan.advice != PageAdvice::None)
            madvise(data, size, plan.advice == PageAdvice::Huge ? MADV_HUGEPAGE : MADV_NOHUGEPAGE);
        if (plan.prefault) PrefaultLater(data, bytes);
#else
        // Sanitizers watch heap blocks only.
        data = std::aligned_alloc(kLarge, Rounded(bytes));
#endif
    }
    if (!data) throw std::bad_alloc();
    return data;
}

void FreePixels(void* data, std::size_t bytes) noexcept {
#if ORVANE_PIXELS_FROM_SYSTEM && defined(_WIN32)
    if (bytes >= kLarge) {
        VirtualFree(data, 0, MEM_RELEASE);
        return;
    }
#elif ORVANE_PIXELS_FROM_SYSTEM
    if (bytes >= kLarge) {
        ForgetPrefault(data);
        munmap(data, Rounded(bytes));
        largeFreedAt.store(Clock::now().time_since_epoch().count(), std::memory_order_relaxed);
        return;
    }
#else
    (void)bytes;
#endif
    std::free(data);
}

bool FreshPixelsReadZero(std::size_t bytes) {
    return ORVANE_PIXELS_FROM_SYSTEM && bytes >= kLarge;
}

}  // namespace orvane::pixels
