#pragma once
// The run driver: one map, a batch, or a seeded map, from the first draw to the file on disk.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "app/RunListener.h"
#include "app/RunSchedule.h"
#include "core/Random.h"
#include "map/MapState.h"
#include "weapons/WeaponChoice.h"

namespace orvane {

// What outlives one map: the generator, the weapon chooser's memory, where maps go.
struct RunContext {
    Random& rng;
    WeaponChooser& chooser;
    RunListener& listener;
    std::filesystem::path folder;        // the saved-levels folder
    std::string decimalSeparator = ".";  // of the user's locale
    bool walkForWeapons = false;
    // How many threads the run may keep busy (RunSchedule.h); 1 makes and saves each map in
    // turn. The maps are the same bytes however many.
    unsigned threads = MachineThreads();
};

enum class RunOutcome { Finished, QuitRequested, EmptySeed };

// Makes and saves `count` maps (64 for the batch command). `seed` names a seeded single map.
// Each unseeded map starts as a seeded one does, from a seed number drawn from the generator
// (reset, seeded, weapon chooser afresh); its report carries the code that makes it again.
// Throws RunError on a failure; maps saved before it stay saved.
RunOutcome GenerateMaps(RunContext& ctx, int count, bool batch, const std::string& seed);

// The seeded command: an empty cleaned seed logs "Empty seed" and makes nothing; otherwise
// the generator is reset and seeded from the seed text, the weapon chooser starts afresh, one
// map is made, and in every case the generator is re-seeded from the clock afterwards.
RunOutcome RunSeeded(RunContext& ctx, const std::string& cleanedSeed);

}  // namespace orvane
