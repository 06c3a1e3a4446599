// orvane-cli: the map run without a window, for scripts, tests and benchmarks. The same seed
// and mode give the same bytes as the window. Exit status: 0 every map saved, 1 a map could not
// be made or saved (or a seed was empty; the other maps are still made), 2 bad arguments, 3 the
// maps were saved but stdout (the --json report) could not be written, the interruption's status
// (130, 143) once the map being made is finished and saved (app/cli/Interrupt.h).
#include <CLI/CLI.hpp>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <iostream>
#include <optional>

#include "app/LevelStore.h"
#include "app/MapsFolder.h"
#include "app/Printable.h"
#include "app/Run.h"
#include "app/RunEnvironment.h"
#include "app/Seed.h"
#include "app/cli/Arguments.h"
#include "app/cli/Interrupt.h"
#include "app/cli/Json.h"
#include "app/cli/StandardStreams.h"
#include "app/platform/DecimalSeparator.h"
#include "app/platform/PathText.h"
#include "app/platform/ProgramFolder.h"
#include "canvas/LibraryVersions.h"

namespace {

constexpr int kFailed = 1;
constexpr int kBadArguments = 2;
constexpr int kOutputLost = 3;
constexpr int kMaxCount = 100000;
// More than a run can use (see kThreadCap), so that a timing can show it.
constexpr int kMaxThreads = 16;

// A count is digits only: no sign, spaces, hexadecimal or octal (010 is ten).
std::optional<int> ParseCount(const std::string& text, int most) {
    unsigned count = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, count);
    if (error != std::errc{} || stop != end || count < 1 || count > static_cast<unsigned>(most))
        return std::nullopt;
    return static_cast<int>(count);
}

// The number given with `option`; nothing, having said why on stderr, when it is no count.
std::optional<int> NumberOption(const std::string& option, const std::string& text, int most) {
    const std::optional<int> parsed = ParseCount(text, most);
    if (!parsed)
        std::cerr << "orvane-cli: " << option << " needs a decimal number from 1 to " << most
                  << ", not \"" << orvane::Printable(text) << "\"\n";
    return parsed;
}

// Flushes stdout; false, having said on stderr that `what` was lost, when any of it was not
// written. `firstError`: an error met before, 0 for none.
bool StdoutWritten(int firstError, const std::string& what) {
    errno = 0;
    std::cout.flush();
    if (std::cout && firstError == 0) return true;
    const int err = firstError != 0 ? firstError : errno != 0 ? errno : EIO;
    std::cerr << "orvane-cli: " << what << " could not be written to stdout: " << std::strerror(err)
              << "\n";
    return false;
}

class CliListener : public orvane::RunListener {
  public:
    // `stdoutError`: the error writing to stdout would meet from the start, 0 for none.
    CliListener(bool quiet, bool json, bool wfw, std::string separator, int stdoutError)
        : quiet_(quiet),
          json_(json),
          wfw_(wfw),
          separator_(std::move(separator)),
          stdoutError_(stdoutError) {}

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
        ++saved_;
        if (!json_ || stdoutError_ != 0) return;
        errno = 0;
        std::cout << orvane::MapReportJson(report, wfw_, separator_) << std::endl;
        if (!std::cout) stdoutError_ = errno != 0 ? errno : EIO;
    }

    int Saved() const { return saved_; }
    // The first error of writing the report, 0 while none.
    int StdoutError() const { return stdoutError_; }

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
    int saved_ = 0;
    int stdoutError_;
};

// The folder maps go to, said on stderr; empty (with the reason said) when there is none.
std::filesystem::path MapsFolder(const std::string& out, bool quiet) {
    const auto loaded = orvane::LoadSettings(orvane::SettingsFile());
    if (!loaded.problem.empty())
        std::cerr << "orvane-cli: " << orvane::Printable(loaded.problem) << "\n";
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
        std::cerr << "Maps go to " << orvane::Printable(orvane::PathText(choice.folder)) << " ("
                  << orvane::DescribeSource(choice.source) << ")\n";
    return choice.folder;
}

// Makes the maps of the seeds, then `count` unseeded ones. A seed whose map fails is said on
// stderr and the rest are still made, as after an empty seed; a failure among the unseeded maps
// ends them, saying how many were not made. 0, kFailed, or the interruption's status.
int MakeMaps(orvane::RunContext& ctx, const CliListener& listener,
             const std::vector<std::string>& seeds, int count, bool quiet) {
    int status = 0;
    for (const std::string& text : seeds) {
        const std::string cleaned = orvane::CleanSeed(text);
        try {
            const auto outcome = orvane::RunSeeded(ctx, cleaned);
            if (outcome == orvane::RunOutcome::QuitRequested) return orvane::cli::InterruptStatus();
            if (outcome == orvane::RunOutcome::EmptySeed) {
                if (quiet) std::cerr << "Empty seed\n";
                status = kFailed;
            }
        } catch (const std::exception& e) {
            std::cerr << "orvane-cli: the map of seed \"" << cleaned
                      << "\" was not made: " << orvane::Printable(e.what()) << "\n";
            status = kFailed;
        }
    }
    if (count == 0) return status;
    const int savedBefore = listener.Saved();
    try {
        if (orvane::GenerateMaps(ctx, count, count > 1, "") == orvane::RunOutcome::QuitRequested)
            return orvane::cli::InterruptStatus();
    } catch (const std::exception& e) {
        std::cerr << "orvane-cli: " << orvane::Printable(e.what())
                  << "\norvane-cli: " << count - (listener.Saved() - savedBefore) << " of the "
                  << count << " unseeded maps were not made\n";
        return kFailed;
    }
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    const int stdoutError = orvane::cli::KeepStandardStreamsOpen();
    orvane::cli::UseUtf8Console();
    const std::string separator = orvane::UserDecimalSeparator();

    CLI::App app{"Makes random maps and saves them as level files."};
    std::vector<std::string> seeds;
    std::string countText;
    std::string threadsText;
    bool wfw = false;
    bool json = false;
    bool quiet = false;
    std::string out;
    app.add_option("--seed", seeds, "Make the map of this seed (repeatable)");
    app.add_option("--count", countText, "Make this many unseeded maps, 1 to 100000");
    app.add_flag("--wfw", wfw, "Walk-for-weapons mode: framed weapon pictures, names with W_");
    app.add_option("--out", out,
                   "Folder for the maps (default: the folder chosen in the window, else "
                   "User/SavedLevels beside the program)");
    app.add_option("--threads", threadsText,
                   "Threads to use, 1 to 16 (default: the machine's, at most " +
                       std::to_string(orvane::kThreadCap) + "); the maps are the same");
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
        errno = 0;
        const int helpStatus = app.exit(e);  // prints the help, or the error and a hint
        if (e.get_exit_code() != 0) return kBadArguments;
        const int printError = std::cout ? 0 : errno;
        return StdoutWritten(stdoutError != 0 ? stdoutError : printError,
                             "The help or version text")
                   ? helpStatus
                   : kOutputLost;
    }
    int count = 0;
    if (app.count("--count") > 0) {
        const std::optional<int> parsed = NumberOption("--count", countText, kMaxCount);
        if (!parsed) return kBadArguments;
        count = *parsed;
    }
    unsigned threads = orvane::MachineThreads();
    if (app.count("--threads") > 0) {
        const std::optional<int> parsed = NumberOption("--threads", threadsText, kMaxThreads);
        if (!parsed) return kBadArguments;
        threads = static_cast<unsigned>(*parsed);
    }
    if (app.count("--out") > 0 && out.empty()) {
        std::cerr << "orvane-cli: --out needs a folder name\n";
        return kBadArguments;
    }
    if (const std::string problem = orvane::StartSeedProblem(); !problem.empty()) {
        std::cerr << "orvane-cli: " << problem << "\n";
        return kBadArguments;
    }

    orvane::cli::WatchInterrupts();
    CliListener listener(quiet, json, wfw, separator, json ? stdoutError : 0);
    int status = kFailed;
    try {
        const std::filesystem::path folder = MapsFolder(out, quiet);
        if (!folder.empty()) {
            orvane::Random rng;
            orvane::ApplyStartSeed(rng);
            orvane::WeaponChooser chooser;
            orvane::RunContext ctx{rng, chooser, listener, folder, separator, wfw};
            ctx.threads = threads;
            if (seeds.empty() && count == 0) count = 1;
            status = MakeMaps(ctx, listener, seeds, count, quiet);
        }
    } catch (const std::exception& e) {
        std::cerr << "orvane-cli: " << orvane::Printable(e.what()) << "\n";
    }
    // Maps saved but not reported are no success for a script that reads the report.
    if (json && !StdoutWritten(listener.StdoutError(), "The JSON report of the saved maps") &&
        status == 0)
        status = kOutputLost;
    return status;
}
