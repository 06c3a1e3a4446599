#pragma once
// The decimal separator of the user's locale, which map file names use. One of the few calls
// that differ between operating systems.
#include <string>

namespace orvane {

// Takes the user's locale and returns its decimal separator; numbers are then read and written
// in the C locale again, so nothing else depends on the user's settings. Call once at start.
std::string UserDecimalSeparator();

}  // namespace orvane
