#pragma once
// A failure that ends the current run: overflow, index out of range, failing file or canvas
// operation. The front ends catch it per command; nothing half-made is saved.
#include <stdexcept>
#include <string>

namespace orvane {

class RunError : public std::runtime_error {
  public:
    explicit RunError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace orvane
