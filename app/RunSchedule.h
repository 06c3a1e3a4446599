#pragma once
// How a run spreads its maps over the machine: how many threads it keeps busy, when a map's
// saving runs beside the next maps, and how much memory those saves may hold. What happens to
// a map is Run.cpp's; nothing here changes a byte of any file.
#include <cstddef>
#include <functional>

#include "app/RunListener.h"
#include "app/SaveQueue.h"

namespace orvane {

// The most threads a run uses when the machine has more. Maps are made one after another (each
// unseeded map's seed is drawn after the map before it), so besides the map being made there is
// only earlier maps' saving and the two-way split of the largest pixel passes to run. Measured
// on a fixed-seed batch of 64 (`orvane-cli --threads 2`): the making thread used 1.10-1.19 s of
// the run's 1.73-1.88 s CPU, so the whole is 1.6 threads' worth and a third thread would find
// nothing the second does not already take. The second buys a sixth of a batch (the same 64
// maps, medians of 7 alternated runs on a quiet 2-core VM: 1.29 s wall, against 1.57 s on one
// thread and 1.30 s on three) for 10 % more CPU and 9 MB more peak memory.
// Off: `orvane-cli --threads 1`, or kThreadCap = 1 for both programs.
constexpr unsigned kThreadCap = 2;

// The machine's hardware threads, from 1 to kThreadCap (1 when the system does not say).
unsigned MachineThreads();

// Reports a saved map to the front end; true ends the run (the player asked to quit).
using Announce = std::function<bool(const MapReport&)>;

class RunSchedule {
  public:
    // `threads`: how many threads the run may keep busy; 1 makes and saves each map in turn.
    explicit RunSchedule(unsigned threads);

    // How many threads the next map's pixel passes may use.
    unsigned MakingThreads() const;
    // How many threads a map's encoding may use; `last`: no map is made beside it.
    unsigned EncodingThreads(bool last) const;
    // Whether earlier maps are still being saved (their reports are then still to come).
    bool Saving() const { return !queue_.Empty(); }

    // Called by a map before it allocates a map-size picture of `bytes`: waits for earlier
    // maps' saves while all together would pass the memory budget.
    void AwaitRoom(std::size_t bytes);
    // Saves a made map, at once or beside the next maps, and reports the maps saved so far in
    // order; true when `announce` ended the run.
    bool Save(SaveWork work, const Announce& announce);
    // Waits for and reports every map still being saved; true when `announce` ended the run.
    bool Finish(const Announce& announce);

  private:
    unsigned threads_;
    SaveQueue queue_;
};

}  // namespace orvane
