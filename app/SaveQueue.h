#pragma once
// Maps made but not yet saved, while the run makes the next ones. Each map's pixel work and
// export run on a thread of their own; its file is written only once every earlier map has
// been reported, so a quit request or a failure still ends a run before any later map is
// saved, exactly as when maps are made and saved one after another.
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>

#include "app/RunListener.h"

namespace orvane {

// One map's saving in two parts, both drawing nothing.
struct SaveWork {
    std::size_t bytes = 0;             // what the encoding holds until it ends
    std::function<void()> encode;      // pixel work and export
    std::function<MapReport()> write;  // the file on disk
};

class SaveQueue {
  public:
    // Encodings hold at most `overlapBytes` together with a picture the run is about to
    // allocate (see AwaitRoom); at most `encodingsAtOnce` of them run at a time.
    SaveQueue(std::size_t overlapBytes, std::size_t encodingsAtOnce)
        : overlapBytes_(overlapBytes), encodingsAtOnce_(encodingsAtOnce) {}
    // Maps never allowed to be written are dropped; waits for their threads.
    ~SaveQueue();
    SaveQueue(const SaveQueue&) = delete;
    SaveQueue& operator=(const SaveQueue&) = delete;

    bool Empty() const { return entries_.empty(); }
    std::size_t Size() const { return entries_.size(); }
    void Push(SaveWork work);
    // Before the run allocates `bytes`: waits until the encodings hold little enough to leave
    // room for it, or nothing at all.
    void AwaitRoom(std::size_t bytes);
    // Reports written maps in order through `announce` (true: end the run, dropping the rest),
    // waiting for them while more than `keep` maps wait; true when `announce` ended the run.
    // Throws a map's failure; later maps are then dropped.
    bool Report(const std::function<bool(const MapReport&)>& announce, std::size_t keep);

  private:
    // What the encodings hold, shared with their threads; every `held` is read and written
    // under `mutex`.
    struct Holdings {
        std::mutex mutex;
        std::condition_variable lowered;
        void Set(std::size_t& held, std::size_t bytes);
    };
    struct Entry {
        std::shared_ptr<std::size_t> held;
        std::shared_future<void> encoded;
        std::future<MapReport> saved;
        std::promise<bool> mayWrite;  // declared last: destroyed first, never left unset
        bool decided = false;
    };
    void Allow(Entry& e, bool write);
    // One map's save on a thread of its own: its encoding in its turn, then its file if it may
    // be written.
    static MapReport Save(SaveWork work, std::promise<void> encoded,
                          std::shared_future<bool> mayWrite, std::shared_future<void> turn,
                          std::shared_ptr<Holdings> holdings, std::shared_ptr<std::size_t> held);

    std::size_t overlapBytes_;
    std::size_t encodingsAtOnce_;
    std::shared_ptr<Holdings> holdings_ = std::make_shared<Holdings>();
    std::deque<Entry> entries_;
};

}  // namespace orvane
