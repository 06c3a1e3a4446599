#pragma once
// The versions of the libraries that decide a map's pixels, as linked: FreeType draws the label
// and libimagequant chooses the palette, so a seed gives the same map only with the same two.
#include <string>

namespace orvane {

// "FreeType 2.12.1, libimagequant 2.17.0"
std::string PixelLibraryVersions();

}  // namespace orvane
