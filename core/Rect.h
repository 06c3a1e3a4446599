#pragma once
// Rectangles with exclusive Right and Bottom; they intersect when the overlap has positive
// width and height, so rectangles that only touch do not.
#include <algorithm>
#include <cstdint>

namespace orvane {

struct Rect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;

    bool Empty() const { return Right <= Left || Bottom <= Top; }
    bool operator==(const Rect&) const = default;
};

inline bool Intersects(const Rect& a, const Rect& b) {
    if (a.Empty() || b.Empty()) return false;
    return std::max(a.Left, b.Left) < std::min(a.Right, b.Right) &&
           std::max(a.Top, b.Top) < std::min(a.Bottom, b.Bottom);
}

// Whether `box` (possibly of no size) lies within a width x height picture.
inline bool InsidePicture(const Rect& box, std::int32_t width, std::int32_t height) {
    return box.Left >= 0 && box.Top >= 0 && box.Right <= width && box.Bottom <= height &&
           box.Left <= box.Right && box.Top <= box.Bottom;
}

}  // namespace orvane
