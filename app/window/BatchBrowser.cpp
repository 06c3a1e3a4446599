#include "app/window/BatchBrowser.h"

#include <FL/Fl.H>
#include <FL/Fl_Group.H>

#include <algorithm>

#include "app/platform/PathText.h"

namespace orvane {
namespace {

constexpr int kColumns = 6;
constexpr int kRows = 4;
constexpr int kMargin = 4;
constexpr int kScrollbar = 16;
constexpr int kBarHeight = 36;
constexpr int kFontSize = 13;
constexpr int kWidth = kColumns * kCellWidth + 2 * kMargin + kScrollbar;
constexpr int kHeight = kRows * kCellHeight + 2 * kMargin + kBarHeight;

// Unmarked, keep, throw away, unmarked: one click a step.
orvane::Mark NextMark(orvane::Mark mark) {
    switch (mark) {
        case Mark::Unmarked:
            return Mark::Keep;
        case Mark::Keep:
            return Mark::ThrowAway;
        default:
            return Mark::Unmarked;
    }
}

std::string Maps(std::size_t n) {
    return std::to_string(n) + (n == 1 ? " map" : " maps");
}

}  // namespace

// Takes the keys before the widgets and lays the grid out again when resized.
class BatchBrowser::Window : public Fl_Double_Window {
  public:
    Window(BatchBrowser& owner, int w, int h)
        : Fl_Double_Window(w, h, "Orvane: the last batch"), owner_(owner) {}
    int handle(int event) override {
        // Keys typed into another window (the mouse merely over this one) are not ours.
        const bool ours =
            event == FL_KEYBOARD || (event == FL_SHORTCUT && Fl::first_window() == this);
        if (ours && owner_.Key(Fl::event_key(), Fl::event_state(FL_CTRL) != 0)) return 1;
        return Fl_Double_Window::handle(event);
    }
    void resize(int x, int y, int w, int h) override {
        Fl_Double_Window::resize(x, y, w, h);
        owner_.Layout();
    }

  private:
    BatchBrowser& owner_;
};

BatchBrowser::BatchBrowser(std::function<void(const std::string&)> log,
                           std::function<void(const std::string&)> echo)
    : log_(std::move(log)), echo_(std::move(echo)) {
    window_ = std::make_unique<Window>(*this, kWidth, kHeight);
    grid_ = new Fl_Scroll(0, 0, kWidth, kHeight - kBarHeight);
    grid_->type(Fl_Scroll::VERTICAL);
    grid_->scrollbar.clear_visible_focus();
    grid_->hscrollbar.clear_visible_focus();
    // The cells lie on one sheet the grid scrolls, so the grid's offsets stay those of the sheet.
    sheet_ = new Fl_Group(0, 0, kWidth - kScrollbar, kCellHeight);
    sheet_->resizable(nullptr);
    sheet_->end();
    grid_->end();
    auto* bar = new Fl_Group(0, kHeight - kBarHeight, kWidth, kBarHeight);
    int x = kMargin;
    const int y = kHeight - kBarHeight + 6;
    auto button = [&](int w, const char* label, const char* tip) {
        auto* b = new Fl_Button(x, y, w, 24, label);
        b->labelsize(kFontSize);
        b->tooltip(tip);
        b->clear_visible_focus();  // the keys belong to the grid
        b->callback([](Fl_Widget* pressed,
                       void* self) { static_cast<BatchBrowser*>(self)->Pressed(pressed); },
                    this);
        x += w + kMargin;
        return b;
    };
    keepAll_ = button(80, "Keep all", "Mark every map to keep (K keeps one)");
    throwRest_ = button(140, "Throw away the rest",
                        "Mark every map not marked to keep for the trash (D marks one)");
    throwAway_ = button(150, "Throw away", "Move the maps marked to throw away to the trash");
    undo_ = button(64, "Undo", "Take back the last step (Ctrl+Z)");
    status_ = new Fl_Box(FL_FLAT_BOX, x, y, kWidth - x - kMargin, 24, nullptr);  // redrawn alone
    status_->labelsize(kFontSize);
    status_->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_CLIP);
    bar->resizable(status_);
    bar->end();
    window_->end();
    window_->resizable(grid_);
    window_->size_range(kCellWidth + 2 * kMargin + kScrollbar, kCellHeight + kBarHeight + 8);
    viewer_ = std::make_unique<MapViewer>(
        [this](int step) {
            if (shown_.empty()) return;
            const auto last = static_cast<long long>(shown_.size()) - 1;
            const auto next = std::clamp(static_cast<long long>(viewed_) + step, 0LL, last);
            Focus(static_cast<std::size_t>(next));
            View(static_cast<std::size_t>(next));
        },
        [this](orvane::Mark mark) {
            if (viewed_ >= shown_.size()) return;
            Mark(viewed_, mark);
            viewer_->ShowMark(mark);
        });
    Refresh();
}

BatchBrowser::~BatchBrowser() = default;

void BatchBrowser::StartBatch() {
    selection_.Clear();
    viewer_->Hide();
    Rebuild();
    window_->show();
}

void BatchBrowser::Add(const MapReport& report, const std::filesystem::path& folder) {
    BatchMap map;
    map.path = folder / PathFromText(report.fileName);
    map.code = report.code;
    map.width = report.width;
    map.height = report.height;
    map.fileBytes = report.fileBytes;
    map.thumbnail = report.thumbnail;
    selection_.Add(std::move(map));
    shown_.push_back(selection_.Size() - 1);
    // Only the new cell, the scroll bar and the bar below are drawn again: the grid is drawn
    // between the maps of a batch, whose time it shares.
    AddCell(shown_.size() - 1);
    FitSheet();
    cells_.back()->redraw();
    Refresh();
}

void BatchBrowser::Reopen() {
    selection_.DropMissing();
    Rebuild();
    window_->show();
}

void BatchBrowser::Hide() {
    viewer_->Hide();
    window_->hide();
}

void BatchBrowser::AddCell(std::size_t position) {
    const std::size_t index = shown_[position];
    auto* cell = new ThumbnailCell(0, 0, selection_.At(index), [this, position](int b, bool twice) {
        Clicked(position, b, twice);
    });
    sheet_->add(cell);
    cells_.push_back(cell);
    cell->SetFocused(position == focus_);
    Place(position, Columns());
    echo_("thumbnail: " + PathText(selection_.At(index).path.filename()) + " " +
          std::to_string(cell->x() + kThumbInset) + " " + std::to_string(cell->y() + kThumbInset) +
          " " + std::to_string(kThumbWidth) + " " + std::to_string(kThumbHeight));
}

void BatchBrowser::Rebuild() {
    viewer_->Hide();
    for (ThumbnailCell* cell : cells_) {
        sheet_->remove(cell);
        Fl::delete_widget(cell);  // a cell may be the one whose click brought us here
    }
    cells_.clear();
    shown_ = selection_.Shown();
    focus_ = std::min(focus_, shown_.empty() ? 0 : shown_.size() - 1);
    for (std::size_t p = 0; p < shown_.size(); ++p) AddCell(p);
    Layout();
    // Where the player was, as far as the shorter grid reaches.
    grid_->scroll_to(0, std::min(grid_->yposition(), std::max(0, sheet_->h() - grid_->h())));
    Refresh();
}

int BatchBrowser::Columns() const {
    return std::max(1, (grid_->w() - 2 * kMargin - kScrollbar) / kCellWidth);
}

// The sheet just holds the cells' rows, so the scroll bar reaches the last row.
void BatchBrowser::FitSheet() {
    const int columns = Columns();
    const int rows = (static_cast<int>(cells_.size()) + columns - 1) / columns;
    sheet_->resize(sheet_->x(), sheet_->y(), columns * kCellWidth + 2 * kMargin,
                   std::max(1, rows) * kCellHeight + 2 * kMargin);
}

void BatchBrowser::Place(std::size_t position, int columns) {
    const int col = static_cast<int>(position) % columns;
    const int row = static_cast<int>(position) / columns;
    cells_[position]->position(sheet_->x() + kMargin + col * kCellWidth,
                               sheet_->y() + kMargin + row * kCellHeight);
}

void BatchBrowser::Layout() {
    FitSheet();
    for (std::size_t p = 0; p < cells_.size(); ++p) Place(p, Columns());
    grid_->redraw();
}

// The buttons, the cells' marks and the status line, after any change.
void BatchBrowser::Refresh() {
    const std::size_t keep = selection_.Marked(Mark::Keep);
    const std::size_t away = selection_.Marked(Mark::ThrowAway);
    for (std::size_t p = 0; p < cells_.size(); ++p)
        cells_[p]->SetMark(selection_.At(shown_[p]).mark);
    throwLabel_ = away == 0 ? "Throw away" : "Throw away " + Maps(away);
    throwAway_->copy_label(throwLabel_.c_str());
    auto enable = [](Fl_Widget* w, bool on) { on ? w->activate() : w->deactivate(); };
    enable(throwAway_, away > 0);
    enable(keepAll_, !shown_.empty());
    enable(throwRest_, !shown_.empty());
    enable(undo_, selection_.CanUndo());
    if (statusText_.empty())
        status_->copy_label((Maps(shown_.size()) + ": " + std::to_string(keep) + " to keep, " +
                             std::to_string(away) + " to throw away")
                                .c_str());
    else
        status_->copy_label(statusText_.c_str());
    statusText_.clear();
    status_->redraw();
    throwAway_->redraw();
}

void BatchBrowser::Pressed(Fl_Widget* button) {
    if (button == keepAll_)
        selection_.KeepAll();
    else if (button == throwRest_)
        selection_.ThrowAwayRest();
    else if (button == throwAway_)
        return ThrowAway();
    else if (button == undo_)
        return Undo();
    Refresh();
}

void BatchBrowser::Clicked(std::size_t position, int button, bool twice) {
    Focus(position);
    if (twice && button == FL_LEFT_MOUSE) {
        selection_.Undo({});  // the double-click's first click changed the mark: take it back
        Refresh();
        View(position);
        return;
    }
    const orvane::Mark now = selection_.At(shown_[position]).mark;
    if (button == FL_RIGHT_MOUSE)
        Mark(position, now == Mark::ThrowAway ? Mark::Unmarked : Mark::ThrowAway);
    else if (button == FL_LEFT_MOUSE)
        Mark(position, NextMark(now));
}

void BatchBrowser::Mark(std::size_t position, orvane::Mark mark) {
    selection_.SetMark(shown_[position], mark);
    Refresh();
}

void BatchBrowser::Focus(std::size_t position) {
    if (position >= cells_.size()) return;
    cells_[focus_ < cells_.size() ? focus_ : position]->SetFocused(false);
    focus_ = position;
    ThumbnailCell* cell = cells_[position];
    cell->SetFocused(true);
    // Scrolls just far enough to show the whole cell.
    const int top = cell->y() - sheet_->y();
    if (top < grid_->yposition())
        grid_->scroll_to(0, std::max(0, top - kMargin));
    else if (top + kCellHeight > grid_->yposition() + grid_->h())
        grid_->scroll_to(0, top + kCellHeight + kMargin - grid_->h());
}

void BatchBrowser::View(std::size_t position) {
    if (position >= shown_.size()) return;
    viewed_ = position;
    const BatchMap& map = selection_.At(shown_[position]);
    viewer_->Show(map, position + 1, shown_.size());
    echo_("view: " + std::to_string(position + 1) + " of " + std::to_string(shown_.size()) + " " +
          PathText(map.path.filename()));
}

void BatchBrowser::ThrowAway() {
    const std::size_t before = selection_.Shown().size();
    const auto problems = selection_.ThrowAwayMarked(platform::MoveToTrash);
    const std::size_t moved = before - selection_.Shown().size();
    Rebuild();
    Say(problems, Maps(moved) + " moved to the trash; Undo brings them back.");
}

void BatchBrowser::Undo() {
    if (!selection_.CanUndo()) return;
    const std::size_t before = selection_.Shown().size();
    const auto problems = selection_.Undo(platform::RestoreFromTrash);
    const std::size_t back = selection_.Shown().size() - before;
    if (back > 0) {
        Rebuild();
        Say(problems, Maps(back) + " back from the trash.");
    } else {
        Refresh();
    }
}

void BatchBrowser::Say(const std::vector<std::string>& problems, const std::string& done) {
    std::string lines;
    for (const std::string& p : problems) lines += p + "\r\n";
    log_(lines + done + "\r\n");
    statusText_ =
        problems.empty() ? done : done + " " + Maps(problems.size()) + " could not: see the log.";
    Refresh();
}

bool BatchBrowser::Key(int key, bool control) {
    if (control && key == 'z') {
        Undo();
        return true;
    }
    if (control || cells_.empty()) return false;
    const int columns = Columns();
    const auto last = static_cast<long long>(cells_.size()) - 1;
    auto move = [&](long long by) {
        Focus(static_cast<std::size_t>(std::clamp(static_cast<long long>(focus_) + by, 0LL, last)));
    };
    switch (key) {
        case FL_Left:
            move(-1);
            return true;
        case FL_Right:
            move(1);
            return true;
        case FL_Up:
            move(-columns);
            return true;
        case FL_Down:
            move(columns);
            return true;
        case FL_Home:
            move(-last);
            return true;
        case FL_End:
            move(last);
            return true;
        case ' ':
            Mark(focus_, NextMark(selection_.At(shown_[focus_]).mark));
            return true;
        case 'k':
            Mark(focus_, Mark::Keep);
            return true;
        case 'd':
        case FL_Delete:
            Mark(focus_, Mark::ThrowAway);
            return true;
        case 'u':
            Mark(focus_, Mark::Unmarked);
            return true;
        case FL_Enter:
        case FL_KP_Enter:
            View(focus_);
            return true;
        default:
            return false;
    }
}

}  // namespace orvane
