#include "deflate/SplitDeflate.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <condition_variable>
#include <exception>
#include <limits>
#include <mutex>
#include <optional>
#include <thread>

#include "deflate/Adler32.h"
#include "deflate/DeflateBlocks.h"
#include "deflate/RunDeflate.h"

namespace orvane {
namespace {

// A palette this small writes only bytes below 144, literals of 8 bits in the fixed code, so
// zlib never stores a block raw and our deflate gives its bytes.
constexpr std::size_t kMostOwnColours = 144;
// Where the first part should end, as a share of the work: the second thread counts symbols
// up to the cut before it starts deflating, and the land, at the bottom, costs more than its
// symbols say. Timed inside the export, the two parts of the largest maps end together here.
constexpr double kFirstShare = 0.61;
// Deflate spends about as much on a symbol as on five bytes of input.
constexpr std::size_t kSymbolCost = 5;
constexpr std::size_t kBands = 256;  // rows sampled for the estimate: one per band
constexpr std::size_t kUnknown = std::numeric_limits<std::size_t>::max();

// A row number one thread hands to another once. A mutex and a condition variable rather than
// std::atomic's wait and notify: in the MinGW-w64 build (GCC 12's libstdc++, no futex) that
// wake-up was lost now and then, and the map's save waited for ever.
class RowHandoff {
  public:
    void Give(std::size_t row) {
        {
            const std::lock_guard lock(mutex_);
            row_ = row;
        }
        given_.notify_one();
    }
    std::size_t Take() {
        std::unique_lock lock(mutex_);
        given_.wait(lock, [this] { return row_ != kUnknown; });
        return row_;
    }

  private:
    std::mutex mutex_;
    std::condition_variable given_;
    std::size_t row_ = kUnknown;
};

template <class Deflater>
std::uint32_t AddRows(const FilteredRows& rows, std::size_t from, std::size_t to,
                      Deflater& deflater, std::uint32_t adler) {
    rows.ForEach(from, to, [&](std::span<const std::uint8_t> bytes) {
        deflater.Add(bytes);
        adler = Adler32(adler, bytes);
    });
    return adler;
}

// Writes `bytes` shifted up by `shift` bits, after the `shift` bits of `carry`; returns the
// `shift` bits left over.
std::uint8_t PutShifted(DeflateOut& out, std::span<const std::uint8_t> bytes, unsigned shift,
                        std::uint8_t carry) {
    if (shift == 0) {
        out.Put(bytes);
        return 0;
    }
    std::uint32_t acc = carry;
    while (!bytes.empty()) {
        const std::span<std::uint8_t> room = out.Room();
        const std::size_t n = std::min(room.size(), bytes.size());
        for (std::size_t i = 0; i < n; ++i) {
            acc |= std::uint32_t{bytes[i]} << shift;
            room[i] = static_cast<std::uint8_t>(acc);
            acc >>= 8;
        }
        out.Wrote(n);
        bytes = bytes.subspan(n);
    }
    return static_cast<std::uint8_t>(acc);
}

// Where the first part should end so that both threads finish together, from the work of a
// sample of rows (a map's sky deflates several times faster than its land); never in the first
// quarter, so the first part can start before this is known.
std::size_t BalancedTarget(const FilteredRows& rows) {
    const std::size_t height = rows.Height();
    const std::size_t rowsPerBand = (height + kBands - 1) / kBands;
    std::array<std::size_t, kBands> work{};
    std::size_t total = 0;
    std::size_t bands = 0;
    for (std::size_t y = 0; y < height; y += rowsPerBand, ++bands) {
        const std::size_t rowWork = rows.Width() + 1 + kSymbolCost * RowSymbols(rows, y);
        total += std::min(rowsPerBand, height - y) * rowWork;
        work[bands] = total;
    }
    const auto goal = static_cast<std::size_t>(static_cast<double>(total) * kFirstShare);
    const std::size_t band = static_cast<std::size_t>(
        std::lower_bound(work.begin(), work.begin() + bands, goal) - work.begin());
    const std::size_t before = band == 0 ? 0 : work[band - 1];
    const double within = static_cast<double>(goal - before) /
                          static_cast<double>(std::max<std::size_t>(1, work[band] - before));
    const auto at = static_cast<std::size_t>((static_cast<double>(band) + within) *
                                             static_cast<double>(rowsPerBand * (rows.Width() + 1)));
    return std::clamp<std::size_t>(at, std::max<std::size_t>(1, rows.Size() / 4), rows.Size() - 1);
}

// Room for the part after the cut, in one large page: more than a map's part needs (about 350 KB
// for the largest map), and it grows should a part ever need more.
constexpr std::size_t kSecondPartRoom = std::size_t{2} << 20;

// The part after the cut, made on the second thread up to its last bits.
struct SecondPart {
    BufferOut out{kSecondPartRoom};
    std::optional<RunDeflater> deflater;
    std::size_t bytes = 0;       // whole bytes written before its last block(s)
    RunDeflater::HeldBits held;  // and the bits after them
    std::uint32_t adler = 1;
    std::exception_ptr failed;

    void Make(const FilteredRows& rows, std::size_t cut) {
        try {
            deflater.emplace(out);
            deflater->SetPrevious(rows.At(cut - 1));
            adler = AddRows(rows, cut, rows.Size(), *deflater, 1);
            held = deflater->Flush();
            bytes = out.Bytes().size();
        } catch (...) {
            failed = std::current_exception();
        }
    }

    // Writes the part after the first one's held bits, then finishes it: its last blocks go on
    // from where its shifted bytes end, so their padding comes out as in one stream.
    void PutAfter(DeflateOut& to, RunDeflater::HeldBits first) {
        const std::uint8_t left = PutShifted(to, out.Bytes().first(bytes), first.count,
                                             static_cast<std::uint8_t>(first.value));
        deflater->Resume({left | held.value << first.count, first.count + held.count});
        deflater->Finish();
        to.Put(out.Bytes().subspan(bytes));
    }
};

RowsDeflated Deflate(const FilteredRows& rows, DeflateOut& out, bool split) {
    const std::size_t size = rows.Size();
    RunDeflater first(out);
    if (!split) {
        const std::uint32_t adler = AddRows(rows, 0, size, first, 1);
        first.Finish();
        return {adler, false};
    }

    // The first part is this thread's from the start; it needs the cut only on reaching it.
    RowHandoff targetAt;
    RowHandoff cutAt;
    SecondPart second;
    std::jthread worker([&] {
        const std::size_t target = BalancedTarget(rows);
        targetAt.Give(target);
        const std::size_t cut = BlockEndFrom(rows, target);
        cutAt.Give(cut);
        if (cut < size) second.Make(rows, cut);
    });
    // The target is never before the first quarter: no need to wait for it before there.
    std::uint32_t adler = AddRows(rows, 0, size / 4, first, 1);
    const std::size_t target = targetAt.Take();
    adler = AddRows(rows, size / 4, target, first, adler);
    const std::size_t cut = cutAt.Take();
    if (cut >= size) {
        adler = AddRows(rows, target, size, first, adler);
        first.Finish();
        return {adler, false};
    }
    adler = AddRows(rows, target, cut, first, adler);
    const RunDeflater::HeldBits held = first.EndBlock();
    worker.join();
    if (second.failed) std::rethrow_exception(second.failed);
    second.PutAfter(out, held);
    return {static_cast<std::uint32_t>(
                adler32_combine(adler, second.adler, static_cast<z_off_t>(size - cut))),
            true};
}

}  // namespace

RowsDeflated DeflateRows(const FilteredRows& rows, DeflateOut& out, unsigned threads) {
    if (rows.Colours() > kMostOwnColours) {
        // zlib may store a block raw here, which our deflate does not follow.
        RleDeflater zlib(out);
        const std::uint32_t adler = AddRows(rows, 0, rows.Size(), zlib, 1);
        zlib.Finish();
        return {adler, false};
    }
    return Deflate(rows, out, threads >= 2 && rows.Size() >= 2);
}

}  // namespace orvane
