#include "canvas/BandedPainter.h"

#include "canvas/Raster.h"

namespace orvane {
namespace {

// Runs of rows long enough that an outline segment seldom spans two, so each thread skips most
// segments outright. The queuing thread also makes the map's draws, so the other thread takes
// the larger share of each run.
constexpr std::int64_t kPeriod = 128;
constexpr std::int64_t kOwnRows = 52;

}  // namespace

BandedPainter::BandedPainter(Canvas& canvas, bool twoThreads) : canvas_(canvas) {
    if (!twoThreads) return;
    ownRows_ = {kPeriod, 0, kOwnRows};
    otherRows_ = {kPeriod, kOwnRows, kPeriod};
    worker_ = std::thread([this] { Work(); });
}

BandedPainter::~BandedPainter() {
    if (!worker_.joinable()) return;
    {
        std::lock_guard<std::mutex> hold(lock_);
        stop_ = true;
    }
    wake_.notify_one();
    worker_.join();
}

void BandedPainter::DrawPolyline() {
    Paint(false);
}
void BandedPainter::FillPolygon() {
    Paint(true);
}

void BandedPainter::Shape::PaintRows(Canvas& canvas, const raster::RowBand& band) const {
    if (filled)
        raster::FillPolygon(canvas, xs, ys, fill, pen, width, band);
    else
        raster::StrokePolyline(canvas, xs, ys, pen, width, band);
}

void BandedPainter::Paint(bool filled) {
    if (!worker_.joinable()) {
        filled ? canvas_.FillPolygon() : canvas_.DrawPolyline();
        return;
    }
    std::unique_ptr<Shape> shape;
    {
        std::lock_guard<std::mutex> hold(lock_);
        if (!spare_.empty()) {
            shape = std::move(spare_.back());
            spare_.pop_back();
        }
    }
    if (!shape) shape = std::make_unique<Shape>();
    shape->filled = filled;
    shape->fill = canvas_.GetFillColour();
    shape->pen = canvas_.GetPenColour();
    shape->width = raster::BrushSize(canvas_.GetPenWidth());
    shape->xs.assign(canvas_.PolyX().begin(), canvas_.PolyX().end());
    shape->ys.assign(canvas_.PolyY().begin(), canvas_.PolyY().end());
    shape->PaintRows(canvas_, ownRows_);
    {
        std::lock_guard<std::mutex> hold(lock_);
        queued_.push_back(std::move(shape));
    }
    wake_.notify_one();
}

void BandedPainter::Work() {
    std::unique_lock<std::mutex> hold(lock_);
    for (;;) {
        wake_.wait(hold, [&] { return stop_ || next_ < queued_.size(); });
        if (stop_) return;
        // A queued shape stays where it is until this thread has painted it.
        const Shape& shape = *queued_[next_];
        hold.unlock();
        try {
            shape.PaintRows(canvas_, otherRows_);
        } catch (...) {
            hold.lock();
            failed_ = std::current_exception();
            done_.notify_one();
            return;
        }
        hold.lock();
        spare_.push_back(std::move(queued_[next_]));
        if (++next_ == queued_.size()) {
            queued_.clear();
            next_ = 0;
            done_.notify_one();
        }
    }
}

void BandedPainter::Finish() {
    if (!worker_.joinable()) return;
    std::unique_lock<std::mutex> hold(lock_);
    done_.wait(hold, [&] { return failed_ || queued_.empty(); });
    if (failed_) std::rethrow_exception(failed_);
}

}  // namespace orvane
