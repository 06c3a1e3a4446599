// PLACEHOLDER: canvas operations not built yet. Each moves to its own file when built.
#include "canvas/Canvas.h"
#include "core/RunError.h"

namespace orvane {
namespace {
[[noreturn]] void NotBuilt(const char* what) { throw RunError(std::string("not built: ") + what); }
}  // namespace

std::int32_t Canvas::TextWidth(const std::string&) const { NotBuilt("TextWidth"); }
std::int32_t Canvas::TextHeight(const std::string&) const { NotBuilt("TextHeight"); }
void Canvas::DrawText(const std::string&, std::int32_t, std::int32_t, std::int32_t) { NotBuilt("DrawText"); }
void Canvas::ReduceColours(std::int32_t, std::int32_t, std::int32_t) { NotBuilt("ReduceColours"); }
void Canvas::ReplaceColour(Colour, Colour, std::int32_t) { NotBuilt("ReplaceColour"); }
void Canvas::ResizeImage(std::int32_t, std::int32_t) { NotBuilt("ResizeImage"); }
void Canvas::ResizeCanvas(std::int32_t, std::int32_t, std::int32_t, Colour) { NotBuilt("ResizeCanvas"); }
void Canvas::TransformImage(std::int32_t, std::int32_t) { NotBuilt("TransformImage"); }

}  // namespace orvane
