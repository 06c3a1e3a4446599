// Effects that move or cut land: swirl, waves and crumble. They are the only effects that
// change which pixels are land, so each ends by sweeping away the specks it could leave.
#include <cmath>

#include "canvas/Canvas.h"
#include "canvas/effects/EffectSupport.h"

namespace orvane {

namespace {

constexpr double kPi = 3.141592653589793;

// Smooth noise in [0, 1): hashed values on a lattice, blended bilinearly, so cuts come out as
// rounded bites rather than single pixels.
double LatticeNoise(int x, int y, int spacing, std::uint32_t salt) {
    const int gx = x / spacing;
    const int gy = y / spacing;
    const double fx = static_cast<double>(x % spacing) / spacing;
    const double fy = static_cast<double>(y % spacing) / spacing;
    const auto at = [salt](int i, int j) {
        return static_cast<double>(
                   fx::Hash(static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(j), salt) >>
                   16) /
               65536.0;
    };
    const double top = at(gx, gy) + (at(gx + 1, gy) - at(gx, gy)) * fx;
    const double bottom = at(gx, gy + 1) + (at(gx + 1, gy + 1) - at(gx, gy + 1)) * fx;
    return top + (bottom - top) * fy;
}

}  // namespace

void Canvas::ApplyEffect4C() {
    const fx::Image img{pixels_, width_, height_};
    const double cx = width_ / 2.0;
    const double cy = height_ / 2.0;
    const double radius = 0.4 * (width_ + height_);
    const double maxTurn = fx::OptionA(effectOptionA_) * 9.0 * kPi / 180.0;  // 45..180 degrees
    if (radius <= 0) return;
    // The turn depends on the distance alone: tabulate it at 1/8 pixel steps.
    constexpr int kSteps = 8;
    const auto entries = static_cast<std::size_t>(radius * kSteps) + 2;
    std::vector<double> cosT(entries), sinT(entries);
    for (std::size_t i = 0; i < entries; ++i) {
        const double t = 1.0 - std::min(1.0, static_cast<double>(i) / kSteps / radius);
        const double turn = maxTurn * t * t;
        cosT[i] = fx::Cosine(turn);
        sinT[i] = fx::Sine(turn);
    }
    fx::Warp(img, [&](int x, int y, double& sx, double& sy) {
        const double dx = x + 0.5 - cx;
        const double dy = y + 0.5 - cy;
        const double r = std::sqrt(dx * dx + dy * dy);
        const auto i = std::min(static_cast<std::size_t>(r * kSteps), entries - 1);
        // Turning the destination back by the swirl's angle finds where it came from.
        sx = cx + dx * cosT[i] + dy * sinT[i] - 0.5;
        sy = cy - dx * sinT[i] + dy * cosT[i] - 0.5;
    });
}

void Canvas::ApplyEffect5A() {
    const fx::Image img{pixels_, width_, height_};
    const double amplitude = fx::OptionA(effectOptionA_);  // pixels
    const double wavelength = 40.0 + fx::OptionB(effectOptionB_);
    // Rows slide sideways, columns bob half as much on a longer wave.
    std::vector<double> rowShift(static_cast<std::size_t>(std::max(height_, 0)));
    std::vector<double> columnShift(static_cast<std::size_t>(std::max(width_, 0)));
    for (int y = 0; y < height_; ++y)
        rowShift[static_cast<std::size_t>(y)] = amplitude * fx::Sine(2 * kPi * y / wavelength);
    for (int x = 0; x < width_; ++x)
        columnShift[static_cast<std::size_t>(x)] =
            amplitude / 2 * fx::Sine(2 * kPi * x / (1.5 * wavelength) + 1.0);
    fx::Warp(img, [&](int x, int y, double& sx, double& sy) {
        sx = x + rowShift[static_cast<std::size_t>(y)];
        sy = y + columnShift[static_cast<std::size_t>(x)];
    });
}

void Canvas::ApplyEffect6() {
    const fx::Image img{pixels_, width_, height_};
    const int depth = 1 + fx::OptionA(effectOptionA_) / 10;  // 1..3 pixels
    const std::vector<std::uint8_t> dist = fx::DistanceToEmpty(img, depth + 2);
    std::vector<std::uint8_t> band(dist.size(), 0);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                                  static_cast<std::size_t>(x);
            const int d = dist[i];
            if (d == 0 || d > depth + 1) continue;
            band[i] = 1;
            // About a third of the edge keeps its line; elsewhere bites run up to `depth` deep.
            const double bite = (LatticeNoise(x, y, 5, 0x6) - 0.35) / 0.65 * (depth + 1);
            if (d <= depth && d < bite) pixels_[i] = 0;
        }
    }
    // Crumbs cut loose near the edge fall away; land further in is never touched.
    fx::RemoveSpecks(img, 16, &band);
}

}  // namespace orvane
