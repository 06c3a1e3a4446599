#pragma once
// Which folder maps go to, first that applies: the command line's --out; the folder the player
// chose in the window (remembered in the settings); User/SavedLevels beside the program, when
// it exists, so a copy of the program in the game's folder needs no settings. An installed
// program has no such folder beside it, so it never writes beside itself.
#include <filesystem>
#include <string>

#include "app/Settings.h"

namespace orvane {

enum class FolderSource { CommandLine, Remembered, BesideProgram, None };

struct MapsFolderChoice {
    std::filesystem::path folder;  // empty with FolderSource::None
    FolderSource source = FolderSource::None;
};

MapsFolderChoice ChooseMapsFolder(const std::filesystem::path& commandLine,
                                  const Settings& settings,
                                  const std::filesystem::path& programFolder);

// Empty when maps can be saved in `folder` (an existing folder that takes a new file);
// otherwise why not, naming the path (its control characters escaped).
std::string FolderProblem(const std::filesystem::path& folder);

// "given with --out", "remembered", "beside the program".
std::string DescribeSource(FolderSource source);

}  // namespace orvane
