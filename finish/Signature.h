#pragma once
// The framed text label every map carries, and the scrambling that keeps its text.
#include <string>

#include "core/Random.h"
#include "map/MapState.h"

namespace orvane {

// Xors every byte with (length & 30) | 1; its own inverse.
std::string NStr(const std::string& text);

// Draws the label centred on a randomly chosen piece and records LabelBox.
void DrawSignature(MapState& map, Random& rng);

}  // namespace orvane
