// PLACEHOLDER: canvas operations not built yet. Each moves to its own file when built.
#include "canvas/Canvas.h"
#include "core/RunError.h"

namespace orvane {
namespace {
[[noreturn]] void NotBuilt(const char* what) {
    throw RunError(std::string("not built: ") + what);
}
}  // namespace

void Canvas::ReduceColours(std::int32_t, std::int32_t, std::int32_t) {
    NotBuilt("ReduceColours");
}

}  // namespace orvane
