// PLACEHOLDER: the picture effects come with the finishing stage.
#include "canvas/Canvas.h"

namespace orvane {

void Canvas::ApplyEffect1() {}
void Canvas::ApplyEffect2A() {}
void Canvas::ApplyEffect2B() {}
void Canvas::ApplyEffect2C() {}
void Canvas::ApplyEffect3A() {}
void Canvas::ApplyEffect3B() {}
void Canvas::ApplyEffect4A() {}
void Canvas::ApplyEffect4B() {}
void Canvas::ApplyEffect4C() {}
void Canvas::ApplyEffect5A() {}
void Canvas::ApplyEffect5B() {}
void Canvas::ApplyEffect6() {}
void Canvas::ApplyEffect7(std::int32_t, Colour) {}

}  // namespace orvane
