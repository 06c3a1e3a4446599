#pragma once
// Whole-picture passes that draw nothing may be cut into bands of rows, one per thread, when
// their result does not depend on the cut: a core that would otherwise wait then takes half.
#include <cstddef>
#include <exception>
#include <thread>
#include <vector>

namespace orvane {

// Calls work(band, first, last) for `bands` consecutive, near-equal parts of [0, n): the first
// on this thread, each other on a thread of its own. Returns once all are done; then rethrows
// the exception of the first band that failed.
template <class F>
void InBands(std::size_t n, std::size_t bands, F&& work) {
    if (bands < 2 || n < bands) {
        work(std::size_t{0}, std::size_t{0}, n);
        return;
    }
    std::vector<std::exception_ptr> failed(bands);
    const auto run = [&](std::size_t b) {
        try {
            work(b, n * b / bands, n * (b + 1) / bands);
        } catch (...) {
            failed[b] = std::current_exception();
        }
    };
    {
        std::vector<std::jthread> others;
        others.reserve(bands - 1);
        for (std::size_t b = 1; b < bands; ++b) others.emplace_back(run, b);
        run(0);
    }
    for (const std::exception_ptr& e : failed)
        if (e) std::rethrow_exception(e);
}

}  // namespace orvane
