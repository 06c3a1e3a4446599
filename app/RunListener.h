#pragma once
// How the run talks to its front end (window or command line) without knowing either.
#include <cstdint>
#include <string>
#include <vector>

#include "core/Rect.h"
#include "map/MapLog.h"
#include "map/MapStats.h"

namespace orvane {

// A small picture of a finished map, for a front end to show: RGB bytes, row by row.
struct MapPreview {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
};

// What one saved map was.
struct MapReport {
    std::string fileName;  // the name actually used
    std::string seed;      // cleaned seed, empty for unseeded maps
    std::string code;      // a seed text that makes this map again: the seed, or its code
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t areaThousandths = 0;
    std::size_t fileBytes = 0;
    Rect labelBox;
    MapStats stats;
    MapPreview preview;    // empty unless the listener asks for one
    MapPreview thumbnail;  // a smaller one, for the batch browser; empty unless asked for
};

// The box a preview must fit in; 0 x 0 asks for none.
struct PreviewBounds {
    int width = 0;
    int height = 0;
};

class RunListener : public MapLog {
  public:
    // Replaces the whole log (a map's start line, "Empty seed").
    virtual void ReplaceLog(const std::string& text) = 0;
    // A batch shows its progress in the batch button's caption.
    virtual void BatchCaption(const std::string&) {}
    // Lets the front end handle pending events once (repaint, close request).
    virtual void ProcessEvents() {}
    // The close request: cleared when a run starts, checked after every map.
    virtual void ClearQuitRequest() {}
    virtual bool QuitRequested() const { return false; }
    // The largest preview the front end shows, made from each finished map before it is saved.
    virtual PreviewBounds PreviewSize() const { return {}; }
    // The batch browser's thumbnail box, made the same way.
    virtual PreviewBounds ThumbnailSize() const { return {}; }
    // A map has been saved.
    virtual void MapSaved(const MapReport&) {}
};

}  // namespace orvane
