#include "app/window/PreviewPane.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <cstdlib>

#include "app/Printable.h"
#include "app/platform/PathText.h"
#include "app/window/LabelText.h"

namespace orvane {
namespace fs = std::filesystem;
namespace {

constexpr int kFontSize = 13;  // as the window's controls
constexpr int kImageWidth = 240;
constexpr int kImageHeight = 136;  // about the aspect of a map
constexpr int kButtonWidth = 84;
constexpr int kGap = 6;

// `path` in at most `width` pixels: the home folder as "~", then leading folders dropped
// behind "…/" until the rest fits.
std::string ShortenPath(const fs::path& path, int width) {
    std::string text = Printable(PathText(path));
    constexpr char kSeparator = static_cast<char>(fs::path::preferred_separator);
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        const std::string prefix = std::string(home) + kSeparator;
        if (text.rfind(prefix, 0) == 0)
            text = std::string{'~', kSeparator} + text.substr(prefix.size());
    }
    fl_font(FL_HELVETICA, kFontSize);
    if (fl_width(text.c_str()) <= width) return text;
    std::size_t cut = 0;
    for (;;) {
        const std::size_t next = text.find(kSeparator, cut + 1);
        if (next == std::string::npos) break;
        cut = next;
        const std::string shorter = "\xE2\x80\xA6" + text.substr(cut);
        if (fl_width(shorter.c_str()) <= width) return shorter;
    }
    return "\xE2\x80\xA6" + text.substr(cut);  // the last name alone, clipped if need be
}

}  // namespace

PreviewImage::PreviewImage(int x, int y, int w, int h)
    : Fl_Box(FL_FLAT_BOX, x, y, w, h, "Get Map makes a map:\nit will show here.") {
    color(fl_rgb_color(48, 48, 56));
    labelcolor(fl_rgb_color(220, 220, 220));
    labelsize(kFontSize);
}

void PreviewImage::Show(const MapPreview& preview) {
    if (preview.width <= 0 || preview.height <= 0) return;
    shown_ = ShownPreview(preview);
    tooltip("Open the map in the image viewer");
    redraw();
}

void PreviewImage::draw() {
    draw_box();
    if (!shown_.DrawCentred(x(), y(), w(), h())) draw_label();
}

int PreviewImage::handle(int event) {
    switch (event) {
        case FL_ENTER:
            if (shown_.Image()) fl_cursor(FL_CURSOR_HAND);
            return 1;
        case FL_LEAVE:
            fl_cursor(FL_CURSOR_DEFAULT);
            return 1;
        case FL_PUSH:
            return shown_.Image() ? 1 : 0;
        case FL_RELEASE:
            if (shown_.Image() && Fl::event_inside(this)) do_callback();
            return 1;
        default:
            return Fl_Box::handle(event);
    }
}

PreviewPane::PreviewPane(int x, PaneActions actions) : actions_(std::move(actions)) {
    image_ = new PreviewImage(x, 6, kImageWidth, kImageHeight);
    image_->callback(
        [](Fl_Widget*, void* pane) { static_cast<PreviewPane*>(pane)->actions_.openMap(); }, this);
    const int right = x + kImageWidth + kGap;
    // Each button calls its action, a member of actions_ that lives as long as the pane.
    auto button = [right](int y, const char* label, const char* tip, std::function<void()>& act) {
        auto* b = new Fl_Button(right, y, kButtonWidth, 24, label);
        b->labelsize(kFontSize);
        b->tooltip(tip);
        b->callback([](Fl_Widget*, void* f) { (*static_cast<std::function<void()>*>(f))(); }, &act);
        return b;
    };
    showFolder_ =
        button(6, "Show folder", "Open the maps' folder in the file manager", actions_.showFolder);
    copySeed_ =
        button(36, "Copy seed", "Copy the last map's seed: typed as a seed, it makes the same map",
               actions_.copySeed);
    copySeed_->deactivate();  // no map yet
    browse_ = button(66, "Browse\xE2\x80\xA6",
                     "The last batch's maps: keep the ones you like, throw away the rest",
                     actions_.browse);
    browse_->deactivate();  // no batch yet
    caption_ = new Fl_Box(x, 6 + kImageHeight + 2, kImageWidth + kGap + kButtonWidth, 18);
    caption_->labelsize(kFontSize);
    caption_->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_CLIP);
    folder_ = new Fl_Box(x, 163, kImageWidth, 22);
    folder_->labelsize(kFontSize);
    folder_->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_CLIP);
    chooseFolder_ = button(161, "Folder\xE2\x80\xA6",
                           "Choose the folder maps are saved in (the game's User/SavedLevels)",
                           actions_.chooseFolder);
}

void PreviewPane::ShowMap(const MapPreview& preview, const std::string& caption) {
    image_->Show(preview);
    copySeed_->activate();
    captionText_ = LabelText(caption);
    caption_->label(captionText_.c_str());
    captionTip_ = caption;
    caption_->tooltip(captionTip_.c_str());
    caption_->redraw();
}

void PreviewPane::ShowFolder(const fs::path& folder) {
    if (folder.empty()) {
        folderText_ = "Folder: none chosen yet";
        folderTip_ =
            "Maps need a folder: choose the game's User/SavedLevels with Folder\xE2\x80\xA6";
    } else {
        fl_font(FL_HELVETICA, kFontSize);
        const int room = folder_->w() - 4 - static_cast<int>(fl_width("Folder: "));
        folderText_ = LabelText("Folder: " + ShortenPath(folder, room));
        folderTip_ = Printable(PathText(folder));
    }
    folder_->label(folderText_.c_str());
    folder_->tooltip(folderTip_.c_str());
    folder_->redraw();
}

void PreviewPane::SetBrowseActive(bool active) {
    if (active)
        browse_->activate();
    else
        browse_->deactivate();
}

void PreviewPane::SetChooserActive(bool active) {
    if (active)
        chooseFolder_->activate();
    else
        chooseFolder_->deactivate();
}

}  // namespace orvane
