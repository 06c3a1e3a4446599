#pragma once
// Small helpers shared by the test programs.
#include <string>

#include "canvas/Canvas.h"

namespace orvane::test {

// Folder for pictures that tests leave for people to look at (created on demand).
std::string OutputDir();

// Number of land (non-zero) pixels.
int CountLand(const Canvas& canvas);

// The w x h part of `c` at (left, top); outside the picture reads as empty.
Canvas Crop(const Canvas& c, int left, int top, int w, int h);

// Copies `tile` into `sheet` at (left, top), enlarged `zoom` times or shrunk by `shrink`.
void Paste(Canvas& sheet, const Canvas& tile, int left, int top, int zoom, int shrink);

// Saves the canvas as an RGB PNG at `path`.
void SavePng(const Canvas& canvas, const std::string& path);

// Saves the canvas as an RGB PNG under OutputDir() (for looking at failures and samples).
void SaveForReview(const Canvas& canvas, const std::string& name);

}  // namespace orvane::test
