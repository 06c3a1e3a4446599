#include "core/Random.h"

#include <chrono>

namespace orvane {

Random::Random() {
    SeedFromClock();
}

float Random::Rnd() {
    CountDraw();
    // 24 random bits give every float of the form k / 2^24 exactly; the value is never 1.
    return static_cast<float>(engine_() >> 8) * (1.0f / 16777216.0f);
}

std::int32_t Random::RndInt(std::int32_t n) {
    const double u = Rnd();
    const double range = n >= 0 ? static_cast<double>(n) + 1.0 : static_cast<double>(n) - 1.0;
    // |u * range| < 2^31, so the conversion's truncation toward zero is Fix's, without a call.
    return static_cast<std::int32_t>(u * range);
}

void Random::Reset() {
    engine_.seed(Engine::default_seed);
}

void Random::Seed(std::uint32_t n) {
    engine_.seed(n);
}

void Random::SeedFromClock() {
    std::random_device device;
    const auto ticks = static_cast<std::uint64_t>(
        std::chrono::high_resolution_clock::now().time_since_epoch().count());
    std::seed_seq seq{device(), device(), static_cast<std::uint32_t>(ticks),
                      static_cast<std::uint32_t>(ticks >> 32)};
    engine_.seed(seq);
}

}  // namespace orvane
