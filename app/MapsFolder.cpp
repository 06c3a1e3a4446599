#include "app/MapsFolder.h"

#include "app/Printable.h"
#include "app/platform/PathText.h"
#include "app/platform/SaveFile.h"

namespace orvane {
namespace fs = std::filesystem;

MapsFolderChoice ChooseMapsFolder(const fs::path& commandLine, const Settings& settings,
                                  const fs::path& programFolder) {
    if (!commandLine.empty()) return {commandLine, FolderSource::CommandLine};
    if (settings.mapsFolder) return {*settings.mapsFolder, FolderSource::Remembered};
    const fs::path beside = programFolder / "User" / "SavedLevels";
    std::error_code ec;
    if (!programFolder.empty() && fs::is_directory(beside, ec))
        return {beside, FolderSource::BesideProgram};
    return {};
}

std::string FolderProblem(const fs::path& folder) {
    if (folder.empty()) return "No folder for maps has been chosen";
    // The system's own reason: a folder behind a locked parent is not a missing folder.
    const std::string text = Printable(PathText(folder));
    using Fault = platform::FolderCheck::Fault;
    switch (const platform::FolderCheck check = platform::CheckFolder(PathText(folder));
            check.fault) {
        case Fault::None:
            break;
        case Fault::Missing:
            return "The saved-levels folder does not exist: " + text;
        case Fault::NotAFolder:
            return "Not a folder: " + text;
        case Fault::Other:
            return "Cannot write in " + text + ": " + check.reason;
    }
    return {};
}

std::string DescribeSource(FolderSource source) {
    switch (source) {
        case FolderSource::CommandLine:
            return "given with --out";
        case FolderSource::Remembered:
            return "remembered";
        case FolderSource::BesideProgram:
            return "beside the program";
        case FolderSource::None:
            break;
    }
    return "none";
}

}  // namespace orvane
