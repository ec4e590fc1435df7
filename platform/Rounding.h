// Rounding rules of the system: "round" is to the nearest integer with halves
// to the even neighbour; pixel-to-cell conversions truncate toward zero.
#pragma once

#include <cmath>
#include <cstdint>

namespace kestrilo {

inline int64_t Round(double value) {
  const double floor = std::floor(value);
  const double diff = value - floor;
  if (diff > 0.5) return static_cast<int64_t>(floor) + 1;
  if (diff < 0.5) return static_cast<int64_t>(floor);
  const int64_t f = static_cast<int64_t>(floor);
  return (f % 2 == 0) ? f : f + 1;
}

inline int64_t Trunc(double value) { return static_cast<int64_t>(std::trunc(value)); }

// Integer division truncating toward zero, as `div` does (C++ already does this).
inline int32_t Div(int32_t a, int32_t b) { return a / b; }

}  // namespace kestrilo
