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

// The whole of a small file, following symbolic links; nothing when no file is there. Throws
// RunError with the reason alone (the caller names the file) when it cannot be read, is not a
// regular file once opened (a named pipe, a device, a socket: never waited on nor read), is a
// symbolic link to nothing, or holds more than `maxBytes` bytes.
std::optional<std::string> ReadSmallFile(const std::filesystem::path& file, std::size_t maxBytes);

// The file a save of `file` must replace so that a symbolic link at `file` stays a link: `file`
// itself when it is no link, else the file the link leads to, which need not exist yet. Throws
// RunError with the reason alone when the link cannot be followed.
std::filesystem::path FileBehindLink(const std::filesystem::path& file);

}  // namespace orvane
