#pragma once
// The one generator every stage draws from. Its draw order is part of every map: a seed gives
// its map only if each stage makes the same draws in the same order.
#include <cstdint>
#include <memory>
#include <random>

namespace orvane {

class Random {
  public:
    Random();  // seeded from the clock
    Random(const Random&) = default;
    Random& operator=(const Random&) = default;
    virtual ~Random() = default;

    // A generator in this one's state: it makes the draws this one will make next. Lets draws
    // that depend on nothing but a size be made now and replayed later, on another thread.
    virtual std::unique_ptr<Random> Clone() const { return std::make_unique<Random>(*this); }

    // Next uniform single-precision value in [0, 1). Virtual so tests can script the draws.
    virtual float Rnd();

    // Integer 0..n for n >= 0 (n..0 for n < 0): Fix(Rnd * (n + 1)), or Fix(Rnd * (n - 1)).
    std::int32_t RndInt(std::int32_t n);

    // True with probability p: Rnd <= p, both in single precision (a tie takes the branch).
    bool Chance(double p) { return Rnd() <= static_cast<float>(p); }

    // A reset followed by Seed(n) makes everything after it a function of n alone.
    void Reset();
    void Seed(std::uint32_t n);
    void SeedFromClock();

    // Number of values drawn since construction (tests and diagnostics).
    std::uint64_t Draws() const { return draws_; }

  protected:
    void CountDraw() { ++draws_; }

  private:
    std::mt19937 engine_;
    std::uint64_t draws_ = 0;
};

}  // namespace orvane
