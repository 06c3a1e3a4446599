#include "app/window/ThumbnailCell.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include "app/Printable.h"
#include "app/platform/PathText.h"

namespace orvane {
namespace {

constexpr int kFontSize = 12;
const Fl_Color kBoxColour = fl_rgb_color(48, 48, 56);  // as the preview's
const Fl_Color kKeepColour = fl_rgb_color(40, 150, 60);
const Fl_Color kThrowColour = fl_rgb_color(200, 40, 40);

}  // namespace

ThumbnailCell::ThumbnailCell(int x, int y, const BatchMap& map,
                             std::function<void(int, bool)> clicked)
    : Fl_Widget(x, y, kCellWidth, kCellHeight),
      thumbnail_(map.thumbnail),
      size_(std::to_string(map.width) + " x " + std::to_string(map.height)),
      code_(map.code),
      tip_(Printable(PathText(map.path.filename())) +
           "\nClick: keep, throw away, unmarked"
           "\nDouble-click: view large"),
      mark_(map.mark),
      clicked_(std::move(clicked)) {
    tooltip(tip_.c_str());
    clear_visible_focus();  // the browser window takes the keys
}

void ThumbnailCell::SetMark(Mark mark) {
    if (mark == mark_) return;
    mark_ = mark;
    redraw();
}

void ThumbnailCell::SetFocused(bool focused) {
    if (focused == focused_) return;
    focused_ = focused;
    redraw();
}

void ThumbnailCell::draw() {
    fl_push_clip(x(), y(), w(), h());
    fl_rectf(x(), y(), w(), h(), focused_ ? fl_rgb_color(200, 215, 240) : FL_BACKGROUND_COLOR);
    if (mark_ != Mark::Unmarked) {
        fl_color(mark_ == Mark::Keep ? kKeepColour : kThrowColour);
        for (int i = 1; i <= 3; ++i)
            fl_rect(x() + kThumbInset - i, y() + kThumbInset - i, kThumbWidth + 2 * i,
                    kThumbHeight + 2 * i);
    }
    const int bx = x() + kThumbInset;
    const int by = y() + kThumbInset;
    fl_rectf(bx, by, kThumbWidth, kThumbHeight, kBoxColour);
    thumbnail_.DrawCentred(bx, by, kThumbWidth, kThumbHeight);
    fl_font(FL_HELVETICA, kFontSize);
    fl_color(FL_FOREGROUND_COLOR);
    const int line = by + kThumbHeight + 4;
    fl_draw(size_.c_str(), bx, line, kThumbWidth, 15, FL_ALIGN_LEFT | FL_ALIGN_CLIP, nullptr, 0);
    fl_draw(code_.c_str(), bx, line + 15, kThumbWidth, 15, FL_ALIGN_LEFT | FL_ALIGN_CLIP, nullptr,
            0);
    if (mark_ != Mark::Unmarked) {
        fl_font(FL_HELVETICA_BOLD, kFontSize);
        fl_color(mark_ == Mark::Keep ? kKeepColour : kThrowColour);
        fl_draw(mark_ == Mark::Keep ? "keep" : "throw away", bx, line + 30, kThumbWidth, 15,
                FL_ALIGN_LEFT | FL_ALIGN_CLIP, nullptr, 0);
    }
    fl_pop_clip();
}

int ThumbnailCell::handle(int event) {
    switch (event) {
        case FL_PUSH:
            clicked_(Fl::event_button(), Fl::event_clicks() != 0);
            return 1;
        case FL_RELEASE:
        case FL_ENTER:
        case FL_LEAVE:
        case FL_MOVE:
            return 1;  // tool tips need the pointer's entry
        default:
            return Fl_Widget::handle(event);
    }
}

}  // namespace orvane
