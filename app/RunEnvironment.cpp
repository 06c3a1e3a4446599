#include "app/RunEnvironment.h"

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <optional>

#include "app/Printable.h"

namespace orvane {
namespace {

// ORVANE_START_SEED's number; nothing when it is unset, or with `problem` when it is no number.
// Digits only: strtoul would take "abc" for 0, "-1" for 4294967295 and " 7" for 7.
std::optional<std::uint32_t> ReadStartSeed(std::string& problem) {
    const char* text = std::getenv("ORVANE_START_SEED");
    if (text == nullptr) return std::nullopt;
    const char* end = text + std::strlen(text);
    std::uint32_t seed = 0;
    const auto [stop, error] = std::from_chars(text, end, seed);
    if (error == std::errc{} && stop == end) return seed;
    problem = "ORVANE_START_SEED=\"" + Printable(text) +
              "\" is not a decimal number from 0 to 4294967295";
    return std::nullopt;
}

}  // namespace

int BatchSize() {
    if (const char* env = std::getenv("ORVANE_BATCH_SIZE")) {
        const int n = std::atoi(env);
        if (n >= 1 && n <= 64) return n;
    }
    return 64;
}

std::string StartSeedProblem() {
    std::string problem;
    ReadStartSeed(problem);
    return problem;
}

void ApplyStartSeed(Random& rng) {
    std::string problem;
    if (const auto seed = ReadStartSeed(problem)) {
        rng.Reset();
        rng.Seed(*seed);
    } else if (!problem.empty()) {
        std::cerr << problem << "; it is ignored\n";
    }
}

}  // namespace orvane
