#pragma once
// The folder of the running program, where a copy installed in the game's folder finds
// User/SavedLevels. One of the few calls that differ between operating systems.
#include <filesystem>

namespace orvane {

// The folder that holds the running executable; throws RunError when the system cannot say.
std::filesystem::path ProgramFolder();

}  // namespace orvane
