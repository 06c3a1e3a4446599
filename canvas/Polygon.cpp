// The pending polygon: filled by the even-odd rule at pixel centres, stroked with the pen.
#include <algorithm>
#include <cmath>
#include <vector>

#include "canvas/Canvas.h"
#include "raster/Raster.h"

namespace orvane {
namespace {

struct Edge {
    double x0, y0, dx, dy;  // from the upper end to the lower one: dy > 0
    std::int64_t firstRow, lastRow;
};

// Where an active edge crosses the current row.
struct Crossing {
    double x;
    const Edge* edge;
};

}  // namespace

void Canvas::AddPolyPoint(std::int32_t x, std::int32_t y) {
    polyX_.push_back(x);
    polyY_.push_back(y);
}

void Canvas::ClearPolyPoints() {
    polyX_.clear();
    polyY_.clear();
}

void Canvas::DrawPolyline() {
    raster::StrokePolyline(Grid(), polyX_, polyY_, false, penColour_, raster::BrushSize(penWidth_));
}

void Canvas::FillPolygon() {
    const std::size_t n = polyX_.size();
    if (n == 0) return;
    // A pixel is inside when its centre (x + 0.5, y + 0.5) is; vertices are whole numbers, so a
    // centre row never passes through one, and a centre exactly on an edge counts on the left
    // side only. Edges are kept sorted by first row and made active as the scan reaches them.
    // Texture blobs make thousands of small polygons a map: the lists are kept between calls
    // (per thread) instead of allocated for each.
    thread_local std::vector<Edge> edges;
    thread_local std::vector<Crossing> active;
    edges.clear();
    active.clear();
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t j = (i + 1) % n;
        double x0 = polyX_[i], y0 = polyY_[i], x1 = polyX_[j], y1 = polyY_[j];
        if (y0 == y1) continue;
        if (y0 > y1) {
            std::swap(x0, x1);
            std::swap(y0, y1);
        }
        // Rows whose centre lies in [y0, y1).
        const auto firstRow = static_cast<std::int64_t>(std::ceil(y0 - 0.5));
        const auto lastRow = static_cast<std::int64_t>(std::ceil(y1 - 0.5)) - 1;
        edges.push_back({x0, y0, x1 - x0, y1 - y0, firstRow, lastRow});
    }
    std::sort(edges.begin(), edges.end(),
              [](const Edge& a, const Edge& b) { return a.firstRow < b.firstRow; });

    std::int64_t top = edges.empty() ? 0 : std::max<std::int64_t>(edges.front().firstRow, 0);
    std::int64_t bottom = -1;
    for (const Edge& e : edges) bottom = std::max(bottom, e.lastRow);
    bottom = std::min<std::int64_t>(bottom, height_ - 1);

    std::size_t next = 0;
    for (std::int64_t y = top; y <= bottom; ++y) {
        while (next < edges.size() && edges[next].firstRow <= y)
            active.push_back({0.0, &edges[next++]});
        std::erase_if(active, [y](const Crossing& c) { return c.edge->lastRow < y; });
        const double cy = static_cast<double>(y) + 0.5;
        for (Crossing& c : active) c.x = c.edge->x0 + (cy - c.edge->y0) * c.edge->dx / c.edge->dy;
        // Kept in the order of the row before, which crossings seldom change: the rows of a
        // wavy outline cross it many times, and sorting each row from scratch cost more.
        for (std::size_t k = 1; k < active.size(); ++k) {
            const Crossing c = active[k];
            std::size_t m = k;
            for (; m > 0 && c.x < active[m - 1].x; --m) active[m] = active[m - 1];
            active[m] = c;
        }
        for (std::size_t k = 0; k + 1 < active.size(); k += 2) {
            // Centres in [a, b): columns ceil(a - 0.5) .. ceil(b - 0.5) - 1.
            const double a = std::ceil(active[k].x - 0.5);
            const double b = std::ceil(active[k + 1].x - 0.5) - 1.0;
            if (a > b) continue;
            raster::FillRow(Grid(), y, static_cast<std::int64_t>(std::max(a, -1.0)),
                            static_cast<std::int64_t>(std::min(b, double(width_))), fillColour_);
        }
    }

    // The outline: the open polyline, then its closing segment.
    raster::StrokePolyline(Grid(), polyX_, polyY_, true, penColour_, raster::BrushSize(penWidth_));
}

}  // namespace orvane
