#pragma once
// What a run takes from the environment: tests shorten batches, timings fix the start seed.
#include <string>

#include "core/Random.h"

namespace orvane {

// Batch size: 64, or ORVANE_BATCH_SIZE when set (tests shorten the batch with it).
int BatchSize();

// Timing runs compare like with like: with ORVANE_START_SEED set, the unseeded maps of a run
// are the same on both sides. Empty when it is unset or a decimal number from 0 to 4294967295
// (digits only); otherwise why it cannot be used.
std::string StartSeedProblem();

// Seeds `rng` from ORVANE_START_SEED; nothing when it is not set. A value StartSeedProblem
// refuses is said on stderr and ignored.
void ApplyStartSeed(Random& rng);

}  // namespace orvane
