#include "app/RunSchedule.h"

#include <algorithm>
#include <thread>

namespace orvane {
namespace {

// What earlier maps' saves may hold together with a picture the run is about to allocate.
// Small maps overlap their saves whole; a large map waits for large saves to end first. With
// the rest of the program this keeps a batch under 64 MB.
constexpr std::size_t kOverlapBytes = std::size_t{36} << 20;
// Made maps that may wait for their saving: more lets the run go on through a slow save, but
// a quit drops them all.
constexpr std::size_t kMapsAhead = 3;

}  // namespace

unsigned MachineThreads() {
    return std::clamp(std::thread::hardware_concurrency(), 1u, kThreadCap);
}

// As many encodings at once as threads: when the run waits for room, they fill every core.
RunSchedule::RunSchedule(unsigned threads)
    : threads_(std::max(threads, 1u)), queue_(kOverlapBytes, threads_) {}

unsigned RunSchedule::MakingThreads() const {
    // Each pending save may be encoding on a thread of its own: beside it, a split pass would
    // only slow it down. The passes split in two at most.
    return threads_ >= queue_.Size() + 2 ? 2 : 1;
}

unsigned RunSchedule::EncodingThreads(bool last) const {
    return threads_ >= 3 || (threads_ == 2 && last) ? 2 : 1;
}

void RunSchedule::AwaitRoom(std::size_t bytes) {
    queue_.AwaitRoom(bytes);  // on one thread the queue stays empty and this returns at once
}

bool RunSchedule::Save(SaveWork work, const Announce& announce) {
    if (threads_ == 1) {
        work.encode();
        return announce(work.write());
    }
    queue_.Push(std::move(work));
    return queue_.Report(announce, std::max<std::size_t>(kMapsAhead, threads_));
}

bool RunSchedule::Finish(const Announce& announce) {
    return queue_.Report(announce, 0);
}

}  // namespace orvane
