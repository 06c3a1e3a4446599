#pragma once
// Where the player's settings live and how a settings file is read: the system calls the
// settings need, one small file per system.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

namespace orvane {

// The folder of the program's settings: $XDG_CONFIG_HOME/orvane (by default ~/.config/orvane)
// on Linux, %APPDATA%\Orvane on Windows. Empty when the system names no such place.
std::filesystem::path SettingsFolder();

// Why SettingsFolder() is empty, for a message ("neither XDG_CONFIG_HOME nor HOME is set").
std::string NoSettingsFolderReason();

// The whole of a small file, read without following a symbolic link; nothing when the file
// does not exist. Throws RunError with the reason alone (the caller names the file) when it
// cannot be read, is a symbolic link, or holds more than `maxBytes` bytes.
std::optional<std::string> ReadSmallFile(const std::filesystem::path& file, std::size_t maxBytes);

}  // namespace orvane
