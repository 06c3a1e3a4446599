#pragma once
// Painting goes on after a failing step: the step is skipped, and the failure is remembered
// until the end of the pass reports it.
#include <exception>
#include <utility>

namespace orvane {

class PaintTrap {
  public:
    template <typename Step>
    void Run(Step&& step) {
        try {
            std::forward<Step>(step)();
        } catch (const std::exception&) {
            failed_ = true;
        }
    }
    bool Failed() const { return failed_; }
    void Clear() { failed_ = false; }

  private:
    bool failed_ = false;
};

}  // namespace orvane
