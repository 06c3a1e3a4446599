#include "app/platform/ProgramFolder.h"

#include "core/RunError.h"

namespace orvane {

// Linux names the running executable in /proc; another system asks its own loader here.
std::filesystem::path ProgramFolder() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) throw RunError("Cannot find the program's folder: " + ec.message());
    return exe.parent_path();
}

}  // namespace orvane
