// Rounding of floating-point values to integers: to the nearest integer with halves going to the
// even neighbour, the one rounding rule of the library (pixels, stored angles, tick values).
#pragma once

#include <climits>
#include <cmath>

namespace kiv {

// The nearest integral value, halves to even (2.5 -> 2, 3.5 -> 4, -2.5 -> -2). Infinities and NaN
// come back unchanged. Independent of the floating-point rounding mode of the thread. Inline:
// pixel loops call it per cell.
inline double RoundHalfEven(double x) {
  // From 2^52 on every double is integral; NaN and infinities fail the test too.
  if (!(std::fabs(x) < 4503599627370496.0)) return x;
  const long long t = static_cast<long long>(x);  // towards zero, exact in this range
  long long lower = t > x ? t - 1 : t;
  const double frac = x - static_cast<double>(lower);  // exact
  if (frac > 0.5 || (frac == 0.5 && (lower & 1) != 0)) ++lower;
  // Keeps the sign of zero results as the floor-based rule gives them (-0.3 -> 0, -0.0 -> -0).
  return lower == 0 ? (x == 0 ? x : 0.0) : static_cast<double>(lower);
}

// RoundHalfEven as an int; values beyond the int range give the nearest end of the range and NaN
// gives 0, so the result is always defined.
inline int RoundToInt(double x) {
  if (std::isnan(x)) return 0;
  const double r = RoundHalfEven(x);
  if (r <= static_cast<double>(INT_MIN)) return INT_MIN;
  if (r >= static_cast<double>(INT_MAX)) return INT_MAX;
  return static_cast<int>(r);
}

}  // namespace kiv
