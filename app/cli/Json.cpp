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

}  // namespace

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
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
