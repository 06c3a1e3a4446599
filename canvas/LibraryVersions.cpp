#include "canvas/LibraryVersions.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include <libimagequant.h>

namespace orvane {

std::string PixelLibraryVersions() {
    // FreeType is asked itself: a shared library may be newer than its header.
    std::string freetype = "unknown";
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) == 0) {
        FT_Int major = 0, minor = 0, patch = 0;
        FT_Library_Version(library, &major, &minor, &patch);
        FT_Done_FreeType(library);
        freetype =
            std::to_string(major) + "." + std::to_string(minor) + "." + std::to_string(patch);
    }
    // libimagequant 2.17.0's liq_version() still answers 21600, so its header's text is taken;
    // the package that ships the header ships the library.
    return "FreeType " + freetype + ", libimagequant " + LIQ_VERSION_STRING;
}

}  // namespace orvane
