#pragma once
// The raw embedded files, as laid down by the build (cmake/Embed.cmake).
#include <cstdint>

namespace orvane::embedded {

struct Blob {
    int key;  // picture number or icon size; 0 ends a table
    const std::uint8_t* begin;
    const std::uint8_t* end;
};

extern const Blob kFont;
extern const Blob kWeaponPictures[];
extern const Blob kIcons[];

}  // namespace orvane::embedded
