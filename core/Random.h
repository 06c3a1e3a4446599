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
    // The standard 32-bit Mersenne Twister, word for word std::mt19937's output, kept in 32-bit
    // words: std::mt19937 stores them in uint_fast32_t, 64 bits here, and refills four times
    // slower.
    using Engine =
        std::mersenne_twister_engine<std::uint32_t, 32, 624, 397, 31, 0x9908b0dfu, 11, 0xffffffffu,
                                     7, 0x9d2c5680u, 15, 0xefc60000u, 18, 1812433253u>;
    Engine engine_;
    std::uint64_t draws_ = 0;
};

}  // namespace orvane
