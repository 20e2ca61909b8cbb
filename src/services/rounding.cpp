#include "services/rounding.h"

#include <climits>
#include <cmath>

namespace kiv {

double RoundHalfEven(double x) {
  if (!std::isfinite(x)) return x;
  const double lower = std::floor(x);
  const double frac = x - lower;  // exact for every finite double
  if (frac < 0.5) return lower;
  if (frac > 0.5) return lower + 1.0;
  return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

int RoundToInt(double x) {
  if (std::isnan(x)) return 0;
  const double r = RoundHalfEven(x);
  if (r <= static_cast<double>(INT_MIN)) return INT_MIN;
  if (r >= static_cast<double>(INT_MAX)) return INT_MAX;
  return static_cast<int>(r);
}

}  // namespace kiv
