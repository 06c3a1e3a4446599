#include "app/cli/Arguments.h"

namespace orvane::cli {

// Arguments reach the program as the bytes that were typed; they are UTF-8 in a UTF-8 locale.
std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    return std::vector<std::string>(argv, argv + argc);
}

void UseUtf8Console() {}

}  // namespace orvane::cli
