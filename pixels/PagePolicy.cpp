#include "pixels/PagePolicy.h"

namespace orvane::pixels {

PagePlan ChoosePages(const PageFacts& facts) {
    const bool atHand = facts.sinceLargeFreed && *facts.sinceLargeFreed < kPagesAtHand;
    switch (facts.mode) {
        case HugePageMode::Never:
            // Small pages whatever is asked: only the helper thread saves the drawing time.
            return {PageAdvice::None, true};
        case HugePageMode::Always:
            // The system's own choice is kept; after a pause its large pages may be slow to
            // come, so the helper thread takes those faults.
            return {PageAdvice::None, !atHand};
        case HugePageMode::Madvise:
        case HugePageMode::Unknown:
            break;
    }
    // Asking for large pages helps only while freed ones are at hand.
    if (atHand) return {PageAdvice::Huge, false};
    return {PageAdvice::None, true};
}

HugePageMode ParseHugePageMode(std::string_view setting) {
    const auto open = setting.find('[');
    const auto close = setting.find(']', open);
    if (open == std::string_view::npos || close == std::string_view::npos)
        return HugePageMode::Unknown;
    const std::string_view word = setting.substr(open + 1, close - open - 1);
    if (word == "always") return HugePageMode::Always;
    if (word == "madvise") return HugePageMode::Madvise;
    if (word == "never") return HugePageMode::Never;
    return HugePageMode::Unknown;
}

}  // namespace orvane::pixels
