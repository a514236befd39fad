// Window units: a unit across is one pixel, a unit down is 22/21 pixel (286 pixel rows show 273 units).
#pragma once

#include <cmath>

namespace kx {

constexpr int kClientWidth = 392;   // pixels, the window's client area
constexpr int kClientHeight = 286;  // pixels
constexpr double kRowsPerUnit = 22.0 / 21.0;

// Positions round to the nearest pixel, halves downwards-right, the same rule on both axes.
inline int unit_to_column(double x) { return int(std::floor(x + 0.5)); }
inline int unit_to_row(double y) { return int(std::floor(y * kRowsPerUnit + 0.5)); }
inline double rows_to_units(double rows) { return rows / kRowsPerUnit; }

}  // namespace kx
