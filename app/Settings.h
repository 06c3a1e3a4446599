#pragma once
// The player's settings, kept in $XDG_CONFIG_HOME/orvane/settings (default ~/.config/orvane/;
// %APPDATA%\Orvane\settings on Windows): for now the folder maps go to. Both programs read the
// file; only the window writes it. The file is UTF-8 text.
#include <filesystem>
#include <optional>
#include <string>

namespace orvane {

struct Settings {
    std::optional<std::filesystem::path> mapsFolder;  // chosen in the window
};

// What reading the settings gave: a damaged or unreadable file is not fatal, its settings are
// ignored and `problem` says why, for the front end to report once.
struct LoadedSettings {
    Settings settings;
    std::string problem;  // empty when the file was fine or absent
};

// The settings file's path; empty when the system names no settings folder.
std::filesystem::path SettingsFile();

// Reads `file`, following a symbolic link. A missing file gives default settings. Unknown keys
// are reported in `problem` while the known settings still apply.
LoadedSettings LoadSettings(const std::filesystem::path& file);

// Writes `settings` to `file` atomically: a new file in the same folder, synced and renamed
// over the old one, so a crash leaves the old or the new settings, never half a file. Creates
// the folder when needed. A symbolic link at `file` stays: the file it leads to is replaced
// that way instead, in its own folder, which is never created. Throws RunError with the path
// and the reason on failure.
void SaveSettings(const std::filesystem::path& file, const Settings& settings);

}  // namespace orvane
