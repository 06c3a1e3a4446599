#pragma once
// A listener in front of the real one that can hold back what a map reports while the previous
// map is still being saved on another thread, so the front end sees every map's lines in
// order: one map's "-- end" always comes before the next map's start line.
#include <string>
#include <vector>

#include "app/RunListener.h"

namespace orvane {

class HeldListener : public RunListener {
  public:
    explicit HeldListener(RunListener& target) : target_(target) {}

    // While held, log lines and diagnostics are queued instead of passed on.
    void Hold(bool held) { held_ = held; }
    // Passes on everything queued, in order, and stops holding.
    void Release();

    void ReplaceLog(const std::string& text) override { Pass(Kind::Replace, text); }
    void Append(const std::string& text) override { Pass(Kind::Append, text); }
    void Diagnostic(const std::string& message) override { Pass(Kind::Diagnostic, message); }
    void BatchCaption(const std::string& text) override { target_.BatchCaption(text); }
    void ProcessEvents() override { target_.ProcessEvents(); }
    void ClearQuitRequest() override { target_.ClearQuitRequest(); }
    bool QuitRequested() const override { return target_.QuitRequested(); }
    PreviewBounds PreviewSize() const override { return target_.PreviewSize(); }
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
    bool held_ = false;
    std::vector<Event> queue_;
};

}  // namespace orvane
