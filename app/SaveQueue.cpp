#include "app/SaveQueue.h"

#include <chrono>

namespace orvane {
namespace {

template <class Future>
bool Ready(const Future& f) {
    return f.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

}  // namespace

void SaveQueue::Holdings::Set(std::size_t& held, std::size_t bytes) {
    {
        const std::lock_guard lock(mutex);
        held = bytes;
    }
    lowered.notify_all();
}

SaveQueue::~SaveQueue() {
    for (Entry& e : entries_) Allow(e, false);
    entries_.clear();  // each future waits for its thread
}

void SaveQueue::Allow(Entry& e, bool write) {
    if (e.decided) return;
    e.mayWrite.set_value(write);
    e.decided = true;
}

void SaveQueue::Push(SaveWork work) {
    // Enough encodings at a time to fill the cores when the run waits for them; more would only
    // hold more memory. So a map's encoding waits for the one that many places before it.
    std::shared_future<void> turn;
    if (encodingsAtOnce_ > 0 && entries_.size() >= encodingsAtOnce_)
        turn = entries_[entries_.size() - encodingsAtOnce_].encoded;
    Entry& e = entries_.emplace_back();
    e.held = std::make_shared<std::size_t>(work.bytes);  // no thread reads it yet
    std::promise<void> encoded;
    e.encoded = encoded.get_future().share();
    std::shared_future<bool> mayWrite = e.mayWrite.get_future().share();
    e.saved = std::async(std::launch::async, Save, std::move(work), std::move(encoded),
                         std::move(mayWrite), std::move(turn), holdings_, e.held);
}

MapReport SaveQueue::Save(SaveWork work, std::promise<void> encoded,
                          std::shared_future<bool> mayWrite, std::shared_future<void> turn,
                          std::shared_ptr<Holdings> holdings, std::shared_ptr<std::size_t> held) {
    {
        // The encoding holds nothing once it ends, however it ends, so the run never waits for
        // it forever.
        struct Ended {
            Holdings& holdings;
            std::size_t& held;
            std::promise<void>& done;
            ~Ended() {
                holdings.Set(held, 0);
                done.set_value();
            }
        } ended{*holdings, *held, encoded};
        if (turn.valid()) turn.wait();
        // A map dropped before its turn is not encoded at all.
        const bool dropped = Ready(mayWrite) && !mayWrite.get();
        if (!dropped) work.encode();
    }
    return mayWrite.get() ? work.write() : MapReport{};
}

void SaveQueue::AwaitRoom(std::size_t bytes) {
    std::unique_lock lock(holdings_->mutex);
    holdings_->lowered.wait(lock, [&] {
        std::size_t held = 0;
        for (const Entry& e : entries_) held += *e.held;
        return held == 0 || held + bytes <= overlapBytes_;
    });
}

bool SaveQueue::Report(const std::function<bool(const MapReport&)>& announce, std::size_t keep) {
    while (!entries_.empty()) {
        // Every earlier map is reported: the oldest may now write its file.
        Allow(entries_.front(), true);
        if (entries_.size() <= keep && !Ready(entries_.front().saved)) return false;
        std::future<MapReport> saved = std::move(entries_.front().saved);
        entries_.pop_front();
        if (announce(saved.get())) {
            for (Entry& e : entries_) Allow(e, false);
            return true;
        }
    }
    return false;
}

}  // namespace orvane
