#pragma once
// The allocator of picture buffers. Large buffers are whole, aligned large pages straight from
// the system, and go back to it when freed: a map-size picture then costs one page fault per
// 2 MiB instead of 512 (page faults were a sixth of a batch's time) when the system has such
// pages at hand (PixelAllocator.cpp says when it asks for them). New elements are left
// unwritten (UnzeroedBuffer): a buffer about to be written whole need not be zeroed first.
//
// Measured 2026-12 on a 2-core VM shared with builds, medians of 7 alternated pairs: the same
// 64-map batch 2.35 s → 4.92 s CPU (3.4 s → 7.6 s wall) with this off, the largest map after a
// pause 0.13 s → 0.20 s CPU. Off: in PixelAllocator.cpp, the Linux
// `#define ORVANE_PIXELS_FROM_SYSTEM 1` → `0` (heap buffers; no large pages, no pre-fault).
#include <cstddef>
#include <new>
#include <utility>
#include <vector>

namespace orvane {

namespace pixels {
void* AllocatePixels(std::size_t bytes);
void FreePixels(void* data, std::size_t bytes) noexcept;
// Whether a new buffer of `bytes` reads as zero before anything is written to it.
bool FreshPixelsReadZero(std::size_t bytes);
}  // namespace pixels

template <class T>
struct PixelAllocator {
    using value_type = T;
    PixelAllocator() = default;
    template <class U>
    PixelAllocator(const PixelAllocator<U>&) noexcept {}
    T* allocate(std::size_t n) { return static_cast<T*>(pixels::AllocatePixels(n * sizeof(T))); }
    void deallocate(T* p, std::size_t n) noexcept { pixels::FreePixels(p, n * sizeof(T)); }
    template <class U>
    void construct(U* p) {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
    template <class U>
    friend bool operator==(const PixelAllocator&, const PixelAllocator<U>&) noexcept {
        return true;
    }
};

// A picture-size buffer whose resize and size constructor leave new elements unwritten, reading
// as garbage: whoever grows one writes every new element before reading it. FillPixels gives
// one a known value.
template <class T>
using UnzeroedBuffer = std::vector<T, PixelAllocator<T>>;

// Makes `buffer` `count` elements of `value`. A fresh large buffer is not written with zero: the
// system's new pages already read as zero, and writing them would fault every page in on this
// thread, which the pre-fault thread or a large page otherwise takes.
template <class T>
void FillPixels(UnzeroedBuffer<T>& buffer, std::size_t count, const T& value) {
    if (count > buffer.capacity()) {
        buffer = {};  // nothing of the old contents needs copying
        buffer.reserve(count);
        if (value == T{} && pixels::FreshPixelsReadZero(count * sizeof(T))) {
            buffer.resize(count);
            return;
        }
    }
    buffer.assign(count, value);
}

}  // namespace orvane
