#pragma once
#include <string>

namespace orvane {

// `text` as an FLTK label shows it: FLTK reads '@' as the start of a symbol.
inline std::string LabelText(const std::string& text) {
    std::string out;
    for (char c : text) {
        out += c;
        if (c == '@') out += '@';
    }
    return out;
}

}  // namespace orvane
