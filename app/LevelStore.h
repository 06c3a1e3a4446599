#pragma once
// How level files are written: whole or not at all whenever the process dies,
// synced before they count as saved, and an unseeded map never replaces an existing file.
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace orvane {

// Throws RunError with the path and the reason when `folder` is not an existing folder this
// process can save in.
void RequireFolder(const std::filesystem::path& folder);

// Writes `bytes` as `folder`/`name` and returns the name used. With `replace` an existing file
// of that name is replaced; without it the first free name NAME_2.png, NAME_3.png, ... is
// taken. Throws RunError (with the path and the system's reason) on any failure; no new file
// remains then and an existing file is left untouched.
std::string SaveLevelFile(const std::filesystem::path& folder, const std::string& name,
                          std::span<const std::uint8_t> bytes, bool replace);

}  // namespace orvane
