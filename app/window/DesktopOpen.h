#pragma once
// Opens a file or folder with the desktop's default program (xdg-open on Linux, the shell on
// Windows), without waiting for it. Failures (no xdg-open, or it exits with an error; a file the
// shell cannot open) are reported through `report`, from the event loop; they never stop the
// program. `path` is UTF-8.
#include <functional>
#include <string>

namespace orvane {

void OpenWithDesktop(const std::string& path, std::function<void(const std::string&)> report);

}  // namespace orvane
