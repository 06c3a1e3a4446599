#pragma once
// Small helpers shared by the test programs.
#include <cstdint>
#include <string>
#include <vector>

#include "canvas/Canvas.h"
#include "palette/IndexedPicture.h"

namespace orvane::test {

// Folder for pictures that tests leave for people to look at (created on demand).
std::string OutputDir();

// Number of land (non-zero) pixels.
int CountLand(const Canvas& canvas);

// The w x h part of `c` at (left, top); outside the picture reads as empty.
Canvas Crop(const Canvas& c, int left, int top, int w, int h);

// The colour of pixel (x, y) of a palette picture, which must lie inside it.
Colour ColourAt(const IndexedPicture& picture, int x, int y);

// The canvas as a map file's palette PNG (RunError beyond 256 colours).
std::vector<std::uint8_t> PalettePng(const Canvas& canvas);

// Copies `tile` into `sheet` at (left, top), enlarged `zoom` times or shrunk by `shrink`.
void Paste(Canvas& sheet, const Canvas& tile, int left, int top, int zoom, int shrink);

// Saves the canvas as an RGB PNG at `path` (any number of colours, for people to look at).
void SavePng(const Canvas& canvas, const std::string& path);

// Saves the canvas as an RGB PNG under OutputDir() (for looking at failures and samples).
void SaveForReview(const Canvas& canvas, const std::string& name);

}  // namespace orvane::test
