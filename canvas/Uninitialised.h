#pragma once
// An allocator that leaves new pixels uninitialised: a buffer that is about to be written whole
// need not be zeroed first (at final map size that pass costs as much as the writing).
#include <memory>
#include <new>
#include <utility>

namespace orvane {

template <class T>
struct Uninitialised : std::allocator<T> {
    template <class U>
    struct rebind {
        using other = Uninitialised<U>;
    };
    Uninitialised() = default;
    template <class U>
    Uninitialised(const Uninitialised<U>&) {}
    template <class U>
    void construct(U* p) {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};

}  // namespace orvane
