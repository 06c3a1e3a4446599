#pragma once
// Integer conversions and checked arithmetic with the meaning the generation code was designed
// around: conversions round half to even and fail on overflow, Fix truncates toward zero.
#include <cmath>
#include <cstdint>
#include <limits>

#include "core/RunError.h"

namespace orvane {

// Pi. Where angles are computed in single precision the seven-digit value is used instead; it
// is kept as a double so that products with it round as they were designed to.
constexpr double kPi = 3.141592653589793;
constexpr double kPiSingle = 3.1415927;

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

// 32-bit arithmetic that fails instead of wrapping.
inline std::int32_t CheckedAdd(std::int32_t a, std::int32_t b) {
    std::int32_t r;
    if (__builtin_add_overflow(a, b, &r)) throw RunError("Overflow in addition");
    return r;
}
inline std::int32_t CheckedSub(std::int32_t a, std::int32_t b) {
    std::int32_t r;
    if (__builtin_sub_overflow(a, b, &r)) throw RunError("Overflow in subtraction");
    return r;
}
inline std::int32_t CheckedMul(std::int32_t a, std::int32_t b) {
    std::int32_t r;
    if (__builtin_mul_overflow(a, b, &r)) throw RunError("Overflow in multiplication");
    return r;
}

}  // namespace orvane
