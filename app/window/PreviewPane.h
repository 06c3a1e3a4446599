#pragma once
// The pane right of the controls: the last saved map scaled to fit, one caption line under it,
// the folder maps go to, and the "Show folder", "Copy seed", "Browse…" and "Folder…" buttons.
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "app/RunListener.h"
#include "app/window/ShownPreview.h"

namespace orvane {

struct PaneActions {
    std::function<void()> openMap;       // a click on the preview
    std::function<void()> showFolder;    // "Show folder"
    std::function<void()> chooseFolder;  // "Folder…"
    std::function<void()> copySeed;      // "Copy seed"
    std::function<void()> browse;        // "Browse…"
};

// The preview itself: shows a hint until the first map, and acts as a button after it.
class PreviewImage : public Fl_Box {
  public:
    PreviewImage(int x, int y, int w, int h);
    void Show(const MapPreview& preview);

  protected:
    void draw() override;
    int handle(int event) override;

  private:
    ShownPreview shown_;
};

class PreviewPane {
  public:
    // Creates the pane's widgets at `x` in the window being built.
    PreviewPane(int x, PaneActions actions);
    PreviewBounds Bounds() const { return {image_->w(), image_->h()}; }
    void ShowMap(const MapPreview& preview, const std::string& caption);
    // The folder in use, shortened to fit; the whole path is the tool tip.
    void ShowFolder(const std::filesystem::path& folder);
    void SetChooserActive(bool active);
    void SetBrowseActive(bool active);

  private:
    PaneActions actions_;
    PreviewImage* image_ = nullptr;
    Fl_Box* caption_ = nullptr;
    Fl_Box* folder_ = nullptr;
    Fl_Button* showFolder_ = nullptr;
    Fl_Button* copySeed_ = nullptr;
    Fl_Button* browse_ = nullptr;
    Fl_Button* chooseFolder_ = nullptr;
    std::string captionText_;
    std::string captionTip_;
    std::string folderText_;
    std::string folderTip_;
};

// The width the pane adds to the window.
inline constexpr int kPaneWidth = 335;

}  // namespace orvane
