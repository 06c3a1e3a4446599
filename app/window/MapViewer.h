#pragma once
// One map of the batch large, scaled to fit, with its name, size and code; the arrow keys step
// through the batch. The picture is read from the saved file, one map at a time.
#include <FL/Fl_Box.H>
#include <FL/Fl_Double_Window.H>

#include <functional>
#include <memory>
#include <string>

#include "app/BatchSelection.h"
#include "app/window/ShownPreview.h"

namespace orvane {

class MapViewer {
  public:
    // `step(-1 or +1)` asks for the map before or after the one shown; `mark(m)` sets its mark.
    MapViewer(std::function<void(int)> step, std::function<void(Mark)> mark);
    ~MapViewer();
    // Shows `map`, number `position` (from 1) of `count`.
    void Show(const BatchMap& map, std::size_t position, std::size_t count);
    // The shown map's mark changed.
    void ShowMark(Mark mark);
    void Hide();

  private:
    class Window;
    std::unique_ptr<Window> window_;
    Fl_Box* picture_ = nullptr;
    Fl_Box* caption_ = nullptr;
    ShownPreview shown_;
    std::string about_;  // the caption without the mark
    std::string captionText_;
};

}  // namespace orvane
