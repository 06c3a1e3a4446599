#pragma once
// Text from outside (a path, an argument) as a message shows it: a line break or a terminal
// escape in a folder's name must not split a message into lines or recolour the terminal.
#include <string>
#include <string_view>

namespace orvane {

// `text` with its control characters written as escapes: \n, \r, \t, \xHH for the other C0
// characters and DEL, \u0080..\u009f for C1 characters written as UTF-8. Other bytes pass.
std::string Printable(std::string_view text);

}  // namespace orvane
