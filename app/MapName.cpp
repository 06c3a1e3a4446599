#include "app/MapName.h"

#include <cstdio>

#include "core/Numeric.h"

namespace orvane {

std::int32_t AreaThousandths(std::int32_t width, std::int32_t height) {
    return CLng(static_cast<double>(CheckedMul(width, height)) / 1000.0);
}

std::string FormatArea(std::int32_t areaThousandths, const std::string& decimalSeparator) {
    // Round(k / 1000, 3) is k / 1000 exactly, so the digits come straight from k.
    char whole[16];
    char fraction[8];
    std::snprintf(whole, sizeof whole, "%02d", areaThousandths / 1000);
    std::snprintf(fraction, sizeof fraction, "%03d", areaThousandths % 1000);
    std::string text = std::string(whole) + decimalSeparator + fraction;
    for (char& c : text)
        if (c == ',') c = '-';
    return text;
}

std::string MapFileName(std::int32_t areaThousandths, const std::string& seed, bool batch,
                        bool walkForWeapons, const std::string& decimalSeparator) {
    std::string name = FormatArea(areaThousandths, decimalSeparator);
    if (!seed.empty() && !batch) name += "+" + seed;
    name += ".png";
    if (walkForWeapons) name = "W_" + name;
    return name;
}

}  // namespace orvane
