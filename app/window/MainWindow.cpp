#include "app/window/MainWindow.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Native_File_Chooser.H>
#include <FL/fl_ask.H>

#include <cstdio>
#include <cstdlib>
#include <exception>

#include "app/LevelStore.h"
#include "app/Printable.h"
#include "app/RunEnvironment.h"
#include "app/Seed.h"
#include "app/platform/PathText.h"
#include "app/platform/ProgramFolder.h"
#include "app/window/DesktopOpen.h"
#include "app/window/FrameHints.h"
#include "app/window/ProgramIcon.h"
#include "canvas/Canvas.h"
#include "resources/Resources.h"

namespace orvane {
namespace {

constexpr const char* kCaption = "Orvane by Pellimor";
constexpr int kControlsWidth = 387;  // the controls keep their places; the pane is added right
constexpr int kWidth = kControlsWidth + kPaneWidth;
constexpr int kHeight = 189;
constexpr int kControlFontSize = 13;  // 9.75 points at 96 dpi

// The run writes CR LF line ends; FLTK and terminals want LF alone.
std::string WithoutCarriageReturns(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != '\r') out += c;
    return out;
}

}  // namespace

MainWindow::MainWindow(std::string decimalSeparator)
    : decimalSeparator_(std::move(decimalSeparator)) {
    const char* echo = std::getenv("ORVANE_LOG");
    echoLog_ = echo != nullptr && std::string(echo) == "stderr";
    const char* preview = std::getenv("ORVANE_PREVIEW");
    preview_ = preview == nullptr || std::string(preview) != "off";
    const char* browser = std::getenv("ORVANE_BROWSER");
    browse_ = browser == nullptr || std::string(browser) != "off";
    ApplyStartSeed(rng_);
    frmMain_ = std::make_unique<Fl_Double_Window>(kWidth, kHeight, kCaption);
    frmMain_->size_range(kWidth, kHeight, kWidth, kHeight);
    frmMain_->callback([](Fl_Widget*, void* self) { static_cast<MainWindow*>(self)->OnClose(); },
                       this);

    // Created in tab order: the order of the children is the keyboard navigation order.
    auto button = [this](int index, int x, int y, int w, int h, const char* caption,
                         const char* tip) {
        auto* b = new Fl_Button(x, y, w, h, caption);
        b->labelsize(kControlFontSize);
        b->tooltip(tip);
        // user_data carries the window; the index comes from the control array.
        b->callback(
            [](Fl_Widget* widget, void* self) {
                auto* window = static_cast<MainWindow*>(self);
                for (std::size_t i = 0; i < window->Command1_.size(); ++i)
                    if (window->Command1_[i] == widget) window->OnCommand(static_cast<int>(i));
            },
            this);
        Command1_[static_cast<std::size_t>(index)] = b;
    };
    button(0, 4, 4, 89, 51, "Get Map", "Generate and save random map");
    button(2, 4, 56, 89, 51, "Get Maps (64)", "Batch generation: generate and saves 64 maps");
    txt_ = new Fl_Multiline_Output(96, 6, 287, 101);
    txt_->wrap(1);  // the folder messages are longer than the map lines
    Text1_ = new Fl_Input(4, 133, 333, 24);
    Text1_->textsize(kControlFontSize);
    Text1_->tooltip("User-defined seed to get map from it");
    Text1_->when(FL_WHEN_ENTER_KEY_ALWAYS);
    Text1_->callback([](Fl_Widget*, void* self) { static_cast<MainWindow*>(self)->OnCommand(1); },
                     this);
    button(1, 339, 133, 42, 24, "Go", "I want my map!");
    chkWFW_ = new Fl_Check_Button(6, 165, 201, 17, "Walk for weapons mode");
    chkWFW_->labelsize(kControlFontSize);
    chkWFW_->tooltip("This will generate map usable in walk-for-weapons games");
    auto* label = new Fl_Box(5, 115, 270, 16, "Random map by seed:");
    label->labelsize(kControlFontSize);
    label->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
    pane_ = std::make_unique<PreviewPane>(
        kControlsWidth + 4,
        PaneActions{
            [this] { Open(lastMap_); },
            [this] {
                if (folder_.folder.empty())
                    Append("No folder for maps yet: choose one with Folder\xE2\x80\xA6\r\n");
                else
                    Open(folder_.folder);
            },
            [this] {
                if (!running_)
                    ChooseFolder("Choose the folder for maps (the game's User/SavedLevels)");
            },
            [this] {
                // Both the clipboard and the selection, so a middle click pastes it too.
                Fl::copy(lastCode_.c_str(), static_cast<int>(lastCode_.size()), 0);
                Fl::copy(lastCode_.c_str(), static_cast<int>(lastCode_.size()), 1);
                Append("Seed " + lastCode_ + " copied.\r\n");
            },
            [this] { browser_->Reopen(); }});
    frmMain_->end();
    browser_ = std::make_unique<BatchBrowser>([this](const std::string& text) { Append(text); },
                                              [this](const std::string& text) { Echo(text); });
    frmMain_->position((Fl::w() - kWidth) / 2, (Fl::h() - kHeight) / 2);
    SetIcons();
    LoadFolder();
}

// The settings are read once; a damaged file is reported here, once, and otherwise ignored.
void MainWindow::LoadFolder() {
    settingsFile_ = SettingsFile();
    LoadedSettings loaded = LoadSettings(settingsFile_);
    if (!loaded.problem.empty()) Append(Printable(loaded.problem) + "\r\n");
    settings_ = loaded.settings;
    std::filesystem::path programFolder;
    try {
        programFolder = ProgramFolder();
    } catch (const std::exception&) {
        // Without it there is simply no folder beside the program.
    }
    folder_ = ChooseMapsFolder({}, settings_, programFolder);
    pane_->ShowFolder(folder_.folder);
}

// Before anything is drawn: a folder that can take the maps, or the chooser to pick one.
bool MainWindow::EnsureFolder() {
    const std::string problem = FolderProblem(folder_.folder);
    if (problem.empty()) return true;
    Append(problem + ". Choose the game's saved-levels folder.\r\n");
    return ChooseFolder("No usable folder for maps: choose the game's User/SavedLevels");
}

bool MainWindow::ChooseFolder(const char* title) {
    Fl_Native_File_Chooser chooser(Fl_Native_File_Chooser::BROWSE_DIRECTORY);
    chooser.title(title);
    // FLTK's names are UTF-8 on every system.
    if (!folder_.folder.empty()) chooser.directory(PathText(folder_.folder).c_str());
    const int shown = chooser.show();
    if (shown != 0 || chooser.filename() == nullptr || *chooser.filename() == '\0') {
        Append(shown < 0 ? "The folder chooser failed: " + std::string(chooser.errmsg()) + "\r\n"
                         : std::string("No folder chosen.\r\n"));
        return false;
    }
    const std::filesystem::path chosen = PathFromText(chooser.filename());
    if (const std::string problem = FolderProblem(chosen); !problem.empty()) {
        Append(problem + "\r\n");
        return false;
    }
    folder_ = {chosen, FolderSource::Remembered};
    pane_->ShowFolder(chosen);
    Settings next = settings_;
    next.mapsFolder = chosen;
    try {
        SaveSettings(settingsFile_, next);
        settings_ = next;
        Append("Maps go to " + Printable(PathText(chosen)) + " (remembered).\r\n");
    } catch (const std::exception& e) {
        Append("Maps go to " + Printable(PathText(chosen)) + " until the program ends; " +
               Printable(e.what()) + "\r\n");
    }
    return true;
}

void MainWindow::Open(const std::filesystem::path& path) {
    if (path.empty()) return;
    OpenWithDesktop(PathText(path), [this](const std::string& message) { Append(message); });
}

PreviewBounds MainWindow::PreviewSize() const {
    return preview_ ? pane_->Bounds() : PreviewBounds{};
}

PreviewBounds MainWindow::ThumbnailSize() const {
    return inBatch_ ? PreviewBounds{kThumbWidth, kThumbHeight} : PreviewBounds{};
}

void MainWindow::MapSaved(const MapReport& report) {
    std::string caption = report.fileName + "  " + std::to_string(report.width) + "x" +
                          std::to_string(report.height) + " px";
    caption += "  seed: " + report.code;
    lastMap_ = folder_.folder / PathFromText(report.fileName);
    lastCode_ = report.code;
    pane_->ShowMap(report.preview, caption);
    Echo("preview: " + caption);
    if (inBatch_) browser_->Add(report, folder_.folder);
}

MainWindow::~MainWindow() = default;

void MainWindow::SetIcons() {
    if (UseProgramIcon(*frmMain_)) return;
    std::vector<const Fl_RGB_Image*> icons;
    for (int size : {16, 32, 48}) {
        const auto png = IconPng(size);
        if (png.empty()) continue;
        Canvas picture;
        picture.LoadPicture(png);
        std::vector<unsigned char> rgb;
        for (Colour c : picture.Pixels()) {
            rgb.push_back(static_cast<unsigned char>(RedOf(c)));
            rgb.push_back(static_cast<unsigned char>(GreenOf(c)));
            rgb.push_back(static_cast<unsigned char>(BlueOf(c)));
        }
        iconPixels_.push_back(std::move(rgb));
        iconImages_.push_back(std::make_unique<Fl_RGB_Image>(
            iconPixels_.back().data(), picture.GetWidth(), picture.GetHeight(), 3));
        icons.push_back(iconImages_.back().get());
    }
    // Every window of the program: the batch browser and its large view too.
    if (!icons.empty()) Fl_Window::default_icons(icons.data(), static_cast<int>(icons.size()));
}

void MainWindow::Show() {
    frmMain_->show();
    FixFrame(*frmMain_);
}

void MainWindow::OnClose() {
    // FLTK sends Esc to the window callback too; only the close box may close the window.
    if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape) return;
    // The window always closes; a running batch sees the request after its next map.
    quitRequested_ = true;
    browser_->Hide();
    frmMain_->hide();
}

void MainWindow::SetControlsActive(bool active) {
    pane_->SetChooserActive(active);
    pane_->SetBrowseActive(active && browser_->HasBatch());
    if (active) {
        Text1_->activate();
        for (Fl_Button* b : Command1_) b->activate();
        chkWFW_->activate();
    } else {
        for (Fl_Button* b : Command1_) b->deactivate();
        chkWFW_->deactivate();
        Text1_->deactivate();
    }
}

void MainWindow::OnCommand(int index) {
    if (running_) return;
    running_ = true;
    SetControlsActive(false);
    RunOutcome outcome = RunOutcome::Finished;
    try {
        RunContext ctx{rng_, chooser_, *this, {}, decimalSeparator_, chkWFW_->value() == 1};
        switch (index) {
            case 0:
                if (!EnsureFolder()) break;
                ctx.folder = folder_.folder;
                outcome = GenerateMaps(ctx, 1, false, "");
                break;
            case 1: {
                const std::string cleaned = CleanSeed(Text1_->value());
                Text1_->value(cleaned.c_str());
                Fl::check();  // show the cleaned seed
                if (!cleaned.empty() && !EnsureFolder()) break;
                ctx.folder = folder_.folder;
                outcome = RunSeeded(ctx, cleaned);
                break;
            }
            case 2:
                if (!EnsureFolder()) break;
                ctx.folder = folder_.folder;
                inBatch_ = browse_;
                if (inBatch_) browser_->StartBatch();
                outcome = GenerateMaps(ctx, BatchSize(), true, "");
                break;
            default:
                break;
        }
    } catch (const std::exception& e) {
        // The run stops, nothing half-made is saved, and the program stays usable.
        Append("Error: " + std::string(e.what()) + "\r\n");
        fl_message_title(kCaption);
        fl_alert("%s", e.what());
    }
    inBatch_ = false;
    SetControlsActive(true);
    running_ = false;
    if (outcome == RunOutcome::QuitRequested || quitRequested_) {
        browser_->Hide();
        frmMain_->hide();
    }
}

void MainWindow::ShowLog() {
    txt_->value(WithoutCarriageReturns(log_).c_str());
    txt_->redraw();
}

void MainWindow::ReplaceLog(const std::string& text) {
    log_ = text;
    ShowLog();
    Echo(text);
}

void MainWindow::Append(const std::string& text) {
    log_ += text;
    ShowLog();
    Echo(text);
}

void MainWindow::Echo(const std::string& text) const {
    if (!echoLog_) return;
    std::string line = WithoutCarriageReturns(text);
    if (line.empty() || line.back() != '\n') line += '\n';
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
}

void MainWindow::Diagnostic(const std::string& message) {
    fl_message_title(kCaption);
    fl_message("%s", WithoutCarriageReturns(message).c_str());
}

void MainWindow::BatchCaption(const std::string& caption) {
    Command1_[2]->copy_label(caption.c_str());
}

void MainWindow::ProcessEvents() {
    Fl::check();
}

}  // namespace orvane
