#pragma once
// A listener in front of the real one that can hold back what maps report while earlier maps
// are still being saved on other threads, so the front end sees every map's lines in order:
// one map's "-- end" always comes before the next map's start line.
#include <deque>
#include <string>
#include <vector>

#include "app/RunListener.h"

namespace orvane {

class HeldListener : public RunListener {
  public:
    explicit HeldListener(RunListener& target) : target_(target) {}

    // Holds back the lines of the map about to start until ReleaseOldest lets them through.
    void Hold() { held_.emplace_back(); }
    // Passes on the lines of the oldest held map; when it is the map being made, its next
    // lines pass straight on.
    void ReleaseOldest();

    void ReplaceLog(const std::string& text) override { Pass(Kind::Replace, text); }
    void Append(const std::string& text) override { Pass(Kind::Append, text); }
    void Diagnostic(const std::string& message) override { Pass(Kind::Diagnostic, message); }
    void BatchCaption(const std::string& text) override { target_.BatchCaption(text); }
    void ProcessEvents() override { target_.ProcessEvents(); }
    void ClearQuitRequest() override { target_.ClearQuitRequest(); }
    bool QuitRequested() const override { return target_.QuitRequested(); }
    PreviewBounds PreviewSize() const override { return target_.PreviewSize(); }
    PreviewBounds ThumbnailSize() const override { return target_.ThumbnailSize(); }
    void MapSaved(const MapReport& report) override { target_.MapSaved(report); }

  private:
    enum class Kind { Replace, Append, Diagnostic };
    struct Event {
        Kind kind;
        std::string text;
    };
    void Pass(Kind kind, const std::string& text);
    void Send(const Event& e);

    RunListener& target_;
    std::deque<std::vector<Event>> held_;  // one entry per held map, oldest first
};

}  // namespace orvane
