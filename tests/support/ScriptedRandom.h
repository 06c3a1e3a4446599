#pragma once
// A generator that returns a fixed script of values, then a filler, and records how many it
// gave: drives branches and checks the order and number of draws.
#include <cstddef>
#include <stdexcept>
#include <vector>

#include "core/Random.h"

namespace orvane::test {

class ScriptedRandom : public Random {
  public:
    explicit ScriptedRandom(std::vector<float> script = {}, float filler = 0.5f)
        : script_(std::move(script)), filler_(filler) {}

    float Rnd() override {
        CountDraw();
        const float v = next_ < script_.size() ? script_[next_] : filler_;
        ++next_;
        return v;
    }

    std::unique_ptr<Random> Clone() const override {
        return std::make_unique<ScriptedRandom>(*this);
    }

    // Draws made so far (scripted and filler).
    std::size_t Used() const { return next_; }

  private:
    std::vector<float> script_;
    float filler_;
    std::size_t next_ = 0;
};

}  // namespace orvane::test
