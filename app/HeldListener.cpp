#include "app/HeldListener.h"

namespace orvane {

void HeldListener::ReleaseOldest() {
    if (held_.empty()) return;
    const std::vector<Event> oldest = std::move(held_.front());
    held_.pop_front();
    for (const Event& e : oldest) Send(e);
}

void HeldListener::Pass(Kind kind, const std::string& text) {
    if (!held_.empty())
        held_.back().push_back({kind, text});
    else
        Send({kind, text});
}

void HeldListener::Send(const Event& e) {
    switch (e.kind) {
        case Kind::Replace:
            target_.ReplaceLog(e.text);
            break;
        case Kind::Append:
            target_.Append(e.text);
            break;
        case Kind::Diagnostic:
            target_.Diagnostic(e.text);
            break;
    }
}

}  // namespace orvane
