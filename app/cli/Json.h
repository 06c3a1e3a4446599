#pragma once
// One saved map as a single-line JSON object, for scripts.
#include <string>

#include "app/RunListener.h"

namespace orvane {

std::string MapReportJson(const MapReport& report, bool walkForWeapons,
                          const std::string& decimalSeparator);

// Text as a JSON string literal (quotes included), always valid UTF-8: bytes that are not
// well-formed UTF-8 become U+FFFD.
std::string JsonString(const std::string& text);

}  // namespace orvane
