#pragma once
// The rows one of two threads paints when both paint the same shapes into one picture: in
// every stretch of `period` rows, those from `from` up to (not including) `to`. Each pixel
// still takes the same writes in the same order as when one thread paints everything.
#include <cstdint>
#include <limits>

namespace orvane::raster {

struct RowBand {
    std::int64_t period = 0;  // 0: every row
    std::int64_t from = 0;
    std::int64_t to = 0;

    bool All() const { return period == 0; }

    // The first row at or after `y` in the band.
    std::int64_t FirstFrom(std::int64_t y) const {
        if (period == 0) return y;
        const std::int64_t base = Base(y);
        const std::int64_t offset = y - base;
        if (offset < from) return base + from;
        if (offset < to) return y;
        return base + period + from;
    }
    // The last row of the band's run of rows that holds `y` (a row of the band).
    std::int64_t RunEnd(std::int64_t y) const {
        return period == 0 ? std::numeric_limits<std::int64_t>::max() : Base(y) + to - 1;
    }
    // Whether rows top..bottom are all in the band.
    bool Covers(std::int64_t top, std::int64_t bottom) const {
        return period == 0 || (FirstFrom(top) == top && RunEnd(top) >= bottom);
    }
    // Calls visit(first, last) for each run of the band's rows within top..bottom.
    template <class Visit>
    void ForEachRun(std::int64_t top, std::int64_t bottom, Visit&& visit) const {
        for (std::int64_t y = FirstFrom(top); y <= bottom;) {
            const std::int64_t end = RunEnd(y) < bottom ? RunEnd(y) : bottom;
            visit(y, end);
            if (end == bottom) break;
            y = FirstFrom(end + 1);
        }
    }

  private:
    // Start of the stretch holding `y`, rounding down for rows above the picture too.
    std::int64_t Base(std::int64_t y) const {
        const std::int64_t q = y / period;
        return (q - (y % period < 0 ? 1 : 0)) * period;
    }
};

}  // namespace orvane::raster
