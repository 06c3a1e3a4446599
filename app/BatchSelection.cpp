#include "app/BatchSelection.h"

#include <algorithm>
#include <system_error>

#include "app/Printable.h"
#include "app/platform/PathText.h"

namespace orvane {
namespace {

constexpr std::size_t kUndoSteps = 100;  // far more than a player takes back; bounds memory

std::string NameOf(const BatchMap& map) {
    return Printable(PathText(map.path.filename()));
}

}  // namespace

void BatchSelection::Clear() {
    maps_.clear();
    undo_.clear();
}

void BatchSelection::Add(BatchMap map) {
    maps_.push_back(std::move(map));
}

std::vector<std::size_t> BatchSelection::Shown() const {
    std::vector<std::size_t> shown;
    for (std::size_t i = 0; i < maps_.size(); ++i)
        if (!maps_[i].trashed && !maps_[i].gone) shown.push_back(i);
    return shown;
}

void BatchSelection::DropMissing() {
    for (BatchMap& map : maps_) {
        std::error_code ec;
        if (!map.trashed && !std::filesystem::exists(map.path, ec)) map.gone = true;
    }
}

std::vector<Mark> BatchSelection::Marks() const {
    std::vector<Mark> marks;
    for (const BatchMap& map : maps_) marks.push_back(map.mark);
    return marks;
}

void BatchSelection::Remember(const std::vector<Mark>& before) {
    if (before != Marks()) Push({before, {}});
}

void BatchSelection::Push(Step step) {
    if (undo_.size() == kUndoSteps) undo_.erase(undo_.begin());
    undo_.push_back(std::move(step));
}

void BatchSelection::SetMark(std::size_t i, Mark mark) {
    const auto before = Marks();
    maps_.at(i).mark = mark;
    Remember(before);
}

void BatchSelection::KeepAll() {
    const auto before = Marks();
    for (std::size_t i : Shown()) maps_[i].mark = Mark::Keep;
    Remember(before);
}

void BatchSelection::ThrowAwayRest() {
    const auto before = Marks();
    for (std::size_t i : Shown())
        if (maps_[i].mark != Mark::Keep) maps_[i].mark = Mark::ThrowAway;
    Remember(before);
}

std::size_t BatchSelection::Marked(Mark mark) const {
    const auto shown = Shown();
    return static_cast<std::size_t>(std::count_if(
        shown.begin(), shown.end(), [&](std::size_t i) { return maps_[i].mark == mark; }));
}

std::vector<std::string> BatchSelection::ThrowAwayMarked(const TrashFunction& trash) {
    std::vector<std::string> problems;
    Step step{Marks(), {}};
    for (std::size_t i : Shown()) {
        BatchMap& map = maps_[i];
        if (map.mark != Mark::ThrowAway) continue;
        std::error_code ec;
        const auto bytes = std::filesystem::file_size(map.path, ec);
        if (ec || bytes != map.fileBytes) {
            problems.push_back(
                NameOf(map) +
                (ec ? " is no longer in the folder" : " has changed since it was made") +
                "; left as it is.");
            continue;
        }
        try {
            map.trashed = trash(map.path);
            step.trashed.push_back(i);
        } catch (const platform::TrashError& e) {
            problems.push_back(NameOf(map) + " stays: " + Printable(e.what()));
        }
    }
    if (!step.trashed.empty()) Push(std::move(step));
    return problems;
}

std::vector<std::string> BatchSelection::Undo(const RestoreFunction& restore) {
    std::vector<std::string> problems;
    if (undo_.empty()) return problems;
    const Step step = std::move(undo_.back());
    undo_.pop_back();
    for (std::size_t i : step.trashed) {
        BatchMap& map = maps_[i];
        try {
            restore(*map.trashed);
            map.trashed.reset();
        } catch (const platform::TrashError& e) {
            problems.push_back(NameOf(map) + " stays in the trash: " + Printable(e.what()));
        }
    }
    for (std::size_t i = 0; i < maps_.size(); ++i) maps_[i].mark = step.marks[i];
    return problems;
}

}  // namespace orvane
