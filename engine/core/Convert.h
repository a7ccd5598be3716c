#pragma once
// The three whole-number conversions the engine uses, by name. Code never casts a float to an
// integer directly where one of these is meant.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>

namespace plm {

// Whole part toward minus infinity: Int(-1.5) = -2. Saturates instead of overflowing.
inline int32_t Int(double x) {
    if (std::isnan(x)) return 0;
    double f = std::floor(x);
    if (f >= 2147483647.0) return std::numeric_limits<int32_t>::max();
    if (f <= -2147483648.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(f);
}

// Nearest whole number, halves to even: 2.5 -> 2, 3.5 -> 4. Saturates instead of overflowing.
inline int32_t RoundHalfEven(double x) {
    if (std::isnan(x)) return 0;
    double r = std::nearbyint(x);  // default rounding mode is to nearest, ties to even
    if (r >= 2147483647.0) return std::numeric_limits<int32_t>::max();
    if (r <= -2147483648.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(r);
}

// A 64-bit whole number held to the 32-bit range, for sums and products of 32-bit values that
// may leave it (source rectangles, picture sizes).
inline int32_t ClampToInt32(int64_t v) {
    if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}

// Truncating whole-number division (toward zero). Division by zero gives 0 rather than a trap.
inline int32_t IntDiv(int32_t a, int32_t b) {
    if (b == 0) return 0;
    if (a == std::numeric_limits<int32_t>::min() && b == -1) return std::numeric_limits<int32_t>::max();
    return a / b;
}

// Truncating remainder, with the sign of the dividend. Mod by zero gives 0.
inline int32_t Mod(int32_t a, int32_t b) {
    if (b == 0 || b == -1) return 0;
    return a % b;
}

// Non-negative remainder, for indexing wrap-around tables.
inline int32_t ModPositive(int32_t a, int32_t b) {
    int32_t m = Mod(a, b);
    return (m < 0) ? m + (b < 0 ? -b : b) : m;
}

// A single as the engine's text joins show it: at most 7 significant digits, no trailing zeros,
// exponent form outside 1E-04..9999999 ("320", "12.5", "-0.25", "1.234568E+07", "1E-05").
inline std::string SingleToText(float v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.7G", static_cast<double>(v));
    return buf;
}

}  // namespace plm
