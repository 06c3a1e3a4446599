#pragma once
// The batch browser: a window of its own with the last batch's maps as a grid of thumbnails,
// filled as the maps are saved. The player marks maps to keep or throw away (click, keys, "Keep
// all", "Throw away the rest"), sends the marked ones to the system's trash, and takes steps
// back with Undo; a double-click (or Enter) shows a map large. Only this batch's maps are ever
// moved.
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Scroll.H>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/BatchSelection.h"
#include "app/window/MapViewer.h"
#include "app/window/ThumbnailCell.h"

namespace orvane {

class BatchBrowser {
  public:
    // `log` takes lines for the main window's log (CR LF ended); `echo` takes where each
    // thumbnail is drawn, for tests that compare it with the saved map.
    BatchBrowser(std::function<void(const std::string&)> log,
                 std::function<void(const std::string&)> echo);
    ~BatchBrowser();
    // A batch starts: the last one is forgotten and the window opens, empty.
    void StartBatch();
    // A map of the batch has been saved.
    void Add(const MapReport& report, const std::filesystem::path& folder);
    // Opens the window on the last batch again, without maps that left the folder meanwhile.
    void Reopen();
    bool HasBatch() const { return selection_.Size() > 0; }
    // Closes the browser and its large view (the program ends when the main window closes).
    void Hide();

  private:
    class Window;
    void AddCell(std::size_t index);
    void Rebuild();
    int Columns() const;
    void FitSheet();
    void Place(std::size_t position, int columns);
    void Layout();
    void Refresh();
    void Pressed(Fl_Widget* button);
    void Clicked(std::size_t position, int button, bool twice);
    void Mark(std::size_t position, orvane::Mark mark);
    void Focus(std::size_t position);
    void View(std::size_t position);
    void ThrowAway();
    void Undo();
    bool Key(int key, bool control);
    void Say(const std::vector<std::string>& problems, const std::string& done);

    std::function<void(const std::string&)> log_;
    std::function<void(const std::string&)> echo_;
    BatchSelection selection_;
    std::vector<std::size_t> shown_;  // the selection's index of each cell
    std::vector<ThumbnailCell*> cells_;
    std::size_t focus_ = 0;
    std::size_t viewed_ = 0;  // the cell the viewer shows
    std::unique_ptr<Window> window_;
    Fl_Scroll* grid_ = nullptr;
    Fl_Group* sheet_ = nullptr;  // holds the cells
    Fl_Button* keepAll_ = nullptr;
    Fl_Button* throwRest_ = nullptr;
    Fl_Button* throwAway_ = nullptr;
    Fl_Button* undo_ = nullptr;
    Fl_Box* status_ = nullptr;
    std::string throwLabel_;
    std::string statusText_;
    std::unique_ptr<MapViewer> viewer_;
};

}  // namespace orvane
