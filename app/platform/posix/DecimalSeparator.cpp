#include "app/platform/DecimalSeparator.h"

#include <clocale>

namespace orvane {

std::string UserDecimalSeparator() {
    std::setlocale(LC_ALL, "");
    const std::lconv* conv = std::localeconv();
    std::string separator = ".";
    if (conv != nullptr && conv->decimal_point != nullptr && conv->decimal_point[0] != '\0')
        separator = conv->decimal_point;
    std::setlocale(LC_NUMERIC, "C");
    return separator;
}

}  // namespace orvane
