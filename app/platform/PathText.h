#pragma once
// Paths as the program's text (UTF-8) and back. On Linux a path's bytes are its text; on Windows
// path::string() and path(std::string) would go through the ANSI code page and mangle every
// character outside it (Cyrillic, emoji), so paths cross to and from text only here.
#include <filesystem>
#include <string>
#include <string_view>

namespace orvane {

std::string PathText(const std::filesystem::path& path);
std::filesystem::path PathFromText(std::string_view text);

}  // namespace orvane
