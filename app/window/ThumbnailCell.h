#pragma once
// One map in the batch browser's grid: its thumbnail, size and code, and the player's mark as a
// coloured frame and a word, drawn beside the picture so the map's own pixels stay as they are.
#include <FL/Fl_Widget.H>

#include <functional>
#include <string>

#include "app/BatchSelection.h"
#include "app/window/ShownPreview.h"

namespace orvane {

inline constexpr int kThumbWidth = 128;
inline constexpr int kThumbHeight = 72;
inline constexpr int kCellWidth = kThumbWidth + 12;
inline constexpr int kCellHeight = kThumbHeight + 58;
inline constexpr int kThumbInset = 6;  // the thumbnail box's offset in the cell, both ways

class ThumbnailCell : public Fl_Widget {
  public:
    // `clicked(button, double click)` reports a press on the cell.
    ThumbnailCell(int x, int y, const BatchMap& map, std::function<void(int, bool)> clicked);
    void SetMark(Mark mark);
    void SetFocused(bool focused);

  protected:
    void draw() override;
    int handle(int event) override;

  private:
    ShownPreview thumbnail_;
    std::string size_;
    std::string code_;
    std::string tip_;
    Mark mark_ = Mark::Unmarked;
    bool focused_ = false;
    std::function<void(int, bool)> clicked_;
};

}  // namespace orvane
