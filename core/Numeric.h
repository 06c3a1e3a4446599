#pragma once
// Integer conversions and checked arithmetic with the meaning the generation code was designed
// around: conversions round half to even and fail on overflow, Fix truncates toward zero.
#include <cmath>
#include <cstdint>
#include <limits>

#include "core/RunError.h"

namespace orvane {

inline constexpr double kPi = 3.14159265358979323846;
// Pi to the eight digits a single-precision value holds, as the outline angles were defined
// with it. Not float(kPi): that differs by 4e-8 and rounds some angles the other way.
inline constexpr double kPiSingleDigits = 3.1415927;

namespace detail {
template <typename T>
T RoundChecked(double value, const char* what) {
    // nearbyint uses the current rounding mode, which we never change: round half to even.
    const double r = std::nearbyint(value);
    if (!(r >= static_cast<double>(std::numeric_limits<T>::min()) &&
          r <= static_cast<double>(std::numeric_limits<T>::max()))) {
        throw RunError(std::string("Overflow in ") + what);
    }
    return static_cast<T>(r);
}
}  // namespace detail

// Nearest 32-bit integer, halves to even.
inline std::int32_t CLng(double value) {
    return detail::RoundChecked<std::int32_t>(value, "CLng");
}
// Nearest 16-bit integer, halves to even.
inline std::int16_t CInt(double value) {
    return detail::RoundChecked<std::int16_t>(value, "CInt");
}
// Nearest byte 0..255, halves to even.
inline std::uint8_t CByte(double value) {
    return detail::RoundChecked<std::uint8_t>(value, "CByte");
}
// Truncation toward zero.
inline double Fix(double value) {
    return std::trunc(value);
}
// Single precision, as the chance tests compare.
inline float CSng(double value) {
    return static_cast<float>(value);
}

// 32-bit arithmetic that fails instead of wrapping. Worked out in 64 bits, where no sum,
// difference or product of two 32-bit values can overflow: standard C++, no compiler builtins.
namespace detail {
inline std::int32_t Checked32(std::int64_t exact, const char* what) {
    if (exact < std::numeric_limits<std::int32_t>::min() ||
        exact > std::numeric_limits<std::int32_t>::max())
        throw RunError(std::string("Overflow in ") + what);
    return static_cast<std::int32_t>(exact);
}
}  // namespace detail
inline std::int32_t CheckedAdd(std::int32_t a, std::int32_t b) {
    return detail::Checked32(std::int64_t{a} + b, "addition");
}
inline std::int32_t CheckedSub(std::int32_t a, std::int32_t b) {
    return detail::Checked32(std::int64_t{a} - b, "subtraction");
}
inline std::int32_t CheckedMul(std::int32_t a, std::int32_t b) {
    return detail::Checked32(std::int64_t{a} * b, "multiplication");
}

}  // namespace orvane
