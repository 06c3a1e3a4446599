#include "terrain/compose/SurfaceSearch.h"

#include <array>
#include <cmath>
#include <vector>

#include "core/Numeric.h"

namespace orvane {
namespace {

// Surface rows of one column. Most columns have a handful, so they live on the stack; a
// column of many thin layers spills into the heap instead of being cut short.
class SurfaceRows {
  public:
    void Add(std::int32_t row) {
        if (count_ < inline_.size())
            inline_[count_] = row;
        else
            spill_.push_back(row);
        ++count_;
    }
    std::size_t Count() const { return count_; }
    std::int32_t operator[](std::size_t i) const {
        return i < inline_.size() ? inline_[i] : spill_.at(i - inline_.size());
    }

  private:
    std::array<std::int32_t, 32> inline_{};
    std::vector<std::int32_t> spill_;
    std::size_t count_ = 0;
};

}  // namespace

std::optional<std::int32_t> FindSurface(const Canvas& canvas, Random& rng, std::int32_t x,
                                        const TerrainPiece& piece, std::int32_t margin,
                                        std::int32_t minGap) {
    std::int32_t top = CheckedSub(piece.Y, margin);
    if (top < 1) top = 1;
    std::int32_t bottom = CheckedAdd(CheckedAdd(piece.Y, piece.Height), margin);
    if (bottom >= canvas.GetHeight()) bottom = canvas.GetHeight() - 1;

    SurfaceRows rows;
    std::int32_t gapStart = 0;
    for (std::int32_t r = top; r <= bottom; r += 5) {
        if (canvas.GetPixel(x, r) == 0) {
            if (gapStart == 0) gapStart = r;
            continue;
        }
        if (gapStart == 0) continue;  // land with no empty sample above it in this scan
        if (rows.Count() == 0 || r - gapStart >= minGap) {
            // The empty pixel directly above the land, to within the sampling step.
            std::int32_t s = r - 5;
            for (std::int32_t d = 1; d <= 4; ++d) {
                if (canvas.GetPixel(x, r - d) == 0) {
                    s = r - d;
                    break;
                }
            }
            rows.Add(s);
        }
        gapStart = 0;
    }

    if (rows.Count() == 0) return std::nullopt;
    const auto pick = rng.RndInt(static_cast<std::int32_t>(rows.Count()) - 1);
    return rows[static_cast<std::size_t>(pick)];
}

LinePoint RandomPointAround(Random& rng, const TerrainPiece& piece, std::int32_t margin) {
    const std::int32_t spanX = CheckedAdd(piece.Width, CheckedMul(2, margin));
    const std::int32_t spanY = CheckedAdd(piece.Height, CheckedMul(2, margin));
    const std::int32_t x = CheckedAdd(CheckedSub(piece.X, margin), rng.RndInt(spanX));
    const std::int32_t y = CheckedAdd(CheckedSub(piece.Y, margin), rng.RndInt(spanY));
    return {x, y};
}

std::int32_t PointDistance(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
    const double dx = CheckedSub(x2, x1);
    const double dy = CheckedSub(y2, y1);
    return CLng(std::sqrt(dx * dx + dy * dy));
}

double SlopeAngle(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
    if (x1 == x2) return 90.0;
    const double rise = CheckedSub(y2, y1);
    const double run = CheckedSub(x2, x1);
    return std::fabs(std::atan(rise / run)) * 180.0 / kPi;
}

}  // namespace orvane
