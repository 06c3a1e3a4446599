#pragma once
// Small helpers shared by the test programs.
#include <string>

#include "canvas/Canvas.h"

namespace orvane::test {

// Folder for pictures that tests leave for people to look at (created on demand).
std::string OutputDir();

// Saves the canvas as an RGB PNG under OutputDir() (for looking at failures and samples).
void SaveForReview(const Canvas& canvas, const std::string& name);

}  // namespace orvane::test
