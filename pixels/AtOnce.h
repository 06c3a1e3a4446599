#pragma once
// Two pieces of work at once: `second` on a thread of its own, `first` on this one. Both end
// before this returns, and a failure in either is thrown here (the first piece's first).
#include <cstddef>
#include <exception>
#include <thread>

namespace orvane {

// Whole-picture passes are split in two only from this many pixels: below, a second thread
// costs more than it saves.
constexpr std::size_t kTwoThreadsFrom = std::size_t{1} << 20;

template <class First, class Second>
void AtOnce(First&& first, Second&& second) {
    std::exception_ptr failedSecond;
    {
        std::jthread thread([&] {
            try {
                second();
            } catch (...) {
                failedSecond = std::current_exception();
            }
        });
        first();  // on a failure the thread is joined as the stack unwinds
    }
    if (failedSecond) std::rethrow_exception(failedSecond);
}

}  // namespace orvane
