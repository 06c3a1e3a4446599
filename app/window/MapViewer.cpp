#include "app/window/MapViewer.h"

#include <FL/Fl.H>

#include <exception>
#include <fstream>
#include <iterator>

#include "app/Preview.h"
#include "app/Printable.h"
#include "app/platform/PathText.h"
#include "app/window/LabelText.h"
#include "canvas/Canvas.h"

namespace orvane {
namespace {

constexpr int kCaptionHeight = 24;
constexpr int kFontSize = 13;

// The whole saved map, decoded; throws when it cannot be read.
Canvas ReadMap(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("it cannot be opened");
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                          std::istreambuf_iterator<char>()};
    Canvas canvas;
    canvas.LoadPicture(bytes);
    return canvas;
}

}  // namespace

class MapViewer::Window : public Fl_Double_Window {
  public:
    Window(int w, int h, std::function<void(int)> step, std::function<void(Mark)> mark)
        : Fl_Double_Window(w, h, "Orvane: map"), step_(std::move(step)), mark_(std::move(mark)) {}

    int handle(int event) override {
        if (event == FL_KEYBOARD || (event == FL_SHORTCUT && Fl::first_window() == this)) {
            switch (Fl::event_key()) {
                case FL_Left:
                case FL_Up:
                    step_(-1);
                    return 1;
                case FL_Right:
                case FL_Down:
                case ' ':
                    step_(1);
                    return 1;
                case 'k':
                    mark_(Mark::Keep);
                    return 1;
                case 'd':
                case FL_Delete:
                    mark_(Mark::ThrowAway);
                    return 1;
                case 'u':
                    mark_(Mark::Unmarked);
                    return 1;
                default:
                    break;  // Esc closes, as in any window
            }
        }
        return Fl_Double_Window::handle(event);
    }

  private:
    std::function<void(int)> step_;
    std::function<void(Mark)> mark_;
};

MapViewer::MapViewer(std::function<void(int)> step, std::function<void(Mark)> mark) {
    // As large as the screen allows, within a size where a map's detail shows at a glance.
    const int w = std::min(1024, Fl::w() - 40);
    const int h = std::min(600, Fl::h() - 80);
    window_ = std::make_unique<Window>(w, h, std::move(step), std::move(mark));
    picture_ = new Fl_Box(FL_FLAT_BOX, 0, 0, w, h - kCaptionHeight, nullptr);
    picture_->color(fl_rgb_color(48, 48, 56));
    caption_ = new Fl_Box(4, h - kCaptionHeight, w - 8, kCaptionHeight);
    caption_->labelsize(kFontSize);
    caption_->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_CLIP);
    window_->end();
}

MapViewer::~MapViewer() = default;

void MapViewer::Show(const BatchMap& map, std::size_t position, std::size_t count) {
    std::string problem;
    picture_->image(nullptr);
    shown_ = ShownPreview();
    try {
        const Canvas canvas = ReadMap(map.path);
        const MapPreview large = MakePreview(canvas, picture_->w(), picture_->h());
        shown_ = ShownPreview(large);
        picture_->image(shown_.Image());
    } catch (const std::exception& e) {
        problem = "  (cannot be shown: " + Printable(e.what()) + ")";
    }
    const std::string name = LabelText(Printable(PathText(map.path.filename())));
    about_ = std::to_string(position) + " of " + std::to_string(count) + ":  " + name + "  " +
             std::to_string(map.width) + "x" + std::to_string(map.height) +
             " px  seed: " + map.code + problem;
    ShowMark(map.mark);
    if (!window_->shown()) window_->show();
}

void MapViewer::ShowMark(Mark mark) {
    const char* marked = mark == Mark::Keep        ? "  [keep]"
                         : mark == Mark::ThrowAway ? "  [throw away]"
                                                   : "";
    captionText_ =
        about_ + marked + "    \xE2\x86\x90 \xE2\x86\x92 step, K keep, D throw away, U unmark";
    caption_->label(captionText_.c_str());
    window_->redraw();
}

void MapViewer::Hide() {
    window_->hide();
}

}  // namespace orvane
