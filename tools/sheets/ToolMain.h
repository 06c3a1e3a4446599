#pragma once
// The shared front of the picture-sheet programs: one output argument, errors on stderr.
#include <cstdio>
#include <exception>

namespace orvane::tools {

template <typename Make>
int RunSheetTool(int argc, char** argv, const char* usage, Make make) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s\n", usage);
        return 2;
    }
    try {
        make(argv[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}

}  // namespace orvane::tools
