#pragma once
// Where level files go and how they are written: atomically (a temporary file renamed into
// place), never half-written, and an unseeded map never replaces an existing file.
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace orvane {

// <folder of the executable>/User/SavedLevels
std::filesystem::path DefaultSavedLevelsFolder();

// Throws RunError with the path when `folder` is not an existing folder.
void RequireFolder(const std::filesystem::path& folder);

// Writes `bytes` as `folder`/`name` and returns the name used. With `replace` an existing file
// of that name is replaced; without it the first free name NAME_2.png, NAME_3.png, ... is
// taken. Throws RunError (with the path and the system's reason) on any failure; no partial
// file remains then and an existing file is left untouched.
std::string SaveLevelFile(const std::filesystem::path& folder, const std::string& name,
                          std::span<const std::uint8_t> bytes, bool replace);

}  // namespace orvane
