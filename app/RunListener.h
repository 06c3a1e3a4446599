#pragma once
// How the run talks to its front end (window or command line) without knowing either.
#include <cstdint>
#include <string>

#include "core/MapLog.h"
#include "core/MapStats.h"

namespace orvane {

// What one saved map was.
struct MapReport {
    std::string fileName;  // the name actually used
    std::string seed;      // cleaned seed, empty for unseeded maps
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t areaThousandths = 0;
    std::size_t fileBytes = 0;
    MapStats stats;
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
    // A map has been saved.
    virtual void MapSaved(const MapReport&) {}
};

}  // namespace orvane
