#pragma once
// The maps of the last batch as the browser holds them: which ones the player keeps or throws
// away, which lie in the trash, and the steps undo takes back. Knows no window.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/RunListener.h"
#include "app/platform/Trash.h"

namespace orvane {

enum class Mark { Unmarked, Keep, ThrowAway };

struct BatchMap {
    std::filesystem::path path;  // where it was saved
    std::string code;            // the seed text that makes it again
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uintmax_t fileBytes = 0;  // as saved: a file of another size is no longer this map
    MapPreview thumbnail;
    Mark mark = Mark::Unmarked;
    std::optional<platform::TrashedFile> trashed;  // set while it lies in the trash
    bool gone = false;  // left the folder by other means: no longer shown or acted on
};

using TrashFunction = std::function<platform::TrashedFile(const std::filesystem::path&)>;
using RestoreFunction = std::function<void(const platform::TrashedFile&)>;

class BatchSelection {
  public:
    // A new batch: the maps, marks and undo steps of the last one are forgotten.
    void Clear();
    void Add(BatchMap map);
    std::size_t Size() const { return maps_.size(); }
    const BatchMap& At(std::size_t i) const { return maps_.at(i); }
    // The maps in the folder, in the order they were made: what the grid shows.
    std::vector<std::size_t> Shown() const;
    // Stops showing maps that left the folder by other means, so nothing acts on their names.
    void DropMissing();

    // Each of these is one undo step (none when nothing changes).
    void SetMark(std::size_t i, Mark mark);
    void KeepAll();
    void ThrowAwayRest();                 // every shown map not marked to keep
    std::size_t Marked(Mark mark) const;  // among the shown maps

    // Moves the shown maps marked to throw away into the trash, one undo step. A map that
    // cannot be moved, or whose file is no longer the one the batch saved, stays where it
    // is; the returned lines say which and why.
    std::vector<std::string> ThrowAwayMarked(const TrashFunction& trash);

    bool CanUndo() const { return !undo_.empty(); }
    // Takes back the last step: its marks, and the maps it moved to the trash come back.
    std::vector<std::string> Undo(const RestoreFunction& restore);

  private:
    struct Step {
        std::vector<Mark> marks;           // every map's mark before the step
        std::vector<std::size_t> trashed;  // maps the step moved to the trash
    };
    std::vector<Mark> Marks() const;
    void Remember(const std::vector<Mark>& before);
    void Push(Step step);  // the oldest step goes when there are too many

    std::vector<BatchMap> maps_;
    std::vector<Step> undo_;
};

}  // namespace orvane
