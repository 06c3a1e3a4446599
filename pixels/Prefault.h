#pragma once
// Pages of new picture buffers made ready on a helper thread. The system clears a page when it
// is first written: for a map-size canvas in small pages that is several milliseconds, which
// the drawing thread would otherwise spend while the second core is idle.
//
// Measured 2026-12 on a 2-core VM shared with builds, medians of 7-11 alternated pairs: the
// largest map 0.16 s → 0.21 s CPU (0.33 s → 0.39 s wall) with this off, after a pause 0.18 s →
// 0.22 s CPU (0.39 s → 0.47 s wall); a batch, its large pages at hand, no difference.
// Off: in Prefault.cpp, `constexpr bool kCanPrefault = true;` → `false`.
#include <cstddef>

namespace orvane::pixels {

// Starts making the pages of [data, data + bytes) ready in the background, the last first;
// their contents stay zero. Does nothing where the system cannot be asked.
void PrefaultLater(void* data, std::size_t bytes);

// Stops the background work on `data`, returning once nothing touches it any more: called
// before the buffer is given back.
void ForgetPrefault(void* data) noexcept;

}  // namespace orvane::pixels
