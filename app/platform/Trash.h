#pragma once
// Throwing a map away: it goes to the system's trash, never straight to oblivion, and one undo
// brings it back to where it was. On Linux that is the freedesktop.org trash (the home trash,
// or the trash at the top of the file system the file lives on, so nothing is ever copied
// between disks); on Windows the Recycle Bin through the shell.
#include <filesystem>
#include <stdexcept>
#include <string>

namespace orvane::platform {

struct TrashedFile {
    std::filesystem::path original;  // where it was
    std::filesystem::path inTrash;   // where it lies now (Linux; empty on Windows)
    std::filesystem::path info;      // Linux: its .trashinfo file
    // Windows: the Recycle Bin's own name for the item (UTF-8), so undo restores this deletion
    // and not an older one of the same name. Empty when the bin did not show the item.
    std::string binName;
};

// A message for the player: what could not be done and the system's reason.
struct TrashError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Moves `file` into the trash. On failure throws TrashError and the file stays where it was.
TrashedFile MoveToTrash(const std::filesystem::path& file);

// Puts it back where it was. Throws TrashError, leaving it in the trash, when something now lies
// at the original place or it is no longer in the trash; never overwrites a file.
void RestoreFromTrash(const TrashedFile& item);

}  // namespace orvane::platform
