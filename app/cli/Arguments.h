#pragma once
// The command line's text, UTF-8 both ways: the arguments as the user typed them (on Windows
// from the UTF-16 command line, never the ANSI argv, so any seed gives the map it gives on
// Linux), and output that a console shows as UTF-8.
#include <string>
#include <vector>

namespace orvane::cli {

// The program's arguments in UTF-8, argv[0] first.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// Makes a console this program writes to show its UTF-8 bytes as such.
void UseUtf8Console();

}  // namespace orvane::cli
