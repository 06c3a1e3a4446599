#pragma once
// The deflate stream of a palette PNG's rows, on one thread or two with the same bytes.
//
// The stream is cut where a block ends (see DeflateBlocks.h): the part after the cut, deflated
// on its own with the byte before the cut as its history, gives the same blocks, as each
// block's codes follow from its own symbols. While every byte is below 144 zlib never stores a
// block raw (the fixed code then costs at most 8 bits a byte), so nothing else the split changes
// can show. The second part's bits are shifted into place after the first part's, and its last
// blocks, whose padding depends on where they start within a byte, are made only once that is
// known.
//
// Measured 2026-12 on a quiet 2-core VM, medians of 7-15 alternated pairs: 64 seeded maps
// 1.63 s wall, 1.77 s CPU with the split, 1.58 s and 1.64 s without; the largest map 0.15 s
// either way. At map sizes it buys nothing measurable. Off: in SplitDeflate.cpp,
// `Deflate(rows, out, threads >= 2 && rows.Size() >= 2)` → `Deflate(rows, out, false)`.
#include <cstdint>

#include "deflate/FilteredRows.h"
#include "deflate/RleDeflate.h"

namespace orvane {

struct RowsDeflated {
    std::uint32_t adler;  // the rows' Adler-32, for the zlib trailer
    bool split;           // made on two threads
};

// Deflates all of `rows` into `out`. With threads >= 2 and at most 144 colours, a second
// thread deflates the part after a block end near the middle (no split when none is found).
RowsDeflated DeflateRows(const FilteredRows& rows, DeflateOut& out, unsigned threads);

}  // namespace orvane
