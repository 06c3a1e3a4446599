#include "app/cli/Json.h"

#include <cstdio>

#include "app/MapName.h"

namespace orvane {
namespace {

template <typename Seq, typename F>
std::string Array(const Seq& items, F item) {
    std::string out = "[";
    bool first = true;
    for (const auto& x : items) {
        if (!first) out += ",";
        first = false;
        out += item(x);
    }
    return out + "]";
}

std::string Num(long long v) {
    return std::to_string(v);
}

// The length of the well-formed UTF-8 sequence at `s` (no overlong forms, no surrogates, at
// most U+10FFFF), or 0 when the bytes there are not one.
std::size_t Utf8SequenceLength(const unsigned char* s, std::size_t left) {
    const unsigned char b = s[0];
    std::size_t len = 0;
    unsigned char lo = 0x80;
    unsigned char hi = 0xBF;
    if (b >= 0xC2 && b <= 0xDF) {
        len = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        len = 3;
        if (b == 0xE0) lo = 0xA0;
        if (b == 0xED) hi = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        len = 4;
        if (b == 0xF0) lo = 0x90;
        if (b == 0xF4) hi = 0x8F;
    } else {
        return 0;
    }
    if (len > left || s[1] < lo || s[1] > hi) return 0;
    for (std::size_t k = 2; k < len; ++k)
        if ((s[k] & 0xC0) != 0x80) return 0;
    return len;
}

}  // namespace

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n;) {
        const unsigned char c = s[i];
        if (c >= 0x80) {
            // JSON readers reject bytes that are not UTF-8: each becomes U+FFFD.
            const std::size_t len = Utf8SequenceLength(s + i, n - i);
            if (len == 0) {
                out += "\\ufffd";
                ++i;
            } else {
                out.append(text, i, len);
                i += len;
            }
            continue;
        }
        ++i;
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out + "\"";
}

std::string MapReportJson(const MapReport& r, bool walkForWeapons,
                          const std::string& decimalSeparator) {
    const MapStats& s = r.stats;
    std::string decorations = "{";
    for (std::size_t i = 0; i < kDrawerNames.size(); ++i) {
        if (i) decorations += ",";
        decorations += JsonString(kDrawerNames[i]) + ":" + Num(s.decorations[i]);
    }
    decorations += "}";
    const Rect& b = r.labelBox;
    std::string j = "{";
    j += "\"file\":" + JsonString(r.fileName);
    j += ",\"width\":" + Num(r.width) + ",\"height\":" + Num(r.height);
    j += ",\"area\":" + JsonString(FormatArea(r.areaThousandths, decimalSeparator));
    j += ",\"seed\":" + (r.seed.empty() ? std::string("null") : JsonString(r.seed));
    j += ",\"code\":" + JsonString(r.code);
    j += ",\"walkForWeapons\":" + std::string(walkForWeapons ? "true" : "false");
    j += ",\"bytes\":" + Num(static_cast<long long>(r.fileBytes));
    j += ",\"ms\":{\"p1\":" + Num(s.terrainMs[0]) + ",\"p2\":" + Num(s.terrainMs[1]) +
         ",\"p3\":" + Num(s.terrainMs[2]) + ",\"p4\":" + Num(s.terrainMs[3]) +
         ",\"createMap\":" + Num(s.finishMs) + ",\"save\":" + Num(s.saveMs) + "}";
    j += ",\"composition\":{\"blobs\":" + Num(s.blobsDrawn) + ",\"holes\":" + Num(s.holesCut) +
         ",\"links\":" + Num(s.linksDrawn) + ",\"surfaces\":" + Num(s.surfacesFound) +
         ",\"decorations\":" + decorations + "}";
    j += ",\"finishing\":{\"effects\":" + Array(s.effects, JsonString) +
         ",\"paletteSizes\":" + Array(s.paletteSizes, [](int v) { return Num(v); }) +
         ",\"patterns\":" + Array(s.patterns, JsonString) + ",\"labelBox\":[" + Num(b.Left) + "," +
         Num(b.Top) + "," + Num(b.Right) + "," + Num(b.Bottom) + "]}";
    j += ",\"weapons\":{\"spotsReserved\":" + Num(s.spotsReserved) +
         ",\"picturesDrawn\":" + Num(s.picturesDrawn) +
         ",\"chosen\":" + Array(s.weapons, [](int v) { return Num(v); }) + "}";
    return j + "}";
}

}  // namespace orvane
