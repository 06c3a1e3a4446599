#include "app/Seed.h"

#include <algorithm>

#include "core/Crc32.h"
#include "core/Windows1252.h"

namespace orvane {

std::string CleanSeed(std::string text) {
    for (char bad : {'*', '|', '\\', '"', ':', '<', '>', '?', '/'})
        text.erase(std::remove(text.begin(), text.end(), bad), text.end());
    // Control characters would put line breaks and terminal escapes into file names and logs.
    // Checking the cleaned text so far keeps a removal from joining a new control character.
    std::string out;
    out.reserve(text.size());
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == 0x7F) continue;
        if (c >= 0x80 && c <= 0x9F && !out.empty() &&
            static_cast<unsigned char>(out.back()) == 0xC2) {
            out.pop_back();  // U+0080..U+009F
            continue;
        }
        out += ch;
    }
    return out;
}

std::string ToWindows1252(const std::string& utf8) {
    std::string out;
    const auto* s = reinterpret_cast<const unsigned char*>(utf8.data());
    const std::size_t n = utf8.size();
    for (std::size_t i = 0; i < n;) {
        const unsigned char b = s[i];
        char32_t c;
        std::size_t len;
        if (b < 0x80) {
            c = b;
            len = 1;
        } else if ((b & 0xE0) == 0xC0) {
            c = b & 0x1F;
            len = 2;
        } else if ((b & 0xF0) == 0xE0) {
            c = b & 0x0F;
            len = 3;
        } else if ((b & 0xF8) == 0xF0) {
            c = b & 0x07;
            len = 4;
        } else {
            out += '?';
            ++i;
            continue;
        }  // stray continuation or invalid lead byte
        bool valid = i + len <= n;
        for (std::size_t k = 1; valid && k < len; ++k) {
            if ((s[i + k] & 0xC0) != 0x80)
                valid = false;
            else
                c = (c << 6) | (s[i + k] & 0x3F);
        }
        if (!valid) {
            out += '?';
            ++i;
            continue;
        }
        out += cp1252::FromUnicode(c);
        i += len;
    }
    return out;
}

std::uint32_t SeedNumber(const std::string& cleanedSeed) {
    return static_cast<std::uint32_t>(Crc32(ToWindows1252(cleanedSeed)));
}

}  // namespace orvane
