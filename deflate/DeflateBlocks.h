#pragma once
// Where the map files' deflate ends its blocks, found from the rows alone. With run-length
// matching zlib only matches the byte before, greedily: a byte that differs from the one before
// is a literal, and a run of r more equal bytes becomes matches of up to 258 bytes, then one
// shorter match or at most two literals. A block ends after every 4095 symbols. So the symbol
// count up to any point follows from the runs, without deflating.
#include <cstddef>

#include "deflate/FilteredRows.h"

namespace orvane {

// About the symbols of row y (with its filter byte) when it starts a run of its own: how much
// work deflating the row is.
std::size_t RowSymbols(const FilteredRows& rows, std::size_t y);

// The first position at or after `from` where a block of the whole stream ends (a block may
// start there); rows.Size() when the stream ends before another block does.
std::size_t BlockEndFrom(const FilteredRows& rows, std::size_t from);

}  // namespace orvane
