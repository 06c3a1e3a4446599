#include "resources/Resources.h"

#include <string>

#include "core/RunError.h"
#include "resources/Embedded.h"

namespace orvane {
namespace {

std::span<const std::uint8_t> Find(const embedded::Blob* table, int key) {
    for (const embedded::Blob* b = table; b->key != 0; ++b) {
        if (b->key == key) return {b->begin, static_cast<std::size_t>(b->end - b->begin)};
    }
    return {};
}

}  // namespace

std::span<const std::uint8_t> FontBold() {
    return {embedded::kFont.begin,
            static_cast<std::size_t>(embedded::kFont.end - embedded::kFont.begin)};
}

std::span<const std::uint8_t> WeaponPicturePng(int number) {
    auto png = Find(embedded::kWeaponPictures, number);
    if (png.empty()) throw RunError("No weapon picture number " + std::to_string(number));
    return png;
}

std::span<const std::uint8_t> IconPng(int size) {
    return Find(embedded::kIcons, size);
}

}  // namespace orvane
