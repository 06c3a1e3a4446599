#include "deflate/DeflateBlocks.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

#include "deflate/DeflateTrees.h"
#include "pixels/ByteRuns.h"

namespace orvane {
namespace {

using deflate::kBlockSymbols;
using deflate::kMaxMatch;

// Symbols for `repeats` bytes equal to the one before them.
std::size_t RepeatSymbols(std::size_t repeats) {
    const std::size_t rest = repeats % kMaxMatch;
    return repeats / kMaxMatch + (rest >= 3 ? 1 : rest);
}

// Bytes the first `symbols` of those symbols cover (fewer than all of them).
std::size_t RepeatBytes(std::size_t repeats, std::size_t symbols) {
    const std::size_t whole = repeats / kMaxMatch;
    return symbols <= whole ? symbols * kMaxMatch : whole * kMaxMatch + (symbols - whole);
}

// Walks the stream run by run, counting symbols.
class Walker {
  public:
    explicit Walker(std::size_t from) : from_(from) {}

    // Ends the open run at `end` and opens one of `value` there; true once the block end
    // sought lies in the closed run (then Found()).
    bool Next(std::size_t end, std::uint8_t value) {
        const std::size_t repeats = end - start_ - 1;
        const std::size_t symbols =
            1 + (repeats < kMaxMatch ? std::min<std::size_t>(repeats, 3) - (repeats >= 3) * 2
                                     : RepeatSymbols(repeats));
        if (before_ + symbols >= nextEnd_) {
            for (std::size_t m = nextEnd_; m <= before_ + symbols; m += kBlockSymbols) {
                const std::size_t taken = m - before_;
                const std::size_t at =
                    taken == symbols ? end : start_ + 1 + RepeatBytes(repeats, taken - 1);
                if (at >= from_) {
                    found_ = at;
                    return true;
                }
            }
            nextEnd_ = ((before_ + symbols) / kBlockSymbols + 1) * kBlockSymbols;
        }
        before_ += symbols;
        start_ = end;
        value_ = value;
        return false;
    }
    std::uint8_t Value() const { return value_; }
    std::size_t Symbols() const { return before_; }
    std::size_t Found() const { return found_; }
    // The open run's length at stream position `at`.
    std::size_t OpenLength(std::size_t at) const { return at - start_; }
    // Whether `symbols` more can be counted without reaching a block end.
    bool Before(std::size_t symbols) const { return before_ + symbols < nextEnd_; }
    // Takes the walk of a row again, `shift` bytes on: `symbols` counted, no block end in it.
    void Repeat(std::size_t symbols, std::size_t shift) {
        before_ += symbols;
        start_ += shift;
    }

  private:
    std::size_t from_;
    std::size_t before_ = 0;               // symbols before the open run
    std::size_t nextEnd_ = kBlockSymbols;  // the symbol count at which the next block ends
    std::size_t start_ = 0;  // the open run's first byte: the stream's filter byte 0 at first
    std::uint8_t value_ = 0;
    std::size_t found_ = 0;
};

}  // namespace

std::size_t RowSymbols(const FilteredRows& rows, std::size_t y) {
    const std::size_t width = rows.Width();
    Walker walker(std::numeric_limits<std::size_t>::max());
    MadeRow scratch;
    const std::uint8_t* row = rows.Row(y, scratch);
    for (std::size_t x = SameUntil(row, 0, width, 0); x < width;
         x = SameUntil(row, x + 1, width, walker.Value()))
        walker.Next(1 + x, row[x]);
    walker.Next(width + 1, 0);
    return walker.Symbols();
}

std::size_t BlockEndFrom(const FilteredRows& rows, std::size_t from) {
    const std::size_t width = rows.Width();
    Walker walker(from);
    MadeRow scratch;
    // A row with the bytes of the one before, met with the same open run, adds what that row
    // added and leaves the same run open, a row further on: enlarged maps repeat most rows.
    struct Walked {
        std::uint8_t value;  // the open run met at the row's start: its value
        std::size_t open;    // and its length
        std::size_t symbols;
    };
    std::optional<Walked> last;  // the row before, when it was walked
    for (std::size_t y = 0; y < rows.Height(); ++y) {
        const std::size_t filter = y * (width + 1);
        const std::uint8_t value = walker.Value();
        const std::size_t open = walker.OpenLength(filter);
        if (last && rows.RepeatsRowBefore(y) && last->value == value && last->open == open &&
            walker.Before(last->symbols)) {
            walker.Repeat(last->symbols, width + 1);
            continue;
        }
        const std::size_t before = walker.Symbols();
        // Renumbering maps equal indices to equal bytes and different ones to different bytes,
        // and keeps 0, so the runs are those of the picture's own indices and filter bytes.
        if (walker.Value() != 0 && walker.Next(filter, 0)) return walker.Found();
        const std::uint8_t* row = rows.Row(y, scratch);
        for (std::size_t x = SameUntil(row, 0, width, walker.Value()); x < width;
             x = SameUntil(row, x + 1, width, walker.Value()))
            if (walker.Next(filter + 1 + x, row[x])) return walker.Found();
        last = Walked{value, open, walker.Symbols() - before};
    }
    const std::size_t size = rows.Size();
    return size > 0 && walker.Next(size, 0) ? walker.Found() : size;
}

}  // namespace orvane
