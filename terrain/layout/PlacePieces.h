#pragma once
// The first terrain stage: the Pieces records with their boxes, base colours and flags.
// Record PieceCount is the floor band, PieceCount - 1 the sky body, the rest ordinary pieces.
#include <cstdint>
#include <optional>
#include <vector>

#include "core/Random.h"
#include "map/MapState.h"

namespace orvane {

void PlacePieces(MapState& map, Random& rng);

// The first piece (1..pieces.size() - 1, in order) whose box intersects rect grown by margin
// on every side. Every record counts, hidden and not yet placed (empty) ones included.
std::optional<std::int32_t> FindOverlap(const Rect& rect, const std::vector<TerrainPiece>& pieces,
                                        std::int32_t margin);

// Percentages of cyan, magenta, yellow and black to 0..255 channels.
void CmykToRgb(std::int16_t c, std::int16_t m, std::int16_t y, std::int16_t k, std::int16_t& red,
               std::int16_t& green, std::int16_t& blue);

}  // namespace orvane
