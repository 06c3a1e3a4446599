#pragma once
// Opens a file or folder with the desktop's default program (xdg-open), without waiting for
// it. Failures (no xdg-open, or it exits with an error) are reported through `report`, later,
// from the event loop; they never stop the program.
#include <functional>
#include <string>

namespace orvane {

void OpenWithDesktop(const std::string& path, std::function<void(const std::string&)> report);

}  // namespace orvane
