#pragma once
// Polylines and polygons painted by two threads: the thread that queues them (the one making a
// map's draws) and a second one. Each paints every shape, but only in its own runs of rows, so
// every pixel takes the same writes in the same order as from one thread: the picture is the
// same. Painting is the larger part of drawing the pieces, and it draws nothing random.
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "canvas/Canvas.h"
#include "canvas/RowBand.h"

namespace orvane {

class BandedPainter {
  public:
    // With `twoThreads` false, every shape is painted whole by the calling thread.
    BandedPainter(Canvas& canvas, bool twoThreads);
    ~BandedPainter();
    BandedPainter(const BandedPainter&) = delete;
    BandedPainter& operator=(const BandedPainter&) = delete;

    // As the canvas's own DrawPolyline and FillPolygon, with its pending points and current
    // pen and fill; the canvas is complete only after Finish.
    void DrawPolyline();
    void FillPolygon();
    // Waits until everything queued is painted: afterwards the canvas may be read or drawn on
    // directly, and more shapes may be queued.
    void Finish();

  private:
    struct Shape {
        bool filled = false;
        Colour fill = 0, pen = 0;
        std::int64_t width = 1;
        std::vector<std::int32_t> xs, ys;
        void PaintRows(Canvas& canvas, const raster::RowBand& band) const;
    };
    // Paints this thread's rows of the canvas's pending shape and queues it for the other.
    void Paint(bool filled);
    void Work();

    Canvas& canvas_;
    raster::RowBand ownRows_, otherRows_;
    // Guarded by `lock_`: shapes waiting for the other thread, in order, and the spent ones
    // kept for reuse (fresh memory is slow to touch, and a map queues megabytes of points).
    std::vector<std::unique_ptr<Shape>> queued_, spare_;
    std::size_t next_ = 0;  // the first queued shape the other thread has not painted
    bool stop_ = false;
    std::exception_ptr failed_;
    std::mutex lock_;
    std::condition_variable wake_, done_;
    std::thread worker_;
};

}  // namespace orvane
