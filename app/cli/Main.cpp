// orvane-cli: the map run without a window, for scripts, tests and benchmarks. The same seed
// and mode give the same bytes as the window. Exit status: 0 every map saved, 1 a map could not
// be made or saved (or a seed was empty), 2 bad arguments, the interruption's status (130, 143)
// once the map being made is finished and saved (app/cli/Interrupt.h).
#include <CLI/CLI.hpp>
#include <iostream>

#include "app/LevelStore.h"
#include "app/MapsFolder.h"
#include "app/Run.h"
#include "app/Seed.h"
#include "app/cli/Arguments.h"
#include "app/cli/Interrupt.h"
#include "app/cli/Json.h"
#include "app/platform/DecimalSeparator.h"
#include "app/platform/PathText.h"
#include "app/platform/ProgramFolder.h"
#include "canvas/LibraryVersions.h"

namespace {

constexpr int kFailed = 1;
constexpr int kBadArguments = 2;

class CliListener : public orvane::RunListener {
  public:
    CliListener(bool quiet, bool json, bool wfw, std::string separator)
        : quiet_(quiet), json_(json), wfw_(wfw), separator_(std::move(separator)) {}

    void ReplaceLog(const std::string& text) override { Log(text); }
    void Append(const std::string& text) override { Log(text); }
    // Never blocks: the diagnostic a window would show in a message box becomes a log line.
    void Diagnostic(const std::string& message) override {
        std::string line = message;
        for (char& c : line)
            if (c == '\r' || c == '\n') c = ' ';
        std::cerr << "diagnostic: " << line << "\n";
    }
    // An interruption is never forgotten between the runs of one command line.
    void ClearQuitRequest() override {}
    bool QuitRequested() const override { return orvane::cli::InterruptStatus() != 0; }
    void MapSaved(const orvane::MapReport& report) override {
        if (json_) std::cout << orvane::MapReportJson(report, wfw_, separator_) << std::endl;
    }

  private:
    // The log box's lines go to stderr, one per line ("-- end" has no line break of its own).
    void Log(const std::string& text) {
        if (quiet_) return;
        std::string out = text;
        if (out.size() >= 2 && out.compare(out.size() - 2, 2, "\r\n") == 0)
            out.resize(out.size() - 2);
        std::cerr << out << "\n";
    }

    bool quiet_;
    bool json_;
    bool wfw_;
    std::string separator_;
};

// The folder maps go to, said on stderr; empty (with the reason said) when there is none.
std::filesystem::path MapsFolder(const std::string& out, bool quiet) {
    const auto loaded = orvane::LoadSettings(orvane::SettingsFile());
    if (!loaded.problem.empty()) std::cerr << "orvane-cli: " << loaded.problem << "\n";
    const auto choice = orvane::ChooseMapsFolder(orvane::PathFromText(out), loaded.settings,
                                                 orvane::ProgramFolder());
    const std::string problem = orvane::FolderProblem(choice.folder);
    if (!problem.empty()) {
        std::cerr << "orvane-cli: " << problem
                  << "\nGive a folder with --out DIR, or choose one with the Folder\xE2\x80\xA6 "
                     "button of the window (orvane), which remembers it for both programs.\n";
        return {};
    }
    if (!quiet)
        std::cerr << "Maps go to " << orvane::PathText(choice.folder) << " ("
                  << orvane::DescribeSource(choice.source) << ")\n";
    return choice.folder;
}

}  // namespace

int main(int argc, char** argv) {
    orvane::cli::UseUtf8Console();
    const std::string separator = orvane::UserDecimalSeparator();

    CLI::App app{"Makes random maps and saves them as level files."};
    std::vector<std::string> seeds;
    int count = 0;
    bool wfw = false;
    bool json = false;
    bool quiet = false;
    std::string out;
    app.add_option("--seed", seeds, "Make the map of this seed (repeatable)");
    app.add_option("--count", count, "Make this many unseeded maps")->check(CLI::Range(1, 100000));
    app.add_flag("--wfw", wfw, "Walk-for-weapons mode: framed weapon pictures, names with W_");
    app.add_option("--out", out,
                   "Folder for the maps (default: the folder chosen in the window, else "
                   "User/SavedLevels beside the program)");
    app.add_flag("--json", json, "Print one JSON object per saved map on stdout");
    app.add_flag("--quiet", quiet, "No log lines on stderr");
    app.set_version_flag("--version", std::string("orvane-cli ") + ORVANE_VERSION + " (" +
                                          orvane::PixelLibraryVersions() + ")");
    // "/x" is a seed or a folder, never an option, as on Linux.
    app.allow_windows_style_options(false);
    try {
        const std::vector<std::string> arguments = orvane::cli::Utf8Arguments(argc, argv);
        std::vector<const char*> pointers;
        for (const std::string& argument : arguments) pointers.push_back(argument.c_str());
        app.parse(static_cast<int>(pointers.size()), pointers.data());
    } catch (const CLI::ParseError& e) {
        const int helpStatus = app.exit(e);  // prints the help, or the error and a hint
        return e.get_exit_code() == 0 ? helpStatus : kBadArguments;
    }
    if (app.count("--out") > 0 && out.empty()) {
        std::cerr << "orvane-cli: --out needs a folder name\n";
        return kBadArguments;
    }

    orvane::cli::WatchInterrupts();
    try {
        const std::filesystem::path folder = MapsFolder(out, quiet);
        if (folder.empty()) return kFailed;
        CliListener listener(quiet, json, wfw, separator);
        orvane::Random rng;
        orvane::ApplyStartSeed(rng);
        orvane::WeaponChooser chooser;
        orvane::RunContext ctx{rng, chooser, listener, folder, separator, wfw};
        if (seeds.empty() && count == 0) count = 1;
        int status = 0;
        for (const std::string& text : seeds) {
            const std::string cleaned = orvane::CleanSeed(text);
            const auto outcome = orvane::RunSeeded(ctx, cleaned);
            if (outcome == orvane::RunOutcome::EmptySeed) {
                if (quiet) std::cerr << "Empty seed\n";
                status = kFailed;
            }
            if (outcome == orvane::RunOutcome::QuitRequested) return orvane::cli::InterruptStatus();
        }
        if (count > 0 &&
            orvane::GenerateMaps(ctx, count, count > 1, "") == orvane::RunOutcome::QuitRequested)
            return orvane::cli::InterruptStatus();
        return status;
    } catch (const std::exception& e) {
        std::cerr << "orvane-cli: " << e.what() << "\n";
        return kFailed;
    }
}
