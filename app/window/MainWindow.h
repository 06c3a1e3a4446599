#pragma once
// The one window: two run buttons, the log box, the seed box with "Go", the walk-for-weapons
// check box, and the preview pane with the maps' folder; a batch also opens the batch browser. Runs
// are driven from this thread (a map's saving may overlap the next map on another); controls stay
// disabled while one runs.
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Multiline_Output.H>
#include <FL/Fl_RGB_Image.H>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/MapsFolder.h"
#include "app/Run.h"
#include "app/Settings.h"
#include "app/window/BatchBrowser.h"
#include "app/window/PreviewPane.h"
#include "core/Random.h"
#include "weapons/WeaponChoice.h"

namespace orvane {

class MainWindow : public RunListener {
  public:
    explicit MainWindow(std::string decimalSeparator);
    ~MainWindow() override;
    void Show();

    // RunListener
    void ReplaceLog(const std::string& text) override;
    void Append(const std::string& text) override;
    void Diagnostic(const std::string& message) override;
    void BatchCaption(const std::string& caption) override;
    void ProcessEvents() override;
    void ClearQuitRequest() override { quitRequested_ = false; }
    bool QuitRequested() const override { return quitRequested_; }
    PreviewBounds PreviewSize() const override;
    PreviewBounds ThumbnailSize() const override;
    void MapSaved(const MapReport& report) override;

  private:
    void OnCommand(int index);
    void OnClose();
    void SetControlsActive(bool active);
    void ShowLog();
    void Echo(const std::string& text) const;
    void SetIcons();
    void LoadFolder();
    bool EnsureFolder();
    bool ChooseFolder(const char* title);
    void Open(const std::filesystem::path& path);

    std::unique_ptr<Fl_Double_Window> frmMain_;
    std::array<Fl_Button*, 3> Command1_{};  // indexed as the commands are numbered
    Fl_Multiline_Output* txt_ = nullptr;
    Fl_Input* Text1_ = nullptr;
    Fl_Check_Button* chkWFW_ = nullptr;
    std::unique_ptr<PreviewPane> pane_;
    std::unique_ptr<BatchBrowser> browser_;

    std::string log_;  // with CR LF line ends, as the run writes it
    bool quitRequested_ = false;
    bool running_ = false;
    bool echoLog_ = false;  // ORVANE_LOG=stderr mirrors the log box on stderr
    bool preview_ = true;   // ORVANE_PREVIEW=off makes no previews (to measure their cost)
    bool browse_ = true;    // ORVANE_BROWSER=off opens no batch browser (the same)
    bool inBatch_ = false;  // a batch is being made: its maps go to the browser
    std::filesystem::path settingsFile_;
    Settings settings_;
    MapsFolderChoice folder_;
    std::filesystem::path lastMap_;
    std::string lastCode_;  // the seed text of the map shown
    Random rng_;            // seeded from the clock at start-up
    WeaponChooser chooser_;
    std::string decimalSeparator_;
    std::vector<std::vector<unsigned char>> iconPixels_;
    std::vector<std::unique_ptr<Fl_RGB_Image>> iconImages_;
};

}  // namespace orvane
