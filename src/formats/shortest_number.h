// Numbers in their shortest exact decimal form, written the way std::to_chars writes them, for
// libraries whose std::to_chars has no floating-point overloads (the browser build's).
#pragma once

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <type_traits>

namespace kx {

// The fewest significant digits that read back as `v`, in fixed or scientific notation,
// whichever is shorter (fixed on a tie), as std::to_chars(first, last, v) does.
template <typename T>
std::string shortest_by_printf(T v) {
    static_assert(std::is_floating_point_v<T>);
    if (std::isnan(v)) return "nan";
    if (v == T(0)) return std::signbit(v) ? "-0" : "0";
    const bool negative = v < 0;
    const T a = negative ? -v : v;
    if (a > std::numeric_limits<T>::max()) return negative ? "-inf" : "inf";
    char buf[64];
    const int max_digits = std::is_same_v<T, float> ? 9 : 17;
    for (int p = 0; p < max_digits; ++p) {
        std::snprintf(buf, sizeof buf, "%.*e", p, double(a));
        const T back = std::is_same_v<T, float> ? T(std::strtof(buf, nullptr)) : T(std::strtod(buf, nullptr));
        if (back == a) break;
    }
    // buf is "d.ddde±XX": the digits and the power of ten of the first one.
    const std::string text(buf);
    const auto e_at = text.find('e');
    std::string digits = text.substr(0, e_at);
    if (digits.size() > 1) digits.erase(1, 1);
    const int exponent = std::atoi(text.c_str() + e_at + 1);

    std::string scientific = digits.substr(0, 1);
    if (digits.size() > 1) scientific += "." + digits.substr(1);
    const int e_abs = exponent < 0 ? -exponent : exponent;
    scientific += exponent < 0 ? "e-" : "e+";
    if (e_abs < 10) scientific += "0";
    scientific += std::to_string(e_abs);

    const int n = int(digits.size());
    std::string fixed;
    if (exponent >= n - 1) {
        // A whole number is written with all its exact digits, not padded with zeros.
        std::snprintf(buf, sizeof buf, "%.0f", double(a));
        fixed = buf;
    } else if (exponent >= 0) {
        const auto point = std::size_t(exponent) + 1;  // digits before the decimal point
        fixed = digits.substr(0, point) + "." + digits.substr(point);
    } else {
        fixed = "0." + std::string(std::size_t(-exponent - 1), '0') + digits;
    }
    const std::string& best = fixed.size() <= scientific.size() ? fixed : scientific;
    return negative ? "-" + best : best;
}

}  // namespace kx
