#include "app/HeldListener.h"

namespace orvane {

void HeldListener::Release() {
    held_ = false;
    for (const Event& e : queue_) Send(e);
    queue_.clear();
}

void HeldListener::Pass(Kind kind, const std::string& text) {
    if (held_)
        queue_.push_back({kind, text});
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
