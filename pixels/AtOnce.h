#pragma once
// Two pieces of work at once: `second` on a thread of its own, `first` on this one. Both end
// before this returns, and a failure in either is thrown here (the first piece's first).
#include <cstddef>
#include <exception>
#include <thread>

namespace orvane {

// A whole-picture pass is split in two only when it reads at least 4 MiB: below, a second
// thread costs more than it saves. In elements of the pass's type: a million canvas pixels, four
// million palette indices or row bytes.
template <class Element>
constexpr std::size_t kTwoThreadsFrom = (std::size_t{4} << 20) / sizeof(Element);

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
